// "velantra FILE": the show named on the command line is opened at start
// instead of the last one, by the Open command's own steps; a patch file is
// taken as the patch. The command line itself, and the demo show that the
// build writes beside the program.
#include "channels/channel_names.h"
#include "desk/player.h"
#include "engine/version.h"
#include "storage/patch_file.h"
#include "storage/show_file.h"
#include "tests/gui_fixture.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <algorithm>
#include <array>
#include <set>

#include <signal.h>
#include <sys/types.h>

namespace velantra {
namespace {

// What the program writes to its error output while a test runs.
QStringList warnings;
void keepWarning(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type >= QtWarningMsg) {
        warnings.append(message);
    }
}

class OpenAtStartTest : public GuiTest {
protected:
    OpenAtStartTest()
    {
        warnings.clear();
        previous_ = qInstallMessageHandler(keepWarning);
    }
    ~OpenAtStartTest() override { qInstallMessageHandler(previous_); }

    void start(const QString& show)
    {
        form = std::make_unique<TBaseForm>(std::make_unique<FakeD2xx>(), nullptr, TBaseForm::OutputClock::ByHand, show);
    }
    void writeFile(const QString& file, const QByteArray& bytes)
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }
    bool warnedAbout(const QString& file) const
    {
        return std::any_of(warnings.begin(), warnings.end(), [&](const QString& w) { return w.contains(file); });
    }

private:
    QtMessageHandler previous_ = nullptr;
};

TEST_F(OpenAtStartTest, TheNamedShowIsOpenedWithItsTempo)
{
    auto show = std::make_unique<Engine>();
    show->ClearAll();
    show->memory.set(CellLastScene, 4);
    show->memory.set(CellTempo, 30);
    const QString file = path(QStringLiteral("Named.vlt"));
    ASSERT_TRUE(writeShowFile(file, show->memory).ok);

    start(file);
    EXPECT_EQ(form->engine().memory.get(CellLastScene), 4);
    EXPECT_EQ(form->player().stepInterval(), 30 * 30);
    EXPECT_EQ(form->windowTitle(), form->captionPrefix() + file);
    EXPECT_EQ(unexpected, 0);
}

TEST_F(OpenAtStartTest, ADamagedShowGetsTheOpenCommandsMessageAndChangesNothing)
{
    const QString file = path(QStringLiteral("Short.vlt"));
    QFile short_(file);
    ASSERT_TRUE(short_.open(QIODevice::WriteOnly));
    short_.write(QByteArray(100, 'x'));
    short_.close();

    answerBox(QMessageBox::Ok);
    start(file);
    EXPECT_EQ(boxTexts, QStringList{QStringLiteral("Read beyond end of file")});
    auto fresh = std::make_unique<Engine>();
    fresh->ClearAll();
    EXPECT_EQ(form->engine().memory.get(CellLastScene), fresh->memory.get(CellLastScene)) << "the new show stays";
    EXPECT_FALSE(form->windowTitle().endsWith(file));
    EXPECT_TRUE(warnedAbout(file)) << "the error output names the file";
}

// A file manager opens a patch file with the program: it becomes the patch
// (and the one remembered); one that cannot be read is said in the box and,
// with its name, on the error output, and the start goes on without it.
TEST_F(OpenAtStartTest, APatchFileIsThePatchAndAFileThatCannotBeReadIsSaid)
{
    AtomicArray<std::uint16_t, CoderEntries> patch;
    for (int slot = 0; slot < CoderEntries; ++slot) {
        patch.set(static_cast<std::size_t>(slot), static_cast<std::uint16_t>(slot));
    }
    patch.set(1, 7);
    const QString good = path(QStringLiteral("Stage.VDX"));
    ASSERT_TRUE(writePatchFile(good, patch).ok);
    writeFile(path(QStringLiteral("Short.vdx")), QByteArray(100, '\0'));

    const struct {
        QString file;
        QStringList boxes;
        int slot1Source;  // the patch's entry 1 after the start
    } cases[] = {
        {path(QStringLiteral("Short.vdx")), {QStringLiteral("Read beyond end of file")}, 1},
        {path(QStringLiteral("Missing.vdx")), {QStringLiteral("File not found")}, 1},
        {path(QStringLiteral("Missing.vlt")), {QStringLiteral("Файл ШОУ не найден ")}, 1},
        {good, {}, 7},
    };
    for (const auto& c : cases) {
        const std::string what = c.file.toStdString();
        boxTexts.clear();
        warnings.clear();
        for (qsizetype i = 0; i < c.boxes.size(); ++i) {
            answerBox(QMessageBox::Ok);
        }
        start(c.file);
        EXPECT_EQ(boxTexts, c.boxes) << what;
        EXPECT_EQ(form->engine().coderTable.get(1), c.slot1Source) << what;
        EXPECT_EQ(warnedAbout(c.file), !c.boxes.isEmpty()) << what;
        EXPECT_EQ(unexpected, 0) << what;
        cancelFile();  // the save-as dialog of the close
        closeForm();
    }
}

// The command line of both programs, run as an operator runs them: help and
// version on the standard output without a window, anything unknown refused
// with status 2, --lang by the same rule in both.
TEST(CommandLine, HelpAndVersionPrintAndAnythingUnknownIsRefused)
{
    const QString program = QStringLiteral(VELANTRA_PROGRAM);
    const QString player = QFileInfo(program).dir().filePath(QStringLiteral("../player/velantra-player"));
    const QString version = QStringLiteral("velantra %1\n").arg(QLatin1String(ReleaseVersion));
    const struct {
        QString program;
        QStringList args;
        int status;
        QString out;  // the beginning of the standard output
        QString err;  // a part of the error output
    } cases[] = {
        {program, {QStringLiteral("--help")}, 0, QStringLiteral("usage: velantra [--lang ru|en] [FILE]\n"), {}},
        {program, {QStringLiteral("-h")}, 0, QStringLiteral("usage: velantra [--lang ru|en] [FILE]\n"), {}},
        {program, {QStringLiteral("--version")}, 0, version, {}},
        {program, {QStringLiteral("-v")}, 0, version, {}},
        {program, {QStringLiteral("--bogus")}, 2, {}, QStringLiteral("velantra: Unknown option 'bogus'.")},
        {program,
         {QStringLiteral("--lang"), QStringLiteral("de")},
         2,
         {},
         QStringLiteral("velantra: --lang must be ru or en, not \"de\"")},
        {program, {QStringLiteral("a.vlt"), QStringLiteral("b.vlt")}, 2, {}, QStringLiteral("one file at most")},
        {player,
         {QStringLiteral("--lang"), QStringLiteral("de")},
         2,
         {},
         QStringLiteral("velantra-player: --lang must be ru or en, not \"de\"")},
    };
    for (const auto& c : cases) {
        const std::string what =
            (QFileInfo(c.program).fileName() + QLatin1Char(' ') + c.args.join(QLatin1Char(' '))).toStdString();
        QProcess process;
        process.start(c.program, c.args);
        ASSERT_TRUE(process.waitForFinished(20000)) << what << ": no window may open";
        EXPECT_EQ(process.exitCode(), c.status) << what;
        const QString out = QString::fromUtf8(process.readAllStandardOutput());
        const QString err = QString::fromUtf8(process.readAllStandardError());
        EXPECT_TRUE(out.startsWith(c.out) && out.isEmpty() == c.out.isEmpty()) << what << ": " << out.toStdString();
        EXPECT_TRUE(err.contains(c.err) && err.isEmpty() == c.err.isEmpty()) << what << ": " << err.toStdString();
    }
}

// The headless player says a signal's ending under its own category.
TEST_F(OpenAtStartTest, ThePlayersSignalLineHasItsCategory)
{
    const QString player =
        QFileInfo(QStringLiteral(VELANTRA_PROGRAM)).dir().filePath(QStringLiteral("../player/velantra-player"));
    auto show = std::make_unique<Engine>();
    show->ClearAll();
    const QString file = path(QStringLiteral("Loop.vlt"));
    ASSERT_TRUE(writeShowFile(file, show->memory).ok);
    QProcess process;
    process.start(player, {QStringLiteral("--show"), file});
    ASSERT_TRUE(process.waitForStarted());
    QByteArray err;
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            process.waitForReadyRead(100);
            err += process.readAllStandardError();
            return err.contains("show loaded");
        },
        10000))
        << err.toStdString();
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(10000));
    err += process.readAllStandardError();
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_TRUE(err.contains("velantra.player info: signal 15: ending")) << err.toStdString();
}

// The demo show a newcomer opens with tools/run.sh --demo: ▶ makes it move;
// the chasers run over dimmers, never over the moving head's pan or tilt.
TEST_F(OpenAtStartTest, TheDemoShowPlaysVisiblyAndItsChasersLeavePanAndTiltAlone)
{
    const QString demo = QFileInfo(QStringLiteral(VELANTRA_PROGRAM))
                             .dir()
                             .filePath(QStringLiteral("../share/velantra/examples/Demo.vlt"));
    ASSERT_TRUE(QFileInfo::exists(demo)) << "build the target velantra_demo: " << demo.toStdString();
    start(demo);
    Engine& engine = form->engine();
    std::set<int> headAxes;
    for (int c = 1; c <= 255; ++c) {
        const QString name = nameLabel(engine.memory, c).toLower();
        if (name.contains(QLatin1String("pan")) || name.contains(QLatin1String("tilt"))) {
            headAxes.insert(c);
        }
    }
    ASSERT_EQ(headAxes.size(), 2U);
    for (const int firstCell : {CellAvt1Tempo, CellAvt2Tempo}) {
        const auto cell = [&](int k) { return engine.memory.get(static_cast<std::size_t>(firstCell + k)); };
        EXPECT_TRUE(cell(2) >= 1 && cell(2) <= 4) << "a program";
        EXPECT_TRUE(cell(0) >= 5 && cell(0) <= 50) << "a speed the page's bar can show";
        EXPECT_GE(cell(3) - cell(4), 128) << "bright well above dark";
        for (int k = 1; k <= 4; ++k) {
            const int channel = cell(1) + k;
            EXPECT_EQ(headAxes.count(channel), 0U) << "automat over pan or tilt: channel " << channel;
            EXPECT_FALSE(nameLabel(engine.memory, channel).isEmpty()) << "automat over an unnamed channel " << channel;
        }
    }
    // The head's axes take a figure: many positions over the scenes.
    for (const int axis : headAxes) {
        std::set<int> positions;
        for (int s = 0; s <= engine.memory.get(CellLastScene); ++s) {
            positions.insert(
                engine.memory.get(static_cast<std::size_t>(sceneAddress(static_cast<std::uint8_t>(s)) + axis)));
        }
        EXPECT_GE(positions.size(), 8U) << "axis " << axis;
    }
    // ▶, then a scene at a time (tempo² ms of 50 ms ticks): the frame moves at every step.
    form->findChild<QAbstractButton*>(QStringLiteral("SpeedButtonPlay"))->click();
    ASSERT_TRUE(form->player().playing());
    const int ticksPerScene = std::max(1, form->player().stepInterval() / 50);
    std::set<std::array<int, 24>> frames;
    std::array<int, 24> previous{};
    for (int step = 0; step < 16; ++step) {
        form->player().step();
        stepOutput(ticksPerScene);
        std::array<int, 24> frame{};
        for (int slot = 1; slot <= 24; ++slot) {
            frame[static_cast<std::size_t>(slot - 1)] = engine.dmxFrame.get(static_cast<std::size_t>(slot));
        }
        EXPECT_NE(frame, previous) << "step " << step;
        previous = frame;
        frames.insert(frame);
    }
    EXPECT_GE(frames.size(), 12U);
}

}  // namespace
}  // namespace velantra
