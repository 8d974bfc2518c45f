// velantra-show: shows exported to JSON and imported back byte for byte, the
// first bad value of a document named by its path, the differences between
// two shows, and the executable as an operator runs it.
#include "engine/engine.h"
#include "engine/show_memory.h"
#include "showtool/show_diff.h"
#include "showtool/show_image.h"
#include "showtool/show_info.h"
#include "showtool/show_json.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace velantra::showtool {
namespace {

ShowImage imageOf(const ShowMemory& memory)
{
    ShowImage image(ShowFileSize);
    memory.copyOut(0, ShowFileSize, image.data());
    return image;
}

// What "new show" leaves: the header, tempo and the rest of the reset.
ShowImage newShow()
{
    const auto engine = std::make_unique<Engine>();
    engine->ClearAll();
    return imageOf(engine->memory);
}

void put(ShowImage& image, int at, const QByteArray& bytes)
{
    std::copy(bytes.begin(), bytes.end(), image.begin() + at);
}

QByteArray cp1251(const QString& text)
{
    QStringEncoder encoder("windows-1251");
    return encoder.encode(text);
}

void setName(ShowImage& image, int channel, const QByteArray& sixteen)
{
    put(image, NameBase + NameLength * channel, sixteen.leftJustified(NameLength, '\0', true));
}

// A new show as an operator leaves it: named channels, a picture, five scenes.
ShowImage typicalShow()
{
    ShowImage image = newShow();
    image[CellTempo] = 120;
    image[CellLastScene] = 4;
    image[CellScene] = 2;
    setName(image, 3, cp1251(QStringLiteral("Прожектор")));
    setName(image, 10, "Spot left");
    image[static_cast<std::size_t>(pictureAddress(2) + 5)] = 1;
    image[static_cast<std::size_t>(pictureAddress(15))] = 1;
    image[static_cast<std::size_t>(RateBase)] = 7;
    image[static_cast<std::size_t>(sceneAddress(1) + 1)] = 255;
    return image;
}

// Every byte differs from its neighbours and from the byte 256 cells on.
ShowImage patternedShow(std::uint8_t last)
{
    ShowImage image(ShowFileSize);
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = static_cast<std::uint8_t>(i * 7 + i / 256 + 1);
    }
    image[CellLastScene] = last;
    return image;
}

struct ShowCase {
    const char* name;
    std::function<ShowImage()> make;
};

class RoundTrip : public testing::TestWithParam<ShowCase> {};

TEST_P(RoundTrip, ExportThenImportGivesTheSameBytes)
{
    const ShowImage image = GetParam().make();
    ASSERT_EQ(image.size(), static_cast<std::size_t>(ShowFileSize));
    const ImportResult result = importShowJson(exportShowJson(image));
    ASSERT_TRUE(result.image.has_value()) << result.error.toStdString();
    EXPECT_TRUE(*result.image == image) << "first difference at cell "
                                        << std::mismatch(image.begin(), image.end(), result.image->begin()).first -
                                               image.begin();
}

INSTANTIATE_TEST_SUITE_P(
    Shows, RoundTrip,
    testing::Values(ShowCase{"NewShow", newShow}, ShowCase{"TypicalShow", typicalShow},
                    ShowCase{"PatternedLastScene0", [] { return patternedShow(0); }},
                    ShowCase{"PatternedLastScene255", [] { return patternedShow(255); }},
                    ShowCase{"PatternedLastScene100", [] { return patternedShow(100); }},
                    ShowCase{"AllZero", [] { return ShowImage(ShowFileSize, 0); }},
                    ShowCase{"AllFull", [] { return ShowImage(ShowFileSize, 255); }},
                    ShowCase{"HeaderWithBytesAfterTheText",
                             [] {
                                 ShowImage image = newShow();
                                 image[120] = 9;
                                 return image;
                             }},
                    ShowCase{"HeaderOfAnotherProgram",
                             [] {
                                 ShowImage image = newShow();
                                 put(image, 0, QByteArray("Other desk\0\x98\xFF junk after the zero", 34));
                                 return image;
                             }},
                    ShowCase{"NamesWithBlanksCyrillicAndOddBytes",
                             [] {
                                 ShowImage image = newShow();
                                 setName(image, 0, "  two  blanks   ");
                                 setName(image, 1, cp1251(QStringLiteral("Ёлка и Щит")));
                                 setName(image, 2, QByteArray("AB\0CD", 5));   // text after a zero byte
                                 setName(image, 3, "\x98\x01\x7F\xFF");        // 0x98 has no character
                                 setName(image, 4, "sixteen bytes!!!");        // no zero at all
                                 setName(image, 5, QByteArray("\0\0\0x", 4));  // empty name, stray byte
                                 return image;
                             }},
                    ShowCase{"ScenesBeyondTheLastOne",
                             [] {
                                 ShowImage image = typicalShow();
                                 image[static_cast<std::size_t>(sceneAddress(5))] = 1;
                                 image[static_cast<std::size_t>(sceneAddress(255) + 255)] = 2;
                                 return image;
                             }},
                    ShowCase{"SpareBytes",
                             [] {
                                 ShowImage image = typicalShow();
                                 image[static_cast<std::size_t>(SpareBase)] = 1;
                                 image[static_cast<std::size_t>(SceneBase - 1)] = 0xEE;
                                 return image;
                             }}),
    [](const testing::TestParamInfo<ShowCase>& param) { return std::string(param.param.name); });

TEST(ShowJson, ReadablePartsCarryTheShowAndRawBytesOnlyWhereNeeded)
{
    ShowImage image = typicalShow();
    setName(image, 20, QByteArray("AB\0CD", 5));
    const QJsonObject doc = QJsonDocument::fromJson(exportShowJson(image)).object();
    EXPECT_EQ(doc[QStringLiteral("header")].toString().toStdString(), std::string(ShowHeaderText));
    EXPECT_FALSE(doc.contains(QStringLiteral("header_bytes")));
    EXPECT_FALSE(doc.contains(QStringLiteral("spare")));
    EXPECT_FALSE(doc.contains(QStringLiteral("extra_scenes")));
    EXPECT_EQ(doc[QStringLiteral("cells")][QStringLiteral("CellTempo")].toInt(), 120);
    EXPECT_EQ(doc[QStringLiteral("names")][3].toString(), QStringLiteral("Прожектор"));
    EXPECT_EQ(doc[QStringLiteral("scenes")].toArray().size(), 5);
    EXPECT_EQ(doc[QStringLiteral("scenes")][1][1].toInt(), 255);
    EXPECT_EQ(doc[QStringLiteral("pictures")][2][QStringLiteral("flags")][5].toInt(), 1);
    const QJsonObject nameBytes = doc[QStringLiteral("name_bytes")].toObject();
    EXPECT_EQ(nameBytes.keys(), QStringList{QStringLiteral("20")});
}

// Edits the exported document of typicalShow() (last scene 4, tempo 120).
using Edit = std::function<void(QJsonObject&)>;

void editArray(QJsonObject& doc, const QString& key, const std::function<void(QJsonArray&)>& edit)
{
    QJsonArray array = doc[key].toArray();
    edit(array);
    doc[key] = array;
}

Edit setLevel(const QString& key, int index, const QJsonValue& value)
{
    return [=](QJsonObject& doc) { editArray(doc, key, [&](QJsonArray& a) { a[index] = value; }); };
}

struct BadJson {
    const char* name;
    Edit edit;
    const char* message;
};

class ImportError : public testing::TestWithParam<BadJson> {};

QByteArray badDocument(const Edit& edit)
{
    QJsonObject doc = QJsonDocument::fromJson(exportShowJson(typicalShow())).object();
    edit(doc);
    return QJsonDocument(doc).toJson();
}

TEST_P(ImportError, NamesTheFirstBadValueByItsPath)
{
    const ImportResult result = importShowJson(badDocument(GetParam().edit));
    EXPECT_FALSE(result.image.has_value());
    EXPECT_EQ(result.error.toStdString(), GetParam().message);
}

const BadJson BadJsons[] = {
    {"LevelOutOfRange",
     [](QJsonObject& doc) {
         editArray(doc, QStringLiteral("scenes"), [](QJsonArray& scenes) {
             QJsonArray scene = scenes[3].toArray();
             scene[17] = 300;
             scenes[3] = scene;
         });
     },
     "scenes[3][17]: 300 is not a level 0..255"},
    {"FractionalRate", setLevel(QStringLiteral("rates"), 5, 1.5), "rates[5]: 1.5 is not a rate 0..255"},
    {"NegativeFlag", setLevel(QStringLiteral("selection"), 0, -1), "selection[0]: -1 is not a flag 0..255"},
    {"LevelAsText", setLevel(QStringLiteral("parameter_bytes"), 100, QStringLiteral("7")),
     "parameter_bytes[100]: \"7\" is not a byte 0..255"},
    {"ShortArray",
     [](QJsonObject& doc) { editArray(doc, QStringLiteral("selection"), [](QJsonArray& a) { a.removeLast(); }); },
     "selection: holds 255 values, not 256"},
    {"SceneCountNotLastScenePlusOne",
     [](QJsonObject& doc) { editArray(doc, QStringLiteral("scenes"), [](QJsonArray& a) { a.removeLast(); }); },
     "scenes: holds 4 scenes, CellLastScene 4 needs 5"},
    {"UnknownKey", [](QJsonObject& doc) { doc[QStringLiteral("colour")] = 1; }, "colour: unknown key"},
    {"UnknownCell",
     [](QJsonObject& doc) {
         QJsonObject cells = doc[QStringLiteral("cells")].toObject();
         cells[QStringLiteral("CellTemp")] = 1;
         doc[QStringLiteral("cells")] = cells;
     },
     "cells.CellTemp: unknown key"},
    {"MissingKey", [](QJsonObject& doc) { doc.remove(QStringLiteral("rates")); }, "rates: missing"},
    {"NameTooLong", setLevel(QStringLiteral("names"), 7, QStringLiteral("Seventeen chars!!")),
     "names[7]: \"Seventeen chars!!\" is not Windows-1251 text of at most 16 bytes"},
    {"NameNotWindows1251", setLevel(QStringLiteral("names"), 9, QStringLiteral("光")),
     "names[9]: \"光\" is not Windows-1251 text of at most 16 bytes"},
    {"NamedPlaceNeitherNullNorAByte", setLevel(QStringLiteral("parameter_bytes"), 5, QStringLiteral("x")),
     "parameter_bytes[5]: \"x\" is not null or a byte 0..255"},
    {"ExtraSceneNotAfterTheLast",
     [](QJsonObject& doc) {
         QJsonObject scene;
         scene[QStringLiteral("scene")] = 2;
         scene[QStringLiteral("levels")] = doc[QStringLiteral("rates")];
         doc[QStringLiteral("extra_scenes")] = QJsonArray{scene};
     },
     "extra_scenes[0].scene: 2 is not after the last scene 4"},
    {"WrongVersion", [](QJsonObject& doc) { doc[QStringLiteral("version")] = 2; }, "version: 2 is not 1"},
};

INSTANTIATE_TEST_SUITE_P(Documents, ImportError, testing::ValuesIn(BadJsons),
                         [](const testing::TestParamInfo<BadJson>& param) { return std::string(param.param.name); });

// A named parameter cell is said once, by its name: changing the name alone
// changes the show, also in a document that still carries the old number in
// parameter_bytes.
TEST(ShowJson, ANamedCellIsChangedByItsNameAlone)
{
    QJsonObject doc = QJsonDocument::fromJson(exportShowJson(typicalShow())).object();
    const QJsonArray bytes = doc[QStringLiteral("parameter_bytes")].toArray();
    for (int i = 0; i < ParameterCount; ++i) {
        EXPECT_EQ(bytes[i].isNull(), !cellName(ParameterBase + i).empty()) << i;
    }
    for (const bool oldNumberKept : {false, true}) {
        QJsonObject cells = doc[QStringLiteral("cells")].toObject();
        cells[QStringLiteral("CellTempo")] = 99;
        doc[QStringLiteral("cells")] = cells;
        if (oldNumberKept) {
            editArray(doc, QStringLiteral("parameter_bytes"),
                      [](QJsonArray& a) { a[CellTempo - ParameterBase] = 120; });
        }
        const ImportResult result = importShowJson(QJsonDocument(doc).toJson());
        ASSERT_TRUE(result.image.has_value()) << result.error.toStdString();
        ShowImage expected = typicalShow();
        expected[CellTempo] = 99;
        EXPECT_EQ(*result.image, expected) << "old number kept: " << oldNumberKept;
    }
}

TEST(ShowJson, TextThatIsNoJsonObjectIsRefused)
{
    EXPECT_TRUE(importShowJson("{\"format\": ").error.startsWith(QStringLiteral("not JSON: ")));
    EXPECT_FALSE(importShowJson("[1, 2]").image.has_value());
}

TEST(ShowDiff, ListsEachDifferenceOldToNew)
{
    const ShowImage before = typicalShow();
    ShowImage after = before;
    after[CellTempo] = 44;
    after[200] = static_cast<std::uint8_t>(before[200] + 1);
    after[static_cast<std::size_t>(sceneAddress(4) + 12)] = 255;
    setName(after, 10, "Spot right");
    const QStringList expected = {
        QStringLiteral("CellTempo: 120 → 44"),
        QStringLiteral("cell 200: %1 → %2").arg(before[200]).arg(after[200]),
        QStringLiteral("name of channel 10: \"Spot left\" → \"Spot right\""),
        QStringLiteral("scene 4 (shown 5): channel 12: 0 → 255"),
    };
    EXPECT_EQ(showDiff(before, after), expected);
    EXPECT_TRUE(showDiff(before, before).isEmpty());
}

TEST(ShowInfo, SaysWhatTheOperatorSet)
{
    const QString info = showInfo(typicalShow());
    for (const char* line : {"last scene: 4 (shown 5)\n", "current scene: 2 (shown 3)\n", "tempo: 120\n",
                             "  10: Spot left\n", "pictures in use: 2, 15\n"}) {
        EXPECT_TRUE(info.contains(QString::fromUtf8(line))) << line << " not in\n" << info.toStdString();
    }
    EXPECT_TRUE(info.contains(QStringLiteral("  3: Прожектор\n")));
}

// The executable, run as an operator runs it.
class ShowTool : public testing::Test {
protected:
    struct Run {
        int status = -1;
        QByteArray out;
        QByteArray err;
    };

    Run run(const QStringList& args, const QByteArray& input = {})
    {
        QProcess process;
        process.start(QStringLiteral(VELANTRA_SHOW_TOOL), args);
        process.write(input);
        process.closeWriteChannel();
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
                process.readAllStandardError()};
    }

    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }

    void writeShow(const char* name, const ShowImage& image)
    {
        QString error;
        ASSERT_TRUE(writeShowImage(path(name), image, error)) << error.toStdString();
    }

    static QByteArray contents(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static void writeFile(const QString& file, const QByteArray& bytes)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    QTemporaryDir dir_;
};

TEST_F(ShowTool, ExportImportInfoAndDiffOfARealFile)
{
    writeShow("a.vlt", typicalShow());
    const Run exported = run({QStringLiteral("export"), path("a.vlt")});
    EXPECT_EQ(exported.status, 0);
    EXPECT_EQ(exported.out, exportShowJson(typicalShow()));
    writeFile(path("a.json"), exported.out);

    const Run imported = run({QStringLiteral("import"), path("a.json"), QStringLiteral("-o"), path("b.vlt")});
    EXPECT_EQ(imported.status, 0) << imported.err.toStdString();
    EXPECT_EQ(contents(path("b.vlt")), contents(path("a.vlt")));

    const Run info = run({QStringLiteral("info"), path("b.vlt")});
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(QString::fromUtf8(info.out), showInfo(typicalShow()));

    EXPECT_EQ(run({QStringLiteral("diff"), path("a.vlt"), path("b.vlt")}).status, 0);
    ShowImage changed = typicalShow();
    changed[static_cast<std::size_t>(sceneAddress(4) + 12)] = 255;
    writeShow("c.vlt", changed);
    const Run diff = run({QStringLiteral("diff"), path("a.vlt"), path("c.vlt")});
    EXPECT_EQ(diff.status, 1);
    EXPECT_EQ(diff.out.toStdString(), "scene 4 (shown 5): channel 12: 0 → 255\n");
}

TEST_F(ShowTool, ShortMissingAndNonRegularFilesAreRefusedWithOneLine)
{
    writeFile(path("short.vlt"), QByteArray(ShowFileSize - 1, '\0'));
    writeShow("a.vlt", typicalShow());
    for (const QString& file : {path("short.vlt"), path("missing.vlt"), dir_.path()}) {
        for (const QString& command : {QStringLiteral("info"), QStringLiteral("export")}) {
            const Run r = run({command, file});
            EXPECT_EQ(r.status, 1) << command.toStdString() << " " << file.toStdString();
            EXPECT_TRUE(r.out.isEmpty());
            EXPECT_TRUE(r.err.startsWith("velantra-show: " + file.toUtf8() + ": ")) << r.err.toStdString();
            EXPECT_EQ(r.err.count('\n'), 1);
        }
        EXPECT_EQ(run({QStringLiteral("diff"), path("a.vlt"), file}).status, 2);
    }
    EXPECT_EQ(run({QStringLiteral("import"), path("a.json")}).status, 2);  // no -o
}

// Each refusal gives its real reason; a file the program opens although it is
// not quite a show is read with a warning; "-" is standard input or output.
TEST_F(ShowTool, SaysTheRealReasonWarnsAndUsesStandardInputAndOutput)
{
    writeShow("a.vlt", typicalShow());
    const QByteArray show = contents(path("a.vlt"));
    const QByteArray json = exportShowJson(typicalShow());
    writeFile(path("a.json"), json);
    ShowImage foreign = typicalShow();
    put(foreign, 0, QByteArray("Some other program's file").leftJustified(HeaderSize, '\0'));
    writeShow("foreign.vlt", foreign);
    writeFile(path("long.vlt"), show + QByteArray(100, '\x7f'));
    QFile big(path("big.json"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(qint64{64} * 1024 * 1024 + 1));
    big.close();
    const QString missingDirectory = path("no-such-directory/b.vlt");

    struct Case {
        QStringList args;
        QByteArray input;
        int status;
        QString err;     // standard error, "" for none
        QByteArray out;  // standard output, when checked
        bool checkOut;
    };
    const QString tool = QStringLiteral("velantra-show: ");
    const Case cases[] = {
        {{QStringLiteral("info"), dir_.path()},
         {},
         1,
         tool + dir_.path() + QStringLiteral(": is a directory\n"),
         {},
         false},
        {{QStringLiteral("import"), dir_.path(), QStringLiteral("-o"), path("b.vlt")},
         {},
         1,
         tool + dir_.path() + QStringLiteral(": is a directory\n"),
         {},
         false},
        {{QStringLiteral("import"), path("big.json"), QStringLiteral("-o"), path("b.vlt")},
         {},
         1,
         tool + path("big.json") + QStringLiteral(": 67108865 bytes, more than the 67108864 it may have\n"),
         {},
         false},
        {{QStringLiteral("import"), path("a.json"), QStringLiteral("-o"), missingDirectory},
         {},
         1,
         tool + missingDirectory + QStringLiteral(": the directory %1 does not exist\n").arg(path("no-such-directory")),
         {},
         false},
        {{QStringLiteral("import"), path("a.json"), QStringLiteral("-o"), dir_.path()},
         {},
         1,
         tool + dir_.path() + QStringLiteral(": is a directory\n"),
         {},
         false},
        {{QStringLiteral("export"), path("foreign.vlt")},
         {},
         0,
         tool + path("foreign.vlt") +
             QStringLiteral(": not the header of a Velantra show (\"Some other program's file\"); read as a show all "
                            "the same\n"),
         exportShowJson(foreign),
         true},
        {{QStringLiteral("info"), path("long.vlt")},
         {},
         0,
         tool + path("long.vlt") +
             QStringLiteral(": 82020 bytes; a show is the first 81920, the 100 after them are not part of it (export "
                            "and import drop them)\n"),
         showInfo(typicalShow()).toUtf8(),
         true},
        {{QStringLiteral("export"), QStringLiteral("-")}, show, 0, QString(), json, true},
        {{QStringLiteral("import"), QStringLiteral("-"), QStringLiteral("-o"), QStringLiteral("-")},
         json,
         0,
         QString(),
         show,
         true},
        {{QStringLiteral("diff"), path("a.vlt"), QStringLiteral("-")}, show, 0, QString(), {}, true},
        {{QStringLiteral("--help")}, {}, 0, QString(), {}, false},
    };
    for (const Case& c : cases) {
        const std::string what = c.args.join(QLatin1Char(' ')).toStdString();
        const Run r = run(c.args, c.input);
        EXPECT_EQ(r.status, c.status) << what;
        EXPECT_EQ(QString::fromUtf8(r.err).toStdString(), c.err.toStdString()) << what;
        if (c.checkOut) {
            EXPECT_EQ(r.out, c.out) << what;
        }
    }
    EXPECT_TRUE(run({QStringLiteral("--help")}).out.startsWith("usage: velantra-show info FILE"));
    EXPECT_FALSE(QFileInfo::exists(path("b.vlt")));
    EXPECT_FALSE(QFileInfo::exists(QDir::current().filePath(QStringLiteral("-")))) << "\"-o -\" is no file name";
}

TEST_F(ShowTool, BadJsonLeavesTheTargetAsItWas)
{
    writeShow("old.vlt", patternedShow(9));
    const QByteArray before = contents(path("old.vlt"));
    for (const BadJson& bad : BadJsons) {
        writeFile(path("bad.json"), badDocument(bad.edit));
        for (const char* target : {"old.vlt", "new.vlt"}) {
            const Run r = run({QStringLiteral("import"), path("bad.json"), QStringLiteral("-o"), path(target)});
            EXPECT_EQ(r.status, 1) << bad.name;
            EXPECT_EQ(r.err.toStdString(),
                      "velantra-show: " + path("bad.json").toStdString() + ": " + bad.message + "\n");
        }
        EXPECT_EQ(contents(path("old.vlt")), before) << bad.name;
        EXPECT_FALSE(QFileInfo::exists(path("new.vlt"))) << bad.name;
    }
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files).size(), 2);  // no temporary file left behind
}

}  // namespace
}  // namespace velantra::showtool
