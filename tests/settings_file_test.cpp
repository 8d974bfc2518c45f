// The settings file: what a close writes, what a start reads back, files
// written by hand on Windows, and a write that the file system refuses.
#include "storage/settings_file.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "tests/file_size_limit.h"

#include <gtest/gtest.h>

#include <csignal>
#include <ostream>
#include <string>

#include <sys/resource.h>

namespace velantra {

void PrintTo(const Settings& settings, std::ostream* out)
{
    for (std::size_t i = 0; i < settings.konveir.size(); ++i) {
        *out << "\n  File" << (i < 9 ? "0" : "") << i + 1 << "=" << settings.konveir[i].toStdString();
    }
    *out << "\n  Path=" << settings.path.toStdString() << "\n  Coder=" << settings.coder.toStdString();
}

namespace {

#if defined(Q_OS_WIN)
const QByteArray Eol = "\r\n";
#else
const QByteArray Eol = "\n";
#endif

void writeRaw(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray readRaw(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

std::string listing(const QString& dir)
{
    const QDir::Filters all = QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    return QDir(dir).entryList(all, QDir::Name).join(QLatin1Char(' ')).toStdString();
}

class SettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString iniPath() const { return dir.filePath("Vela43.ini"); }

    QTemporaryDir dir;
};

TEST_F(SettingsFileTest, CloseWritesAllTwentyConveyorKeysThenTheLastFiles)
{
    Settings settings;
    settings.konveir[0] = "/shows/Gala.vlt";
    settings.konveir[2] = "/x/Rock.vlt";
    settings.konveir[19] = "/shows/Last one.vlt";
    settings.path = "/shows/Gala.vlt";
    settings.coder = "/patch/House.vdx";

    const FileResult result = writeSettings(iniPath(), settings);
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_TRUE(result.message.isEmpty());

    const QByteArray expected = "[Konveir]" + Eol +                   //
                                "File01=/shows/Gala.vlt" + Eol +      //
                                "File02=" + Eol +                     //
                                "File03=/x/Rock.vlt" + Eol +          //
                                "File04=" + Eol + "File05=" + Eol +   //
                                "File06=" + Eol + "File07=" + Eol +   //
                                "File08=" + Eol + "File09=" + Eol +   //
                                "File10=" + Eol + "File11=" + Eol +   //
                                "File12=" + Eol + "File13=" + Eol +   //
                                "File14=" + Eol + "File15=" + Eol +   //
                                "File16=" + Eol + "File17=" + Eol +   //
                                "File18=" + Eol + "File19=" + Eol +   //
                                "File20=/shows/Last one.vlt" + Eol +  //
                                Eol +                                 //
                                "[LastFile]" + Eol +                  //
                                "Path=/shows/Gala.vlt" + Eol +        //
                                "Coder=/patch/House.vdx" + Eol +      //
                                Eol +                                 //
                                "[sACN]" + Eol +                      //
                                "Enabled=0" + Eol +                   //
                                "Universe=1" + Eol +                  //
                                "Priority=100" + Eol +                //
                                "Destination=" + Eol +                //
                                "Interface=" + Eol +                  //
                                "SourceName=Velantra" + Eol +         //
                                "CID=" + Eol +                        //
                                "MulticastHops=8" + Eol +             //
                                "[ArtNet]" + Eol +                    //
                                "Enabled=0" + Eol +                   //
                                "PortAddress=0" + Eol +               //
                                "Destination=" + Eol +                //
                                "Interface=" + Eol +                  //
                                "AlwaysBroadcast=0" + Eol +           //
                                "[Remote]" + Eol +                    //
                                "Enabled=0" + Eol +                   //
                                "Port=9090" + Eol +                   //
                                "Bind=" + Eol +                       //
                                "Pin=" + Eol +                        //
                                "[Osc]" + Eol +                       //
                                "Enabled=0" + Eol +                   //
                                "Port=8000" + Eol +                   //
                                "[Options]" + Eol +                   //
                                "Language=" + Eol +                   //
                                "[Interfaces]" + Eol +                //
                                "Kinds=" + Eol;
    const QByteArray written = readRaw(iniPath());
    EXPECT_EQ(written.toStdString(), expected.toStdString());

    const QString text = QString::fromUtf8(written);
    EXPECT_EQ(text.count(QRegularExpression("^File\\d\\d=", QRegularExpression::MultilineOption)), 20);
    EXPECT_EQ(listing(dir.path()), "Vela43.ini") << "no temporary file left";
}

// One value, placed in the first and last conveyor entries and in Path and
// Coder, must read back as it was written.
struct StoredValue {
    const char* name;
    QString value;
};

void PrintTo(const StoredValue& stored, std::ostream* out)
{
    *out << stored.name;
}

class StoredValueTest : public SettingsFileTest, public ::testing::WithParamInterface<StoredValue> {};

TEST_P(StoredValueTest, ReadsBackAsWritten)
{
    Settings written;
    for (std::size_t i = 0; i < written.konveir.size(); ++i) {
        written.konveir[i] = QStringLiteral("/shows/entry %1.vlt").arg(i + 1);
    }
    written.konveir.front() = GetParam().value;
    written.konveir.back() = GetParam().value;
    written.path = GetParam().value;
    written.coder = GetParam().value;
    ASSERT_TRUE(writeSettings(iniPath(), written).ok);

    EXPECT_EQ(readSettings(iniPath()), written);
}

INSTANTIATE_TEST_SUITE_P(
    SettingsFile, StoredValueTest,
    ::testing::Values(StoredValue{"Empty", QString()}, StoredValue{"UnixPath", "/home/op/shows/Gala.vlt"},
                      StoredValue{"WindowsPath", R"(C:\shows\Gala.vlt)"},
                      StoredValue{"EscapeLookalikes", R"(C:\new\tab\rock\x41.vlt)"},
                      StoredValue{"Cyrillic", QStringLiteral("/home/op/Шоу/Гала концерт.vlt")},
                      StoredValue{"Semicolons", "/shows/a;b/My shows ;old/c; d.vlt"},
                      StoredValue{"Hashes", "/shows/#1 show #2.vlt"},
                      StoredValue{"ByteOrderMarkFirst", QStringLiteral("\uFEFFGala.vlt")},
                      StoredValue{"EqualsAndColons", "/shows/a=b:c/D:=x.vlt"},
                      StoredValue{"LongerThanLibinihLines", "/shows/" + QString(300, QLatin1Char('x')) + ".vlt"},
                      StoredValue{"LongWithSemicolon", "/shows/" + QString(250, QLatin1Char('y')) + " ;z.vlt"}),
    [](const ::testing::TestParamInfo<StoredValue>& param) { return std::string(param.param.name); });

TEST_F(SettingsFileTest, WindowsFileWrittenByHandReadsExactly)
{
    writeRaw(iniPath(), "; Velantra settings, edited by hand\r\n"
                        "[konveir]\r\n"
                        "file01 = C:\\shows\\Gala.vlt\r\n"
                        "FILE02=D:\\x\\Rock.vlt   \r\n"
                        "File03\t=\tC:\\new\\tab\\a.vlt\r\n"
                        "   File04=C:\\indented\\b.vlt\r\n"
                        "\r\n"
                        "[LASTFILE]\r\n"
                        "pAtH=C:\\shows\\Gala.vlt\r\n"
                        "Coder = C:\\KORVEX\\VELANTRA\\Vela43.vdx\r\n");

    Settings expected;
    expected.konveir[0] = R"(C:\shows\Gala.vlt)";
    expected.konveir[1] = R"(D:\x\Rock.vlt)";
    expected.konveir[2] = R"(C:\new\tab\a.vlt)";
    expected.konveir[3] = R"(C:\indented\b.vlt)";  // not joined onto File03
    expected.path = R"(C:\shows\Gala.vlt)";
    expected.coder = R"(C:\KORVEX\VELANTRA\Vela43.vdx)";
    EXPECT_EQ(readSettings(iniPath()), expected);
}

TEST_F(SettingsFileTest, SemicolonAndHashStartCommentsOnlyAtTheStartOfALine)
{
    // libinih as Debian builds it would end File04 at " ;"; Windows keeps it.
    writeRaw(iniPath(), "[Konveir] ; the conveyor\n"
                        "; File01=C:\\commented\\out.vlt\n"
                        "# File02=C:\\also\\commented.vlt\n"
                        "File03=C:\\a;b.vlt\n"
                        "File04=C:\\My shows ;old\\a.vlt\n"
                        "File05=C:\\a #b.vlt\n"
                        "File06=;leading.vlt\n");

    const Settings read = readSettings(iniPath());
    EXPECT_EQ(read.konveir[0].toStdString(), "");
    EXPECT_EQ(read.konveir[1].toStdString(), "");
    EXPECT_EQ(read.konveir[2].toStdString(), R"(C:\a;b.vlt)");
    EXPECT_EQ(read.konveir[3].toStdString(), R"(C:\My shows ;old\a.vlt)");
    EXPECT_EQ(read.konveir[4].toStdString(), R"(C:\a #b.vlt)");
    EXPECT_EQ(read.konveir[5].toStdString(), ";leading.vlt");
}

TEST_F(SettingsFileTest, LongLinesDoNotSpillIntoTheKeysAfterThem)
{
    // libinih reads at most 199 bytes of a line and takes the rest as a line of
    // its own: this comment line would turn into the key File05.
    const QByteArray longPath = "C:\\" + QByteArray(240, 'p') + "\\Gala.vlt";
    const QByteArray longComment = ";" + QByteArray(198, 'c') + "File05=C:\\from\\a\\comment.vlt";
    writeRaw(iniPath(), "[Konveir]\n"
                        "File01=" +
                            longPath + "\n" + longComment + "\nFile02=C:\\short.vlt\n[" + QByteArray(220, 's') +
                            "]\nFile03=C:\\in\\another\\section.vlt\n");

    const Settings read = readSettings(iniPath());
    EXPECT_EQ(read.konveir[0].toStdString(), longPath.toStdString());
    EXPECT_EQ(read.konveir[1].toStdString(), R"(C:\short.vlt)");
    EXPECT_EQ(read.konveir[2].toStdString(), "");
    EXPECT_EQ(read.konveir[4].toStdString(), "");
}

TEST_F(SettingsFileTest, ANulByteEndsItsValueAndHarmsNoOtherKey)
{
    const QByteArray longPath = "C:\\" + QByteArray(200, 'p') + ".vlt";
    writeRaw(iniPath(), QByteArray("[Konveir]\nFile01=") + longPath + '\0' + "tail\nFile02=C:\\a.vlt" + '\0' +
                            "x\nFile03=C:\\b.vlt\n[LastFile]\nPath=C:\\show.vlt\n");
    Settings expected;
    expected.konveir[0] = QString::fromLatin1(longPath);
    expected.konveir[1] = R"(C:\a.vlt)";
    expected.konveir[2] = R"(C:\b.vlt)";
    expected.path = R"(C:\show.vlt)";
    const Settings read = readSettings(iniPath());
    EXPECT_EQ(read, expected);
    ASSERT_TRUE(writeSettings(iniPath(), read).ok);
    EXPECT_EQ(readSettings(iniPath()), expected) << "a save keeps every key";
}

TEST_F(SettingsFileTest, TheFirstOfARepeatedKeyCounts)
{
    writeRaw(iniPath(), "[LastFile]\nPath=C:\\first.vlt\nPath=C:\\second.vlt\n"
                        "[Konveir]\nFile01=C:\\" +
                            QByteArray(200, 'f') + ".vlt\nFile01=C:\\second.vlt\n");

    const Settings read = readSettings(iniPath());
    EXPECT_EQ(read.path.toStdString(), R"(C:\first.vlt)");
    EXPECT_EQ(read.konveir[0].toStdString(), "C:\\" + std::string(200, 'f') + ".vlt");
}

// The network sections are read as the text they hold: a bad value is the
// program's to refuse when it applies it, and a save writes it back unchanged.
TEST_F(SettingsFileTest, NetworkSectionsReadAsWrittenAndMissingKeysKeepTheirDefaults)
{
    writeRaw(iniPath(), "[LastFile]" + Eol + "Path=/a.vlt" + Eol + "[sACN]" + Eol + "Enabled=1" + Eol +
                            "Universe=64000" + Eol + "Destination=lights.local" + Eol + "SourceName=Зал 2" + Eol +
                            "[ArtNet]" + Eol + "PortAddress=1:2:3" + Eol + "Interface=eth1" + Eol + "[Remote]" + Eol +
                            "Enabled=1" + Eol + "Pin=0427" + Eol + "[Osc]" + Eol + "Port=9000" + Eol);
    const Settings read = readSettings(iniPath());
    EXPECT_EQ(read.path, "/a.vlt");
    EXPECT_EQ(read.sacn.enabled, "1");
    EXPECT_EQ(read.sacn.universe, "64000") << "kept as written, refused when applied";
    EXPECT_EQ(read.sacn.priority, "100") << "a missing key keeps its default";
    EXPECT_EQ(read.sacn.destination, "lights.local");
    EXPECT_EQ(read.sacn.sourceName, QStringLiteral("Зал 2"));
    EXPECT_EQ(read.artnet.enabled, "0");
    EXPECT_EQ(read.artnet.portAddress, "1:2:3");
    EXPECT_EQ(read.artnet.interfaceName, "eth1");
    EXPECT_EQ(read.remote.enabled, "1");
    EXPECT_EQ(read.remote.pin, "0427") << "a PIN's leading zero kept";
    EXPECT_EQ(read.remote.port, "9090");
    EXPECT_EQ(read.osc.enabled, "0");
    EXPECT_EQ(read.osc.port, "9000");
    ASSERT_TRUE(writeSettings(iniPath(), read).ok);
    EXPECT_EQ(readSettings(iniPath()), read);
}

TEST_F(SettingsFileTest, MissingFileReadsAllEmpty)
{
    EXPECT_EQ(readSettings(iniPath()), Settings{});
    EXPECT_EQ(listing(dir.path()), "") << "reading must not create the file";
}

TEST_F(SettingsFileTest, MissingKeysAndKeysInTheWrongSectionReadEmpty)
{
    writeRaw(iniPath(), "[LastFile]\nPath=C:\\shows\\Gala.vlt\nFile01=C:\\wrong\\section.vlt\n"
                        "[Konveir]\nFile1=C:\\one\\digit.vlt\nFile02=C:\\right.vlt\nCoder=C:\\wrong.vdx\n");

    Settings expected;
    expected.konveir[1] = R"(C:\right.vlt)";
    expected.path = R"(C:\shows\Gala.vlt)";
    EXPECT_EQ(readSettings(iniPath()), expected);
}

TEST_F(SettingsFileTest, AValueWithALineBreakIsWrittenEmptyAndHarmsNoOtherKey)
{
    Settings written;
    written.konveir[0] = "/shows/two\nFile02=/shows/injected.vlt";
    written.konveir[2] = "/shows/c.vlt";
    written.path = "/shows/carriage\rreturn.vlt";
    written.coder = "/patch/House.vdx";
    ASSERT_TRUE(writeSettings(iniPath(), written).ok);

    Settings expected;
    expected.konveir[2] = "/shows/c.vlt";
    expected.coder = "/patch/House.vdx";
    EXPECT_EQ(readSettings(iniPath()), expected);
}

TEST_F(SettingsFileTest, WriteIntoAMissingDirectoryFailsAndCreatesNothing)
{
    const QString target = dir.filePath("KORVEX/VELANTRA/Vela43.ini");
    const FileResult result = writeSettings(target, Settings{});
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message.toStdString(), "Unable to write to " + QDir::toNativeSeparators(target).toStdString());
    EXPECT_EQ(listing(dir.path()), "");
}

TEST_F(SettingsFileTest, RefusedWriteKeepsThePreviousFile)
{
    const QByteArray previous = "[LastFile]\r\nPath=C:\\shows\\Gala.vlt\r\n";
    writeRaw(iniPath(), previous);
    Settings settings;
    settings.path = "/shows/New.vlt";

    FileResult result;
    {
        const FileSizeLimit limit(16);  // the settings text is far longer
        ASSERT_TRUE(limit.active());
        result = writeSettings(iniPath(), settings);
    }
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message.toStdString(), "Unable to write to " + QDir::toNativeSeparators(iniPath()).toStdString());
    EXPECT_EQ(readRaw(iniPath()).toStdString(), previous.toStdString());
    EXPECT_EQ(listing(dir.path()), "Vela43.ini") << "no temporary file left";
    EXPECT_EQ(readSettings(iniPath()).path.toStdString(), R"(C:\shows\Gala.vlt)");
}

TEST_F(SettingsFileTest, WriteOverADirectoryFailsAndLeavesIt)
{
    ASSERT_TRUE(QDir().mkdir(iniPath()));
    const FileResult result = writeSettings(iniPath(), Settings{});
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message.toStdString(), "Unable to write to " + QDir::toNativeSeparators(iniPath()).toStdString());
    EXPECT_TRUE(QFileInfo(iniPath()).isDir());
}

}  // namespace
}  // namespace velantra
