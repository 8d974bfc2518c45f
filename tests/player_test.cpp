// The player core without a window, and velantra-player as a process: the
// show played to the network, the conveyor moving on, the end on SIGTERM.
// Links no widget library.
#include "desk/desk_controls.h"
#include "desk/player.h"
#include "engine/automat.h"
#include "engine/engine.h"
#include "engine/output_cycle.h"
#include "engine/sequencer.h"
#include "journal/journal_format.h"
#include "network/network_outputs.h"
#include "player/headless.h"
#include "storage/settings_file.h"
#include "storage/show_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QNetworkDatagram>
#include <QNetworkProxy>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>
#include <QUuid>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <memory>
#include <tuple>
#include <vector>

namespace velantra {
namespace {

// A one-scene show: channel at level, reached at once (fade step 255).
void writeOneSceneShow(const QString& path, int channel, int level)
{
    auto engine = std::make_unique<Engine>();
    engine->ClearAll();
    engine->memory.set(CellLastScene, 0);
    engine->memory.set(CellTempo, 10);
    engine->memory.set(RateBase + channel, 255);
    engine->DataWrite(0, static_cast<std::uint8_t>(channel), static_cast<std::uint8_t>(level));
    ASSERT_TRUE(writeShowFile(path, engine->memory).ok);
}

// ---------------------------------------------------------------------------
// The core alone.

TEST(PlayerCore, AWrapInListModeLoadsTheNextShowThatIsDownAndStartsItFromSceneZero)
{
    auto engine = std::make_unique<Engine>();
    Player player(*engine);
    player.sequencerTimer()->stop();
    ConveyorList& list = player.conveyor();
    list.setFile(2, QStringLiteral("/shows/b.vlt"));
    list.setFile(3, QStringLiteral("/shows/c.vlt"));
    list.setDown(3, true);  // slot 2 is filled but up: passed over
    QSignalSpy wanted(&player, &Player::showWanted);
    QSignalSpy stepped(&player, &Player::conveyorStepped);
    engine->memory.set(CellLastScene, 1);
    engine->memory.set(CellScene, 1);

    player.play();
    player.step();  // wraps, but the conveyor is in hand mode
    EXPECT_EQ(wanted.count(), 0);
    list.mode = ConveyorList::Mode::List;
    engine->memory.set(CellScene, 1);
    player.step();
    ASSERT_EQ(wanted.count(), 1);
    EXPECT_EQ(wanted[0][0].toString(), QStringLiteral("/shows/c.vlt"));
    EXPECT_EQ(stepped[0][0].toInt(), 3);
    EXPECT_EQ(engine->memory.get(CellScene), 0);
    EXPECT_EQ(list.position, 4);
}

// The tick clocks the transport: at every tempo each step falls in a whole
// tick, the intervals are the period rounded down or up to ticks, and over
// 100 s of ticks no step is gained or lost (no drift against the frames).
// An automat running alone keeps its steps per minute the same way, also
// below a tick. A busy window cannot delay any of it: nothing here runs the
// event loop.
TEST(PlayerCore, OnTheTicksClockStepsFallInWholeTicksWithoutDrift)
{
    struct Case {
        int tempo;  // the sequencer's: tempo² ms; the automats' tempo cell: the same
    };
    constexpr int Ticks = 2000;  // 100 s of output
    for (const Case c : {Case{10}, Case{11}, Case{13}, Case{44}, Case{5}}) {
        SCOPED_TRACE(c.tempo);
        auto engine = std::make_unique<Engine>();
        engine->ClearAll();
        engine->memory.set(CellLastScene, 255);
        engine->memory.set(AutomatSetups[0].tempoCell, static_cast<std::uint8_t>(c.tempo));
        OutputCycle cycle(*engine);
        Player player(*engine);
        player.setTempo(std::max(c.tempo, TempoMin));
        player.refreshAutomatTempo(0);
        player.setAutomatRun(0, true, false);
        player.clockOnTheTick(true);
        EXPECT_FALSE(player.sequencerTimer()->isActive());
        EXPECT_FALSE(player.automatTimer(0)->isActive());
        player.play();
        const int period = player.stepInterval();
        std::vector<int> stepTicks;
        int scene = engine->memory.get(CellScene);
        for (int t = 1; t <= Ticks; ++t) {
            cycle.tick();
            if (engine->memory.get(CellScene) != scene) {
                scene = engine->memory.get(CellScene);
                stepTicks.push_back(t);
            }
        }
        EXPECT_EQ(static_cast<int>(stepTicks.size()), Ticks * 50 / period);
        for (std::size_t i = 1; i < stepTicks.size(); ++i) {
            const int ticks = stepTicks[i] - stepTicks[i - 1];
            EXPECT_TRUE(ticks == period / 50 || ticks == (period + 49) / 50) << "step " << i << ": " << ticks;
        }
        EXPECT_EQ(static_cast<int>(engine->transport.automatSteps[0].load()), Ticks * 50 / automatPeriod(c.tempo));
        EXPECT_EQ(engine->transport.automatSteps[1].load(), 0U) << "automat 2 is switched off";
    }
}

// A wrap in the conveyor's list mode reads the next show's file: the tick
// stops at the last scene, takes no step until the player has loaded the
// show, and the player starts it from scene 0 and follows the tick again.
TEST(PlayerCore, OnTheTicksClockAWrapInListModeWaitsForTheNextShow)
{
    auto engine = std::make_unique<Engine>();
    engine->ClearAll();
    engine->memory.set(CellLastScene, 1);
    OutputCycle cycle(*engine);
    Player player(*engine);
    player.conveyor().setFile(2, QStringLiteral("/shows/b.vlt"));
    player.conveyor().setDown(2, true);
    player.setConveyorMode(ConveyorList::Mode::List);
    QSignalSpy wanted(&player, &Player::showWanted);
    QSignalSpy stepped(&player, &Player::stepped);
    player.setTempo(10);
    player.clockOnTheTick(true);
    player.play();
    for (int t = 0; t < 10; ++t) {
        cycle.tick();
    }
    EXPECT_EQ(engine->memory.get(CellScene), 1) << "held at the last scene";
    EXPECT_EQ(engine->transport.wrapWanted.load(), 1);
    player.followTheTick();
    ASSERT_EQ(wanted.count(), 1);
    EXPECT_EQ(wanted[0][0].toString(), QStringLiteral("/shows/b.vlt"));
    EXPECT_EQ(engine->memory.get(CellScene), 0);
    EXPECT_GE(stepped.count(), 1);
    cycle.tick();
    cycle.tick();
    EXPECT_EQ(engine->memory.get(CellScene), 1) << "the tick steps on";
    player.stopTimers();
    cycle.tick();
    cycle.tick();
    EXPECT_EQ(engine->memory.get(CellScene), 1) << "no step after the end";
}

// During play the tick is the only writer of the current scene: a jump the
// desk asks for lands at the next tick's start, before that tick's step, so
// a step due in the same tick goes on from the scene jumped to.
TEST(PlayerCore, OnTheTicksClockAJumpDuringPlayIsTakenByTheTick)
{
    auto engine = std::make_unique<Engine>();
    engine->ClearAll();
    engine->memory.set(CellLastScene, 50);
    OutputCycle cycle(*engine);
    Player player(*engine);
    player.setTempo(10);  // a step every other tick
    player.clockOnTheTick(true);
    player.play();
    cycle.tick();
    const int before = engine->memory.get(CellScene);
    player.jumpToScene(20);
    EXPECT_EQ(engine->memory.get(CellScene), before) << "not written by the desk";
    cycle.tick();  // this tick also takes a step
    EXPECT_EQ(engine->memory.get(CellScene), 21) << "the jump first, then the step";
    player.stop();
    player.jumpToScene(5);
    EXPECT_EQ(engine->memory.get(CellScene), 5) << "stopped: the desk writes it at once";
}

TEST(PlayerCore, AHeldShowDoesNotPlayAndTheTempoSetsTheStep)
{
    auto engine = std::make_unique<Engine>();
    Player player(*engine);
    player.setHeld(true);
    player.play();
    EXPECT_FALSE(player.playing()) << "the picture editor holds the show";
    player.setHeld(false);
    player.play();
    EXPECT_TRUE(player.playing());
    player.setTempo(200);
    EXPECT_EQ(engine->memory.get(CellTempo), 170);
    EXPECT_EQ(player.stepInterval(), 170 * 170);
}

// The desk's controls keep the pages' rules whichever surface calls them,
// and say what changed.
TEST(DeskControlsTest, KeepThePagesRulesAndSayWhatChanged)
{
    auto engine = std::make_unique<Engine>();
    engine->ClearAll();
    Player player(*engine);
    DeskControls desk(*engine, player);
    QSignalSpy changed(&desk, &DeskControls::changed);
    const auto level = [&](int channel) { return int(engine->memory.get(sceneAddress(0) + channel)); };

    desk.setPageOffset(300);
    EXPECT_EQ(desk.pageOffset(), FaderOffsetMax) << "held at the last page";
    desk.setPageOffset(10);
    desk.moveFader(2, 180);
    EXPECT_EQ(level(12), 180) << "fader 2 of page 10 is channel 12";
    EXPECT_EQ(desk.faderValue(2), 180);
    desk.play();
    desk.moveFader(2, 40);
    EXPECT_EQ(level(12), 180) << "a playing show's scenes are not written";
    EXPECT_EQ(desk.faderPosition(2), 40) << "the position is kept for manual mode";

    engine->memory.set(SelectBase + 3, 1);
    engine->memory.set(SelectBase + 12, 1);
    desk.setLevelAll(77);
    EXPECT_EQ(level(3), 77);
    EXPECT_EQ(level(12), 77);
    EXPECT_EQ(level(4), 0) << "only the selected channels";

    desk.setBlackOut(true);
    EXPECT_FALSE(desk.playing()) << "blackout ends play";
    desk.setMacro(true);
    desk.backToScene();
    EXPECT_FALSE(desk.blackOut());
    EXPECT_FALSE(desk.macro());

    QSignalSpy wanted(&desk, &DeskControls::showWanted);
    player.conveyor().setFile(4, QStringLiteral("/shows/d.vlt"));
    player.setConveyorMode(ConveyorList::Mode::List);
    desk.chooseConveyorSlot(4);
    EXPECT_EQ(wanted.count(), 0) << "a slot key loads its show in hand mode only";
    player.setConveyorMode(ConveyorList::Mode::Hand);
    desk.chooseConveyorSlot(4);
    ASSERT_EQ(wanted.count(), 1);
    EXPECT_EQ(desk.conveyorSlot(), 4);

    const auto said = [&](DeskControls::Control control, int index) {
        return std::any_of(changed.begin(), changed.end(), [&](const QList<QVariant>& args) {
            return args[0].value<DeskControls::Control>() == control && args[1].toInt() == index;
        });
    };
    EXPECT_TRUE(said(DeskControls::Control::PageOffset, 0));
    EXPECT_TRUE(said(DeskControls::Control::Fader, 2));
    EXPECT_TRUE(said(DeskControls::Control::LevelAll, 0));
    EXPECT_TRUE(said(DeskControls::Control::Playing, 0));
    EXPECT_TRUE(said(DeskControls::Control::BlackOut, 0));
    EXPECT_TRUE(said(DeskControls::Control::ConveyorSlot, 4));
}

TEST(HeadlessOptions, AreReadOrRefusedWithTheReason)
{
    const ParsedOptions all = parseHeadlessOptions(
        {QStringLiteral("--show"), QStringLiteral("a.vlt"), QStringLiteral("--tempo"), QStringLiteral("12"),
         QStringLiteral("--conveyor"), QStringLiteral("--automats"), QStringLiteral("--autosave")});
    EXPECT_TRUE(all.error.isEmpty()) << all.error.toStdString();
    EXPECT_EQ(all.options.show, QStringLiteral("a.vlt"));
    EXPECT_EQ(all.options.tempo, 12);
    EXPECT_TRUE(all.options.conveyor && all.options.automats && all.options.autosave);
    const ParsedOptions named = parseHeadlessOptions({QStringLiteral("--queue"), QStringLiteral("--chasers")});
    EXPECT_TRUE(named.error.isEmpty() && named.options.conveyor && named.options.automats)
        << "the glossary's names, beside the older ones";

    const std::pair<QStringList, const char*> bad[] = {
        {{QStringLiteral("--tempo"), QStringLiteral("9")}, "--tempo must be 10..170"},
        {{QStringLiteral("--tempo"), QStringLiteral("fast")}, "--tempo must be 10..170"},
        {{QStringLiteral("--show")}, "--show needs a value"},
        {{QStringLiteral("--loop")}, "unknown argument \"--loop\""},
    };
    for (const auto& [arguments, message] : bad) {
        EXPECT_TRUE(parseHeadlessOptions(arguments).error.startsWith(QLatin1String(message)))
            << parseHeadlessOptions(arguments).error.toStdString();
    }
}

TEST(HeadlessInterfaceLine, SaysWhyTheInterfaceIsClosed)
{
    UsbListing none;
    none.count = UsbListing::Count::NoDevice;
    UsbListing two;
    two.count = UsbListing::Count::Devices;
    two.devices = 2;
    const UsbStatus quiet;
    const UsbStatus refused{UsbLabel::FT_Open, FT_DEVICE_NOT_OPENED};
    const QString device = QStringLiteral("DMX USB PRO (libftdi1)");
    const QString demo = QStringLiteral(" (demo mode: the frames go to the network outputs only)");
    struct Case {
        bool offline;
        bool open;
        UsbStatus status;
        UsbListing listing;
        QString line;
    };
    const Case cases[] = {
        {false, false, quiet, none, QStringLiteral("interface closed: no USB interface found") + demo},
        {false, false, quiet, UsbListing{},
         QStringLiteral("interface closed: the USB devices could not be listed") + demo},
        {false, false, quiet, two,
         QStringLiteral("interface closed: 2 USB device(s) found, the first one does not open") + demo},
        {false, false, refused, two, QStringLiteral("interface closed: ") + usbStatusText(refused).trimmed() + demo},
        {false, true, quiet, two, QStringLiteral("interface open: DMX USB PRO (libftdi1)")},
        {true, false, quiet, none, QStringLiteral("demo mode: nothing is written to the interface")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(interfaceLogLine(c.offline, c.open, device, c.status, c.listing).toStdString(), c.line.toStdString());
    }
    EXPECT_FALSE(usbStatusText(refused).trimmed().isEmpty()) << "the driver's failure has a text";
}

TEST(SacnSourceCid, IsNameBasedOnTheMachineAndTheDataDirectory)
{
    const QByteArray machine = "4c4c4544003957108052b4c04f384b32";
    const QString dir = QStringLiteral("/home/light/.local/share/korvex/velantra/");
    const QUuid cid = derivedSourceCid(machine, dir);
    EXPECT_EQ(cid.version(), QUuid::Sha1);
    EXPECT_EQ(cid, derivedSourceCid(machine, dir)) << "the same at every start";
    EXPECT_NE(cid, derivedSourceCid("another-machine", dir));
    EXPECT_NE(cid, derivedSourceCid(machine, QStringLiteral("/srv/stage/korvex/velantra/")));
}

// ---------------------------------------------------------------------------
// velantra-player as a process, sending sACN to this test on the loopback.

class HeadlessProcess : public ::testing::Test {
protected:
    HeadlessProcess()
    {
        QDir().mkpath(dataDir());
        // E1.31 data packets arrive on port 5568; the player sends to 127.0.0.1.
        // No proxy look-up: the system's proxy library runs a thread of its own.
        receiver_.setProxy(QNetworkProxy::NoProxy);
        bound_ = receiver_.bind(QHostAddress::LocalHost, 5568);
    }
    ~HeadlessProcess() override
    {
        if (player_.state() != QProcess::NotRunning) {
            player_.kill();
            player_.waitForFinished();
        }
    }
    QString dataDir() const { return home_.filePath(QStringLiteral("data/korvex/velantra")); }
    QString path(const QString& name) const { return home_.filePath(name); }

    void writeSettings(const std::array<QString, KonveirEntryCount>& conveyor, const QString& show,
                       const QString& cid = {}, const QString& kinds = {})
    {
        Settings settings;
        settings.interfaceKinds = kinds;
        settings.sacn.cid = cid;
        settings.konveir = conveyor;
        settings.path = show;
        settings.sacn.enabled = QStringLiteral("1");
        settings.sacn.universe = QStringLiteral("7");
        settings.sacn.destination = QStringLiteral("127.0.0.1");
        ASSERT_TRUE(velantra::writeSettings(dataDir() + QStringLiteral("/Vela43.ini"), settings).ok);
    }
    void start(const QStringList& arguments, bool withDevice = true, const QString& framesFile = {})
    {
        ASSERT_TRUE(bound_) << "UDP port 5568 on the loopback is taken: " << receiver_.errorString().toStdString();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), home_.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("HOME"), home_.path());
        // The stand-in for the vendor's library: the player finds an interface and writes to it.
        if (withDevice) {
            env.insert(QStringLiteral("LD_LIBRARY_PATH"), QStringLiteral(FAKE_FTD2XX_DIR));
            if (!framesFile.isEmpty()) {
                env.insert(QStringLiteral("FAKE_FTD2XX_FRAMES"), framesFile);
            }
        }
        player_.setProcessEnvironment(env);
        player_.start(QStringLiteral(VELANTRA_PLAYER), arguments);
        ASSERT_TRUE(player_.waitForStarted(5000));
    }
    // Reads the packets that have arrived: true when an sACN data packet of
    // universe 7 had level in channel's slot. Counts the packets.
    bool receive(int channel, int level)
    {
        bool seen = false;
        while (receiver_.hasPendingDatagrams()) {
            const QByteArray p = receiver_.receiveDatagram().data();
            // Universe at bytes 113..114, options at 112, the start code at 125, channel n at 125 + n.
            if (p.size() != 638 || p[113] != 0 || p[114] != 7) {
                continue;
            }
            ++packets;
            lastOptions = static_cast<std::uint8_t>(p[112]);
            lastCid = p.mid(22, 16);
            seen = seen || static_cast<std::uint8_t>(p[125 + channel]) == level;
        }
        return seen;
    }
    // Waits at most 10 s for such a packet.
    bool waitForLevel(int channel, int level)
    {
        return QTest::qWaitFor([&] { return receive(channel, level); }, 10000);
    }
    // Takes the packets that arrive within 300 ms.
    void drain()
    {
        QTest::qWait(300);
        receive(1, -1);
    }
    QString log() { return QString::fromUtf8(stderr_ += player_.readAllStandardError()); }

    QTemporaryDir home_;
    QUdpSocket receiver_;
    bool bound_ = false;
    QProcess player_;
    QByteArray stderr_;
    int packets = 0;
    std::uint8_t lastOptions = 0;
    QByteArray lastCid;
};

TEST_F(HeadlessProcess, PlaysTheLastShowAndEndsWithinASecondOfSigtermWritingNothing)
{
    writeOneSceneShow(path(QStringLiteral("Gala.vlt")), 5, 200);
    writeSettings({}, path(QStringLiteral("Gala.vlt")));
    QFile ini(dataDir() + QStringLiteral("/Vela43.ini"));
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray settingsBefore = ini.readAll();
    ini.close();
    // The window's journal of a run that did not end cleanly: said, left alone.
    const QString journalPath = dataDir() + QStringLiteral("/Vela43.vlj");
    const QByteArray journal = encodeHeader({1234, QDateTime::currentDateTimeUtc(), path(QStringLiteral("Gala.vlt"))});
    {
        QFile file(journalPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(journal);
    }

    start({});
    ASSERT_TRUE(waitForLevel(5, 200)) << log().toStdString();
    const int seen = packets;
    ASSERT_TRUE(QTest::qWaitFor([&] { return waitForLevel(5, 200) && packets >= seen + 10; }, 5000))
        << "frames keep flowing";
    EXPECT_TRUE(log().contains(QLatin1String("show loaded: ") + path(QStringLiteral("Gala.vlt"))))
        << log().toStdString();
    EXPECT_TRUE(log().contains(QLatin1String("interface open"))) << log().toStdString();

    QElapsedTimer ending;
    ending.start();
    ::kill(static_cast<pid_t>(player_.processId()), SIGTERM);
    ASSERT_TRUE(player_.waitForFinished(5000));
    const qint64 ms = ending.elapsed();
    std::printf("velantra-player ended %lld ms after SIGTERM\n", static_cast<long long>(ms));
    EXPECT_LE(ms, 1000);
    EXPECT_EQ(player_.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(player_.exitCode(), 0);
    EXPECT_TRUE(log().contains(QLatin1String("outputs stopped"))) << log().toStdString();
    drain();
    EXPECT_EQ(lastOptions & 0x40, 0x40) << "the last packets tell receivers the stream ended";
    EXPECT_FALSE(QFile::exists(dataDir() + QStringLiteral("/Vela43.vlt"))) << "no autosave unless asked";
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_EQ(ini.readAll(), settingsBefore) << "the settings file is left alone";
    EXPECT_TRUE(log().contains(QLatin1String("an edit journal of the window waits to be recovered")))
        << log().toStdString();
    QFile left(journalPath);
    ASSERT_TRUE(left.open(QIODevice::ReadOnly));
    EXPECT_EQ(left.readAll(), journal) << "the journal is the window's to recover";
    EXPECT_FALSE(QFile::exists(dataDir() + QStringLiteral("/recovery")));
}

TEST_F(HeadlessProcess, TheConveyorMovesToTheNextShowWhenAShowEnds)
{
    writeOneSceneShow(path(QStringLiteral("A.vlt")), 1, 200);
    writeOneSceneShow(path(QStringLiteral("B.vlt")), 2, 100);
    std::array<QString, KonveirEntryCount> conveyor{};
    conveyor[0] = path(QStringLiteral("A.vlt"));
    conveyor[3] = path(QStringLiteral("B.vlt"));
    writeSettings(conveyor, QString());

    start({QStringLiteral("--conveyor"), QStringLiteral("--tempo"), QStringLiteral("10")});
    ASSERT_TRUE(waitForLevel(1, 200)) << log().toStdString();
    ASSERT_TRUE(waitForLevel(2, 100)) << log().toStdString();
    EXPECT_TRUE(log().contains(QLatin1String("show queue: slot 4 plays"))) << log().toStdString();
    ::kill(static_cast<pid_t>(player_.processId()), SIGINT);
    ASSERT_TRUE(player_.waitForFinished(5000));
    EXPECT_EQ(player_.exitCode(), 0);
}

TEST_F(HeadlessProcess, KeepsItsSacnCidFromOneStartToTheNextAndUsesAStoredOne)
{
    writeOneSceneShow(path(QStringLiteral("Gala.vlt")), 5, 200);
    const auto cidOfAStart = [this](const QString& stored) {
        writeSettings({}, path(QStringLiteral("Gala.vlt")), stored);
        lastCid.clear();
        start({});
        EXPECT_TRUE(waitForLevel(5, 200)) << log().toStdString();
        ::kill(static_cast<pid_t>(player_.processId()), SIGTERM);
        EXPECT_TRUE(player_.waitForFinished(5000));
        drain();
        return lastCid;
    };
    const QByteArray first = cidOfAStart({});
    EXPECT_EQ(first.size(), 16);
    EXPECT_NE(first, QByteArray(16, '\0'));
    EXPECT_EQ(cidOfAStart({}), first) << "no CID stored: the same one at every start";
    const QUuid stored(QStringLiteral("6f1c8a42-93d0-4b7e-a1f5-2c6e0d9b7a31"));
    EXPECT_EQ(cidOfAStart(stored.toString(QUuid::WithoutBraces)), stored.toRfc4122());
}

// The show: automat 1 set to channel 10, automat 2 to channel 20;
// each runs its pattern on its own four slots, and slot 1 keeps the scene.
TEST_F(HeadlessProcess, WithAutomatsEachAutomatRunsOnItsOwnChannels)
{
    auto engine = std::make_unique<Engine>();
    engine->ClearAll();
    engine->memory.set(CellLastScene, 0);
    engine->memory.set(RateBase + 1, 255);
    engine->DataWrite(0, 1, 77);
    const int cells[2][5] = {{10, 10, 1, 210, 5}, {10, 20, 1, 160, 6}};  // tempo, channel, program, bright, dark
    for (int a = 0; a < 2; ++a) {
        for (int i = 0; i < 5; ++i) {
            engine->memory.set(static_cast<std::size_t>(CellAvt1Tempo + 5 * a + i),
                               static_cast<std::uint8_t>(cells[a][i]));
        }
    }
    ASSERT_TRUE(writeShowFile(path(QStringLiteral("Automats.vlt")), engine->memory).ok);
    writeSettings({}, path(QStringLiteral("Automats.vlt")));
    start({QStringLiteral("--automats")});
    for (const auto& [slot, level] : {std::pair{1, 77}, {11, 210}, {14, 210}, {11, 5}, {21, 160}, {24, 160}, {21, 6}}) {
        EXPECT_TRUE(waitForLevel(slot, level)) << "slot " << slot << " at " << level << "\n" << log().toStdString();
    }
    ::kill(static_cast<pid_t>(player_.processId()), SIGTERM);
    ASSERT_TRUE(player_.waitForFinished(5000));
}

// With no interface on the bus, the log says so (and that nothing goes to USB).
TEST_F(HeadlessProcess, LogsWhyTheInterfaceIsClosedAndARefusedSettingOnce)
{
    writeOneSceneShow(path(QStringLiteral("Gala.vlt")), 5, 200);
    writeSettings({}, path(QStringLiteral("Gala.vlt")));
    Settings settings = readSettings(dataDir() + QStringLiteral("/Vela43.ini"));
    settings.artnet.enabled = QStringLiteral("1");
    settings.artnet.portAddress = QStringLiteral("200:0:0");
    ASSERT_TRUE(velantra::writeSettings(dataDir() + QStringLiteral("/Vela43.ini"), settings).ok);
    start({}, false);
    ASSERT_TRUE(waitForLevel(5, 200)) << log().toStdString();
    ASSERT_TRUE(QTest::qWaitFor([this] { return log().contains(QLatin1String("interface closed:")); }, 5000))
        << log().toStdString();
    int closedLines = 0;
    for (const QString& line : log().split(QLatin1Char('\n'))) {
        const qsizetype at = line.indexOf(QLatin1String("interface closed:"));
        if (at >= 0) {
            ++closedLines;
            EXPECT_TRUE(line.contains(QLatin1String("velantra.device"))) << line.toStdString();
            EXPECT_GT(line.mid(at + 17).trimmed().size(), 0) << "a reason: " << line.toStdString();
            EXPECT_TRUE(line.contains(QLatin1String("demo mode"))) << line.toStdString();
        }
    }
    EXPECT_EQ(closedLines, 1) << "said once, not at every poll\n" << log().toStdString();
    QTest::qWait(1500);  // the network state is looked at every second
    EXPECT_EQ(log().count(QLatin1String("Art-Net: Port-Address 200:0:0")), 1) << log().toStdString();
    EXPECT_FALSE(log().contains(QLatin1String("Art-Net: Art-Net"))) << log().toStdString();
    ::kill(static_cast<pid_t>(player_.processId()), SIGTERM);
    ASSERT_TRUE(player_.waitForFinished(5000));
}

// The kind chosen in the window for the device's serial number drives it in the
// player too: a DMX USB Pro gets label-6 messages, not the framed stream.
TEST_F(HeadlessProcess, DrivesEachDeviceAsTheKindChosenForItsSerialNumber)
{
    writeOneSceneShow(path(QStringLiteral("Gala.vlt")), 5, 200);
    for (const auto& [kinds, first, second] : {std::tuple{QString(), 0xFF, 0xF0},
                                               {QStringLiteral("FAKE0001:pro"), 0x7E, 0x06},
                                               {QStringLiteral("OTHER:pro"), 0xFF, 0xF0}}) {
        SCOPED_TRACE(kinds.toStdString());
        writeSettings({}, path(QStringLiteral("Gala.vlt")), {}, kinds);
        const QString frames = path(QStringLiteral("frames-%1.bin").arg(first));
        start({}, true, frames);
        ASSERT_TRUE(waitForLevel(5, 200)) << log().toStdString();
        QByteArray written;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                QFile file(frames);
                written = file.open(QIODevice::ReadOnly) ? file.read(2) : QByteArray();
                return written.size() == 2 && static_cast<std::uint8_t>(written[0]) == first &&
                       static_cast<std::uint8_t>(written[1]) == second;
            },
            5000))
            << "written: " << written.toHex().toStdString() << "\n"
            << log().toStdString();
        ::kill(static_cast<pid_t>(player_.processId()), SIGTERM);
        ASSERT_TRUE(player_.waitForFinished(5000));
        stderr_.clear();
    }
}

TEST_F(HeadlessProcess, RefusesToStartWithoutAShowAndSaysWhy)
{
    writeSettings({}, path(QStringLiteral("Missing.vlt")));
    start({});
    ASSERT_TRUE(player_.waitForFinished(5000));
    EXPECT_EQ(player_.exitCode(), 1);
    EXPECT_TRUE(log().contains(QLatin1String("show not found: ") + path(QStringLiteral("Missing.vlt"))))
        << log().toStdString();
}

}  // namespace
}  // namespace velantra

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
