// The page "DMX coder": the operator moves source selectors, pages through the
// outputs, resets, loads and saves; the frame the output tick composes shows
// the patch.
#include "channels/coder_page.h"
#include "engine/output_cycle.h"
#include "tests/gui_fixture.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QScrollBar>
#include <QToolButton>

#include <utility>
#include <vector>

namespace velantra {
namespace {

// A patch file image written out by hand: identity but for changes, low byte first.
QByteArray patchBytes(const std::vector<std::pair<int, int>>& changes = {})
{
    QByteArray bytes;
    for (int k = 0; k < 256; ++k) {
        int v = k;
        for (auto [entry, source] : changes) {
            v = entry == k ? source : v;
        }
        bytes.append(static_cast<char>(v & 0xFF)).append(static_cast<char>(v >> 8));
    }
    return bytes;
}

QString row(int source, int output)
{
    return QStringLiteral("Канал %1 выводится в канал %2").arg(source).arg(output);
}

class CoderPageTest : public GuiTest {
protected:
    CoderPageTest()
    {
        e->ClearAll();
        QObject::connect(&page, &CoderPage::status, [this](const QString& s) { statuses << s; });
    }

    template <typename T> T* control(const char* prefix, int r)
    {
        return page.findChild<T*>(QString::fromLatin1(prefix) + QStringLiteral("%1").arg(r, 2, 10, QLatin1Char('0')));
    }
    QScrollBar* source(int r) { return control<QScrollBar>("ScrollBarCoder", r); }
    QString label(int r) { return control<QLabel>("Labelcoder", r)->text(); }
    QString fileLabel() { return page.findChild<QLabel*>(QStringLiteral("LabelCoder"))->text(); }
    void setOffset(int v) { page.findChild<QScrollBar*>(QStringLiteral("ScrollBarCoderPos"))->setValue(v); }
    void click(const QString& name) { page.findChild<QToolButton*>(name)->click(); }
    int entry(int k) const { return e->coderTable.get(k); }
    static void writeRaw(const QString& target, const QByteArray& bytes)
    {
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QByteArray readRaw(const QString& target)
    {
        QFile file(target);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Scene level of channel c is 256 - c; one tick.
    void tickWithLevels()
    {
        e->controls.rateMode = RateMode::Off;
        for (int c = 1; c <= 255; ++c) {
            e->DataWrite(0, c, 256 - c);
        }
        cycle.tick();
    }
    int slot(int s) const { return e->dmxFrame.get(s); }

    std::unique_ptr<Engine> e = std::make_unique<Engine>();
    OutputCycle cycle{*e};
    CoderPage page{*e};
    QStringList statuses;
};

TEST_F(CoderPageTest, FirstStartWritesTheIdentityPatchAndUsesIt)
{
    e->coderTable.set(9, 1);
    page.startUp(path("gone.vdx"));
    const QString fresh = dataPath(QStringLiteral("Vela43.vdx"));
    EXPECT_EQ(readRaw(fresh), patchBytes());
    EXPECT_EQ(fileLabel(), QStringLiteral("Vela43.vdx"));
    EXPECT_EQ(statuses, QStringList{QStringLiteral("Нет файла кодера")});
    EXPECT_EQ(page.savingName(), fresh);
    EXPECT_EQ(page.openDialog().fileName(), fresh);
    EXPECT_EQ(label(9), row(9, 9));
}

TEST_F(CoderPageTest, StartUpLoadsTheRememberedFile)
{
    writeRaw(path("club.vdx"), patchBytes({{3, 9}}));
    page.startUp(path("club.vdx"));
    EXPECT_EQ(source(3)->value(), 9);
    EXPECT_EQ(label(3), row(9, 3));
    EXPECT_EQ(fileLabel(), QStringLiteral("club.vdx"));
    EXPECT_FALSE(QFile::exists(dataPath(QStringLiteral("Vela43.vdx"))));
}

// Entry 0 routes a channel into the start code, and receivers then ignore
// every frame: the file still loads as it is, but the operator is told.
TEST_F(CoderPageTest, AFileThatChangesTheStartCodeLoadsAndSaysSo)
{
    auto startCode = [this] { return page.findChild<QLabel*>(QStringLiteral("LabelCoderStartCode"))->text(); };
    writeRaw(path("plain.vdx"), patchBytes());
    page.startUp(path("plain.vdx"));
    EXPECT_TRUE(statuses.isEmpty());
    EXPECT_EQ(startCode(), QStringLiteral("Стартовый код 0"));

    writeRaw(path("odd.vdx"), patchBytes({{0, 5}}));
    page.startUp(path("odd.vdx"));
    EXPECT_EQ(entry(0), 5) << "stored files may rely on it";
    ASSERT_EQ(statuses.size(), 1);
    EXPECT_TRUE(statuses[0].contains(QStringLiteral("start code"))) << statuses[0].toStdString();
    EXPECT_EQ(startCode(), QStringLiteral("Стартовый код = уровень канала 5"));
    tickWithLevels();
    EXPECT_EQ(slot(0), 256 - 5) << "what the label says is what is sent";
}

TEST_F(CoderPageTest, StartUpWithAShortFileReportsItAndStops)
{
    writeRaw(path("cut.vdx"), patchBytes().left(300));
    page.startUp(path("cut.vdx"));
    EXPECT_EQ(boxTexts, QStringList{QStringLiteral("Read beyond end of file")});
    EXPECT_EQ(fileLabel(), QStringLiteral("Имя Кодера"));
}

TEST_F(CoderPageTest, ChannelOneOnOutputFiveIsSentInBothSlots)
{
    page.startUp({});
    e->memory.set(pictureAddress(0), 1);  // a picture lights slot 0
    e->memory.set(pictureAddress(0) + 256, 77);
    e->controls.pictureOn[0] = true;
    tickWithLevels();
    EXPECT_EQ(slot(0), 77);
    for (int c = 1; c <= 255; ++c) {
        ASSERT_EQ(slot(c), 256 - c) << "identity changed slot " << c;
    }

    source(5)->setValue(1);
    EXPECT_EQ(entry(5), 1);
    EXPECT_EQ(label(5), row(1, 5));
    cycle.tick();
    EXPECT_EQ(slot(1), 255);
    EXPECT_EQ(slot(5), 255);
}

TEST_F(CoderPageTest, BlackoutStaysDarkUnderAPatch)
{
    page.startUp({});
    for (int r = 1; r <= CoderPage::Rows; ++r) {
        source(r)->setValue(31 - r);
    }
    e->coderTable.set(0, 40);
    tickWithLevels();
    ASSERT_EQ(slot(1), 256 - 30);  // the patch is in use
    e->controls.blackOut = true;
    cycle.tick();
    for (int s = 0; s <= 255; ++s) {
        ASSERT_EQ(slot(s), 0) << "slot " << s;
    }
}

TEST_F(CoderPageTest, LastPageEditsOutputs226To255)
{
    page.startUp({});
    setOffset(225);
    for (int r = 1; r <= CoderPage::Rows; ++r) {
        ASSERT_EQ(label(r), row(225 + r, 225 + r));
    }
    source(30)->setValue(3);
    EXPECT_EQ(entry(255), 3);
    EXPECT_EQ(entry(30), 30);
}

TEST_F(CoderPageTest, ResetRestoresIdentityButEntryZeroAndRelabelsEveryRow)
{
    page.startUp({});
    setOffset(100);
    source(2)->setValue(50);
    e->coderTable.set(0, 7);
    e->coderTable.set(400, 3);
    click(QStringLiteral("SpeedButtonResetCoder"));
    EXPECT_EQ(entry(0), 7);
    for (int k = 1; k < CoderEntries; ++k) {
        ASSERT_EQ(entry(k), k) << "entry " << k;
    }
    for (int r = 1; r <= CoderPage::Rows; ++r) {
        ASSERT_EQ(label(r), row(100 + r, 100 + r));
    }
}

TEST_F(CoderPageTest, RefreshShowsSourcesNoSelectorCanAndKeepsThem)
{
    page.startUp({});
    e->coderTable.set(3, 0);
    e->coderTable.set(4, 300);
    page.UpDateDmxCoder();
    EXPECT_EQ(label(3), row(0, 3));
    EXPECT_EQ(label(4), row(300, 4));
    EXPECT_EQ(entry(3), 0);
    EXPECT_EQ(entry(4), 300);
}

TEST_F(CoderPageTest, LoadRefreshesTheRowsButNotTheNamesAndRefusesAShortFile)
{
    page.startUp({});
    statuses.clear();
    writeRaw(path("b.vdx"), patchBytes({{1, 300}, {2, 200}}) + "tail");
    answerFile(path("b.vdx"));
    click(QStringLiteral("SpeedButtonOpenCoderTab"));
    EXPECT_EQ(label(2), row(200, 2));
    EXPECT_EQ(entry(1), 1);
    EXPECT_EQ(statuses, QStringList{QStringLiteral("В файле кодера недопустимые каналы заменены прямым выводом: 1")});
    EXPECT_EQ(fileLabel(), QStringLiteral("Vela43.vdx"));
    EXPECT_EQ(page.savingName(), dataPath(QStringLiteral("Vela43.vdx")));

    writeRaw(path("short.vdx"), QByteArray(511, '\0'));
    answerFile(path("short.vdx"));
    click(QStringLiteral("SpeedButtonOpenCoderTab"));
    EXPECT_EQ(boxTexts, QStringList{QStringLiteral("Read beyond end of file")});
    EXPECT_EQ(entry(2), 200);
    EXPECT_EQ(fileDialogs, QStringList(2, QStringLiteral("OpenDialogCoder")));
}

TEST_F(CoderPageTest, SaveWritesTheTableAndBecomesTheLoadingName)
{
    page.startUp({});
    source(4)->setValue(10);
    answerFile(path("mine.vdx"));
    click(QStringLiteral("SpeedButtonSaveCoderTab"));
    EXPECT_EQ(readRaw(path("mine.vdx")), patchBytes({{4, 10}}));
    EXPECT_EQ(page.openDialog().fileName(), path("mine.vdx"));
    EXPECT_EQ(page.savingName(), path("mine.vdx"));
    EXPECT_EQ(fileLabel(), QStringLiteral("Vela43.vdx"));

    QDir().mkdir(path("taken.vdx"));
    answerFile(path("taken.vdx"));
    click(QStringLiteral("SpeedButtonSaveCoderTab"));
    EXPECT_EQ(boxTexts, QStringList{QStringLiteral("File access denied")});
    EXPECT_EQ(page.savingName(), path("mine.vdx"));
    EXPECT_EQ(fileDialogs, QStringList(2, QStringLiteral("SaveDialogCoder")));
}

class CoarseStepTest : public CoderPageTest, public ::testing::WithParamInterface<int> {};

TEST_P(CoarseStepTest, AtMostOneButtonIsDownAndItsStepIsEveryRowsPageStep)
{
    const auto down = [this] {
        QStringList names;
        for (int step : {3, 4, 6, 8, 12, 16}) {
            if (page.findChild<QToolButton*>(QStringLiteral("SpeedButtonCoderCh%1").arg(step))->isChecked()) {
                names << QString::number(step);
            }
        }
        return names;
    };
    const QString n = QString::number(GetParam());
    ASSERT_EQ(down(), QStringList{QStringLiteral("12")});
    click(QStringLiteral("SpeedButtonCoderCh") + n);
    EXPECT_EQ(down(), GetParam() == 12 ? QStringList{} : QStringList{n});
    click(QStringLiteral("SpeedButtonCoderCh") + n);
    EXPECT_EQ(down(), GetParam() == 12 ? QStringList{n} : QStringList{});
    for (int r = 1; r <= CoderPage::Rows; ++r) {
        ASSERT_EQ(source(r)->pageStep(), GetParam()) << "row " << r;
        ASSERT_EQ(source(r)->singleStep(), 1) << "row " << r;
    }
}

INSTANTIATE_TEST_SUITE_P(CoderPage, CoarseStepTest, ::testing::Values(3, 4, 6, 8, 12, 16));

}  // namespace
}  // namespace velantra
