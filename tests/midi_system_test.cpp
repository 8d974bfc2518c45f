// A controller through a real MIDI system: the test is a MIDI device with an
// output port (its faders and keys) and an input port (its motorised faders
// and lamps), the window's MIDI control finds and opens them like any other.
// The system is VELANTRA_MIDI_API (jack or alsa), which tools/midi_test.sh
// sets after starting the system; without it every test skips and says why.
// VELANTRA_JACK_SERVER_CONTROL stops and starts the JACK server.
#include "desk/player.h"
#include "midi/midi_control.h"
#include "midi/midi_page.h"
#include "programming/fader_page.h"
#include "programming/pictures_tab.h"
#include "storage/settings_file.h"
#include "storage/show_file.h"
#include "tests/gui_fixture.h"
#include "tests/midi_log.h"

#include <RtMidi.h>

#include <QCheckBox>
#include <QFile>
#include <QHostAddress>
#include <QLabel>
#include <QProcess>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUdpSocket>

#include <algorithm>
#include <csignal>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace velantra {
namespace {

using Bytes = std::vector<unsigned char>;

RtMidi::Api api()
{
    return qgetenv("VELANTRA_MIDI_API") == "alsa" ? RtMidi::LINUX_ALSA : RtMidi::UNIX_JACK;
}

// The controller's side: its two ports, and what it receives.
class Controller {
public:
    Controller()
    {
        out_.openVirtualPort("pad out");
        in_.ignoreTypes(false, true, true);
        in_.setCallback(&Controller::received, this);
        in_.openVirtualPort("pad in");
    }
    void send(Bytes bytes) { out_.sendMessage(&bytes); }
    std::vector<Bytes> got()
    {
        const std::lock_guard lock(mutex_);
        return got_;
    }
    // Waits for a message whose first bytes are these.
    bool waitFor(const Bytes& start)
    {
        return QTest::qWaitFor(
            [&] {
                for (const Bytes& b : got()) {
                    if (b.size() >= start.size() && std::equal(start.begin(), start.end(), b.begin())) {
                        return true;
                    }
                }
                return false;
            },
            5000);
    }
    void clear()
    {
        const std::lock_guard lock(mutex_);
        got_.clear();
    }

private:
    static void received(double, Bytes* bytes, void* user)
    {
        auto* self = static_cast<Controller*>(user);
        const std::lock_guard lock(self->mutex_);
        self->got_.push_back(*bytes);
    }
    RtMidiOut out_{api(), "Pad"};
    RtMidiIn in_{api(), "PadLamps"};
    std::mutex mutex_;
    std::vector<Bytes> got_;
};

// The test's JACK server paused, as a server that hangs: it takes
// connections and answers none. It goes on at the end of the scope, or after
// 10 s, so that a program that waits for it is not held for good. control:
// VELANTRA_JACK_SERVER_CONTROL, which keeps the server's process number
// beside it.
class PausedServer {
public:
    explicit PausedServer(const QString& control)
    {
        QFile pid(QFileInfo(control).dir().filePath(QStringLiteral("jackd.pid")));
        pid_ = pid.open(QIODevice::ReadOnly) ? pid.readAll().trimmed().toInt() : 0;
        EXPECT_GT(pid_, 0) << "no process number beside " << control.toStdString();
        if (pid_ <= 0) {
            return;
        }
        ::kill(pid_, SIGSTOP);
        for (int i = 0; i < 500 && !paused(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));  // no events meanwhile
        }
        fallback_.start(QStringLiteral("sh"),
                        {QStringLiteral("-c"), QStringLiteral("sleep 10; kill -CONT %1").arg(pid_)});
    }
    ~PausedServer()
    {
        if (pid_ > 0) {
            ::kill(pid_, SIGCONT);
        }
        fallback_.kill();
        fallback_.waitForFinished();
    }
    PausedServer(const PausedServer&) = delete;
    PausedServer& operator=(const PausedServer&) = delete;
    // Whether the server is still paused (the fallback did not have to resume it).
    bool paused() const
    {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid_));
        const QByteArray line = stat.open(QIODevice::ReadOnly) ? stat.readAll() : QByteArray();
        return line.mid(line.lastIndexOf(')') + 2, 1) == "T";
    }

private:
    pid_t pid_ = 0;
    QProcess fallback_;
};

class MidiSystemTest : public GuiTest {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("VELANTRA_MIDI_API")) {
            GTEST_SKIP() << "no MIDI system started: run through tools/midi_test.sh";
        }
        controller = std::make_unique<Controller>();
    }
    // The window with this bindings file, its ports open.
    TBaseForm& start(const QByteArray& bindings)
    {
        QDir().mkpath(dataPath({}));
        QFile file(dataPath(QStringLiteral("Vela43.midi")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bindings);
        file.close();
        makeForm();
        EXPECT_TRUE(QTest::qWaitFor([&] { return portOpen(); }, 5000)) << "the controller's port never opened";
        return *form;
    }
    bool portOpen()
    {
        for (const auto& p : form->midiControl().ports().inputs()) {
            if (p.controller == "Pad:pad out" && p.open) {
                return true;
            }
        }
        return false;
    }
    QScrollBar* fader(int row) { return form->faderPage()->fader(row); }
    Engine& e() { return form->engine(); }

    std::unique_ptr<Controller> controller;
};

const QByteArray Bound = "# Velantra MIDI bindings\n"
                         "input = *\n"
                         "output = PadLamps:pad in\n"
                         "pick-up = on\n"
                         "[Pad:pad out]\n"
                         "cc 1 1 = fader 1\n"
                         "cc 1 2 = fader 2\n"
                         "cc 1 9 = page\n"
                         "note 1 60 = play\n"
                         "note 1 61 = stop\n"
                         "note 1 36 = picture 1\n";

TEST_F(MidiSystemTest, ClickedFaderLearnsTheControlMovedAndThenDrivesTheSceneAndTheFrame)
{
    start("# Velantra MIDI bindings\n");
    form->midiPage()->learnButton()->click();
    QTest::mouseClick(fader(3), Qt::LeftButton);
    EXPECT_EQ(fader(3)->value(), 0) << "the click in learning moved the fader";
    controller->send({0xB2, 21, 0});  // CC 21 on channel 3
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->midiControl().learning(); }, 5000)) << "nothing learned";
    controller->send({0xB2, 21, 127});
    ASSERT_TRUE(QTest::qWaitFor([&] { return fader(3)->value() == 255; }, 5000));
    e().publishSceneAddress(e().memory.get(CellScene));
    EXPECT_EQ(e().memory.get(e().shared.sceneAddr.load() + 3), 255);
    ASSERT_TRUE(QTest::qWaitFor([&] { return e().dmxFrame.get(3) == 255; }, 2000));
    QFile file(dataPath(QStringLiteral("Vela43.midi")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("[Pad:pad out]\ncc 3 21 = fader 3\n"));
}

TEST_F(MidiSystemTest, FaderIsPickedUpAndFollowsTheBankWithFeedback)
{
    start(Bound);
    // Fader 1 stands at 0: the surface's fader far away does nothing ...
    controller->send({0xB0, 1, 100});
    QTest::qWait(300);
    EXPECT_EQ(fader(1)->value(), 0);
    // ... until it comes down through the program's value.
    controller->send({0xB0, 1, 0, 1, 64});  // running status
    ASSERT_TRUE(QTest::qWaitFor([&] { return fader(1)->value() == 129; }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return e().dmxFrame.get(1) == 129; }, 2000));

    // The program moves fader 2 (the keyboard, a refresh ...): the motorised fader follows.
    controller->clear();
    fader(2)->setValue(255);
    EXPECT_TRUE(controller->waitFor({0xB0, 2, 127}));
    // The surface pages the bank: fader 1 now shows channel 28 at 0, and says so.
    controller->clear();
    controller->send({0xB0, 9, 0, 9, 127});  // from where the page bar stands
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->faderPage()->pageBar()->value() > 0; }, 5000));
    EXPECT_TRUE(controller->waitFor({0xB0, 1, 0}));
    EXPECT_EQ(fader(1)->value(), 0);
}

TEST_F(MidiSystemTest, KeysPlayStopAndHoldAPictureWithLampsFollowing)
{
    start(Bound);
    controller->send({0x90, 60, 100, 0x80, 60, 0});
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->player().playing(); }, 5000));
    EXPECT_TRUE(controller->waitFor({0x90, 60, 127}));  // the play lamp lit
    controller->send({0x90, 61, 100});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->player().playing(); }, 5000));

    controller->send({0x90, 36, 90});
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->picturesTab()->picture(0)->isChecked(); }, 5000));
    controller->send({0x90, 36, 0});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->picturesTab()->picture(0)->isChecked(); }, 5000));
}

TEST_F(MidiSystemTest, UnpluggedControllerIsShownGoneAndReopenedByName)
{
    start(Bound);
    controller->send({0x90, 36, 90});  // picture 1 held down ...
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->picturesTab()->picture(0)->isChecked(); }, 5000));
    controller.reset();  // ... as the controller is unplugged
    ASSERT_TRUE(QTest::qWaitFor([&] { return !portOpen(); }, 6000));
    const auto* table = form->findChild<QTableWidget*>(QStringLiteral("TableMidiPorts"));
    ASSERT_NE(table, nullptr);
    EXPECT_FALSE(table->findItems(QStringLiteral("отключен"), Qt::MatchExactly).isEmpty());
    EXPECT_FALSE(form->picturesTab()->picture(0)->isChecked()) << "the picture the controller held stays lit";
    fader(1)->setValue(10);  // the rest goes on
    ASSERT_TRUE(QTest::qWaitFor([&] { return e().dmxFrame.get(1) == 10; }, 2000));

    controller = std::make_unique<Controller>();  // plugged in again
    ASSERT_TRUE(QTest::qWaitFor([&] { return portOpen(); }, 6000));
    controller->send({0xB0, 1, 5, 1, 100});
    ASSERT_TRUE(QTest::qWaitFor([&] { return fader(1)->value() == 201; }, 5000));
}

TEST_F(MidiSystemTest, StoppedServerIsSaidOnceAndThePortsReopenByNameWhenItComesBack)
{
    const QString server = qEnvironmentVariable("VELANTRA_JACK_SERVER_CONTROL");
    if (server.isEmpty()) {
        GTEST_SKIP() << "no server to stop: ALSA's sequencer is the kernel's (tools/midi_test.sh stops JACK's)";
    }
    const MidiLog log;
    start(Bound);
    const auto* system = form->findChild<QLabel*>(QStringLiteral("LabelMidiSystem"));
    ASSERT_NE(system, nullptr);
    EXPECT_EQ(system->text(), QStringLiteral("JACK работает"));
    controller->send({0x90, 36, 90});  // a picture held as the server goes
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->picturesTab()->picture(0)->isChecked(); }, 5000));

    ASSERT_EQ(QProcess::execute(server, {QStringLiteral("stop")}), 0);
    controller.reset();  // its ports went with the server
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return system->text() == QStringLiteral("JACK недоступна: сервер не запущен"); }, 5000));
    EXPECT_FALSE(portOpen());
    EXPECT_FALSE(form->picturesTab()->picture(0)->isChecked());
    QTest::qWait(4500);      // the program looks for the server twice meanwhile
    fader(1)->setValue(10);  // the rest goes on
    ASSERT_TRUE(QTest::qWaitFor([&] { return e().dmxFrame.get(1) == 10; }, 2000));
    fader(1)->setValue(0);

    // The server comes back but does not answer yet: looking for it holds
    // neither the window's thread nor its events, and it counts as away.
    ASSERT_EQ(QProcess::execute(server, {QStringLiteral("start")}), 0);
    {
        const PausedServer hung(server);
        ASSERT_TRUE(hung.paused());
        midi::MidiPorts& ports = form->midiControl().ports();
        ports.rescan();  // looks for the server
        EXPECT_TRUE(hung.paused()) << "the window's thread waited for the server";
        QSignalSpy scans(ports.findChild<QTimer*>(QStringLiteral("TimerMidiScan")), &QTimer::timeout);
        ASSERT_TRUE(QTest::qWaitFor([&] { return scans.count() >= 1; }, 5000)) << "the events stood still";
        EXPECT_EQ(system->text().toStdString(), "JACK недоступна: сервер не запущен");
        EXPECT_TRUE(hung.paused());
    }  // and now it answers
    ASSERT_TRUE(QTest::qWaitFor([&] { return system->text() == QStringLiteral("JACK работает"); }, 5000));
    controller = std::make_unique<Controller>();  // and the controller comes back
    ASSERT_TRUE(QTest::qWaitFor([&] { return portOpen(); }, 6000)) << "the input was not reopened";
    controller->send({0xB0, 1, 0, 1, 64});
    ASSERT_TRUE(QTest::qWaitFor([&] { return fader(1)->value() == 129; }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->midiControl().ports().outputOpen(); }, 5000))
        << "the feedback output was not reopened";
    controller->clear();
    fader(2)->setValue(255);
    EXPECT_TRUE(controller->waitFor({0xB0, 2, 127}));
    EXPECT_EQ(log.count(QStringLiteral("not available")), 1);
    EXPECT_EQ(log.count(QStringLiteral("is back")), 1);

    // The watch's thread opened the process's first client since the server
    // came back; the window's thread closes the last: it still takes the
    // termination signals (a program it starts inherits them, too).
    controller.reset();
    closeForm();
    sigset_t mask;
    pthread_sigmask(SIG_BLOCK, nullptr, &mask);
    EXPECT_FALSE(sigismember(&mask, SIGTERM));
}

TEST_F(MidiSystemTest, FloodingPortIsCoalescedAndEndsAtItsLastValue)
{
    start(Bound);
    // 3,000 sweeps of fader 1 at about 2,000 messages a second, while the
    // window's thread is busy elsewhere (here: sleeping in the test).
    for (int i = 0; i < 3000; ++i) {
        controller->send({0xB0, 1, static_cast<unsigned char>(i % 128)});
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    controller->send({0xB0, 1, 127});
    ASSERT_TRUE(QTest::qWaitFor([&] { return fader(1)->value() == 255; }, 5000));
    ASSERT_TRUE(QTest::qWaitFor([&] { return e().dmxFrame.get(1) == 255; }, 2000));
    EXPECT_EQ(form->midiControl().ports().dropped(), 0u);
}

// velantra-player, no window at all: the same bindings file drives the desk's
// controls. A Control Change moves the selected channel's output (sACN on
// the loopback), and the play lamp is fed back.
TEST_F(MidiSystemTest, VelantraPlayerTakesTheSameBindingsAndMovesTheOutput)
{
    // This test's data directory is the player's (XDG_DATA_HOME is inherited).
    const QString data = dataPath({});
    ASSERT_TRUE(QDir().mkpath(data));
    auto engine = std::make_unique<Engine>();
    engine->ClearAll();
    engine->memory.set(CellLastScene, 0);
    engine->memory.set(RateBase + 1, 255);
    engine->memory.set(SelectBase + 1, 1);
    engine->DataWrite(0, 1, 200);
    const QString show = path(QStringLiteral("Selected.vlt"));
    ASSERT_TRUE(writeShowFile(show, engine->memory).ok);
    Settings settings;
    settings.path = show;
    settings.sacn.enabled = QStringLiteral("1");
    settings.sacn.destination = QStringLiteral("127.0.0.1");
    ASSERT_TRUE(writeSettings(dataPath(QStringLiteral("Vela43.ini")), settings).ok);
    QFile bindings(dataPath(QStringLiteral("Vela43.midi")));
    ASSERT_TRUE(bindings.open(QIODevice::WriteOnly));
    bindings.write("# Velantra MIDI bindings\ninput = *\noutput = PadLamps:pad in\npick-up = off\n[Pad:pad out]\n"
                   "cc 1 5 = level-all\nnote 1 60 = play\n");
    bindings.close();

    QUdpSocket sacn;
    ASSERT_TRUE(sacn.bind(QHostAddress::LocalHost, 5568, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint));
    int level = -1;
    const auto levelIs = [&](int wanted) {
        while (sacn.hasPendingDatagrams()) {
            QByteArray packet(static_cast<qsizetype>(sacn.pendingDatagramSize()), '\0');
            sacn.readDatagram(packet.data(), packet.size());
            if (packet.size() > 126) {
                level = static_cast<unsigned char>(packet[126]);
            }
        }
        return level == wanted;
    };
    QProcess player;
    player.setProcessChannelMode(QProcess::MergedChannels);
    player.start(QStringLiteral(VELANTRA_PLAYER), {});
    ASSERT_TRUE(player.waitForStarted(5000));
    EXPECT_TRUE(QTest::qWaitFor([&] { return levelIs(200); }, 5000)) << "level " << level;
    EXPECT_TRUE(controller->waitFor({0x90, 60, 127})) << "the play lamp is fed back";
    // The player opens the controller's port in its own time: send until it moves.
    const auto moveTo = [&](unsigned char value, int wanted) {
        return QTest::qWaitFor(
            [&] {
                controller->send({0xB0, 5, value});
                QTest::qWait(100);
                return levelIs(wanted);
            },
            5000);
    };
    EXPECT_TRUE(moveTo(0, 0)) << "level " << level;
    EXPECT_TRUE(moveTo(127, 255)) << "level " << level;
    player.terminate();
    EXPECT_TRUE(player.waitForFinished(5000));
    const QString log = QString::fromLocal8Bit(player.readAll());
    EXPECT_TRUE(log.contains(QLatin1String("MIDI bindings:"))) << log.toStdString();
}

}  // namespace
}  // namespace velantra
