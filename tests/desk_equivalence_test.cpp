// The window and the headless player are one desk: over the same data
// directory (settings file, shows, patch file) and the same interface on the
// bus, both stepped by hand the same number of ticks, they send the same
// bytes to the interface and the same sACN packets, tick for tick. What the
// window only shows (pages, status line, display timers) is not compared.
#include "conveyor/conveyor_group.h"
#include "desk/player.h"
#include "effects/automats_page.h"
#include "network/sacn_packet.h"
#include "player/headless.h"
#include "storage/patch_file.h"
#include "storage/settings_file.h"
#include "storage/show_file.h"
#include "tests/gui_fixture.h"
#include "tests/play_scenario.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QNetworkProxy>
#include <QToolButton>
#include <QUdpSocket>
#include <QUuid>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>

namespace velantra {
namespace {

constexpr int Ticks = 60;  // 3 s of output
// sACN goes to this loopback address, bound by this test alone.
const QHostAddress SacnReceiver(QStringLiteral("127.77.0.1"));
// The patch: slots 1..40 take channels 40..1, slot 50 channel 1, the rest nothing.
constexpr int PatchedSlots = 50;

struct Device {
    const char* serial;
    const char* description;
    bool answersAsPro = false;  // answers a DMX USB Pro's parameter and serial number requests
};

// How the window's automats are switched to run alone: through the desk
// control (as MIDI does), or with the run switches of their page.
enum class Automats { Off, DeskControl, Page };

// One desk set-up: what the data directory holds, the interface on the bus,
// and what proves the set-up took effect in both.
struct Case {
    const char* name;
    Automats automats = Automats::Off;  // the player: --automats
    bool conveyor = false;              // the conveyor's list: A.vlt in slot 1, B.vlt in slot 4
    const char* kinds = "";
    bool patch = false;  // [LastFile] Coder= a .vdx routing channels elsewhere
    bool sacn = false;   // [sACN] on, unicast to SacnReceiver, CID= empty
    Device device{"VL000001", "USB DMX512 Interface"};
    InterfaceKind kind = InterfaceKind::Framed;
    int slot = 0;  // this slot shows this level at some tick (0: not checked)
    int level = 0;
    std::size_t frameMessage = 0;  // size of the interface's last message (0: not checked)
};

void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.name;
}

// What a surface sent: the device's bytes before the first tick and after
// each tick, the frame after each tick, and one sACN packet per tick.
struct Recording {
    QStringList device;
    QStringList frames;
    QList<QByteArray> packets;
    InterfaceKind kind = InterfaceKind::Framed;
    std::size_t lastMessage = 0;
};

void writeShow(const QString& file, int scenes, int tempo, const std::function<void(Engine&)>& fill)
{
    auto show = std::make_unique<Engine>();
    show->ClearAll();
    show->memory.set(CellLastScene, static_cast<std::uint8_t>(scenes - 1));
    show->memory.set(CellTempo, static_cast<std::uint8_t>(tempo));
    fill(*show);
    ASSERT_TRUE(writeShowFile(file, show->memory).ok);
}

void level(Engine& show, int scene, int channel, int value)
{
    show.DataWrite(static_cast<std::uint8_t>(scene), static_cast<std::uint8_t>(channel),
                   static_cast<std::uint8_t>(value % 256));
}

// Both surfaces step the transport on the tick, and nothing runs on a timer
// of its own: no poll, no show clock, no autosave.
void clockByHand(DeskCore& core)
{
    Player& player = core.player();
    player.clockOnTheTick(true);
    for (QTimer* timer : {player.followTimer(), player.clockTimer(), player.autoSaveTimer(), core.pollTimer()}) {
        timer->stop();
    }
}

// The next data packet: universe discovery, every 10 s, is not a tick's.
QByteArray nextPacket(QUdpSocket& socket)
{
    for (;;) {
        if (!socket.hasPendingDatagrams() && !socket.waitForReadyRead(2000)) {
            return {};
        }
        QByteArray packet(static_cast<qsizetype>(socket.pendingDatagramSize()), '\0');
        socket.readDatagram(packet.data(), packet.size());
        if (!sacn::parseDiscoveryPacket(std::span(reinterpret_cast<const std::uint8_t*>(packet.constData()),
                                                  static_cast<std::size_t>(packet.size())))) {
            return packet;
        }
    }
}

QByteArray cidOf(const QByteArray& packet)
{
    return packet.mid(22, 16);
}

class DeskEquivalenceTest : public GuiTest, public ::testing::WithParamInterface<Case> {
protected:
    DeskEquivalenceTest()
    {
        writeShow(path(QStringLiteral("A.vlt")), 3, 11, [](Engine& show) {
            for (int c = 1; c <= 40; ++c) {
                show.memory.set(RateBase + c, static_cast<std::uint8_t>(c == 1 ? 255 : (c * 37) % 256));
                for (int s = 0; s < 3; ++s) {
                    level(show, s, c, c * 11 + s * 97 + 5);
                }
            }
        });
        writeShow(path(QStringLiteral("B.vlt")), 2, 13, [](Engine& show) {
            show.memory.set(RateBase + 30, 255);
            level(show, 0, 30, 201);
            level(show, 1, 30, 90);
        });
        writeShow(path(QStringLiteral("Automats.vlt")), 3, 20, [](Engine& show) {
            for (int c = 1; c <= 40; ++c) {
                for (int s = 0; s < 3; ++s) {
                    level(show, s, c, 60 + c * 3 + s * 50);
                }
            }
            // Tempo, first channel, program, bright and dark level of each automat.
            const int cells[2][5] = {{10, 10, 2, 250, 5}, {7, 20, 3, 200, 30}};
            for (int a = 0; a < AutomatCount; ++a) {
                const AutomatSetup& setup = AutomatSetups[static_cast<std::size_t>(a)];
                const int at[] = {setup.tempoCell, setup.channelCell, setup.programCell, setup.brightCell,
                                  setup.darkCell};
                for (int i = 0; i < 5; ++i) {
                    show.memory.set(static_cast<std::size_t>(at[i]), static_cast<std::uint8_t>(cells[a][i]));
                }
            }
        });
        if (GetParam().sacn) {
            sacn_ = std::make_unique<QUdpSocket>();
            sacn_->setProxy(QNetworkProxy::NoProxy);
            sacnBound_ = sacn_->bind(SacnReceiver, 5568);
        }
    }

    // The data directory as the case has it, made afresh for each surface.
    void writeDataDirectory()
    {
        const Case& c = GetParam();
        QDir(dataPath({})).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(dataPath({})));
        Settings settings;
        if (c.conveyor) {
            settings.konveir[0] = path(QStringLiteral("A.vlt"));
            settings.konveir[3] = path(QStringLiteral("B.vlt"));
        } else {
            settings.path =
                path(c.automats != Automats::Off ? QStringLiteral("Automats.vlt") : QStringLiteral("A.vlt"));
        }
        settings.interfaceKinds = QString::fromLatin1(c.kinds);
        if (c.patch) {
            auto table = std::make_unique<AtomicArray<std::uint16_t, CoderEntries>>();
            for (int k = 1; k <= 40; ++k) {
                table->set(static_cast<std::size_t>(k), static_cast<std::uint16_t>(41 - k));
            }
            table->set(PatchedSlots, 1);
            settings.coder = dataPath(QStringLiteral("Routed.vdx"));
            ASSERT_TRUE(writePatchFile(settings.coder, *table).ok);
        }
        if (c.sacn) {
            settings.sacn.enabled = QStringLiteral("1");
            settings.sacn.universe = QStringLiteral("7");
            settings.sacn.destination = SacnReceiver.toString();
        }
        ASSERT_TRUE(velantra::writeSettings(dataPath(QStringLiteral("Vela43.ini")), settings).ok);
    }

    std::unique_ptr<FakeD2xx> plugIn()
    {
        const Device& d = GetParam().device;
        auto fake = std::make_unique<FakeD2xx>();
        fake->attach(d.serial, d.description);
        if (d.answersAsPro) {
            fake->answerAsProWidget({0x2C, 0x01, 9, 1, 40}, {0x78, 0x56, 0x34, 0x12});
        }
        return fake;
    }

    // Ticks by hand, following each tick as the follow timer would.
    Recording record(DeskCore& core, FakeD2xx& fake)
    {
        Recording r;
        std::size_t seen = 0;
        const auto written = [&] {
            const std::vector<std::vector<std::uint8_t>> writes = fake.writes();
            QString bytes;
            for (; seen < writes.size(); ++seen) {
                const std::vector<std::uint8_t>& w = writes[seen];
                bytes +=
                    QString::fromLatin1(
                        QByteArray(reinterpret_cast<const char*>(w.data()), static_cast<qsizetype>(w.size())).toHex()) +
                    QLatin1Char(' ');
                r.lastMessage = w.size();
            }
            return bytes;
        };
        while (sacn_ && sacn_->hasPendingDatagrams()) {
            nextPacket(*sacn_);  // the last surface's goodbye
        }
        r.device << written();
        for (int t = 0; t < Ticks; ++t) {
            core.cycle().tick();
            core.player().followTheTick();
            r.device << written();
            r.frames << frameLine(core.engine());
            if (sacn_) {
                r.packets << nextPacket(*sacn_);
            }
        }
        r.kind = core.link().kind();
        return r;
    }

    // The window as an operator starts it: it opens itself; the automats'
    // run switches, the conveyor's list or the play button.
    Recording runWindow()
    {
        const Case& c = GetParam();
        writeDataDirectory();
        std::unique_ptr<FakeD2xx> fake = plugIn();
        FakeD2xx& bus = *fake;
        form = std::make_unique<TBaseForm>(std::move(fake), nullptr, TBaseForm::OutputClock::ByHand);
        clockByHand(form->core());
        QCoreApplication::processEvents();  // the window's first poll
        if (c.automats == Automats::DeskControl) {
            for (int a = 1; a <= AutomatCount; ++a) {
                form->desk().setAutomatAlone(a, true);
            }
        } else if (c.automats == Automats::Page) {
            form->pageControlInput()->setCurrentIndex(TBaseForm::PageAutomats);
            for (int a = 0; a < AutomatCount; ++a) {
                form->automatsPage()->runAlone(a)->setChecked(true);
            }
        }
        if (c.conveyor) {
            ConveyorGroup* conveyor = form->conveyorGroup();
            for (const char* slot : {"SpeedButton1", "SpeedButton4"}) {
                conveyor->findChild<QToolButton*>(QString::fromLatin1(slot))->setChecked(true);
            }
            conveyor->findChild<QToolButton*>(QStringLiteral("SpeedButtonKonvSpisBegin"))->click();
        } else {
            form->desk().play();
        }
        Recording r = record(form->core(), bus);
        cancelFile();  // the save at close
        closeForm();
        return r;
    }

    // velantra-player with the case's options.
    Recording runPlayer()
    {
        const Case& c = GetParam();
        writeDataDirectory();
        std::unique_ptr<FakeD2xx> fake = plugIn();
        FakeD2xx& bus = *fake;
        HeadlessPlayer player(std::move(fake), nullptr, DeskCore::OutputClock::ByHand);
        clockByHand(player.core());
        HeadlessOptions options;
        options.automats = c.automats != Automats::Off;
        options.conveyor = c.conveyor;
        EXPECT_TRUE(player.start(options));
        clockByHand(player.core());
        Recording r = record(player.core(), bus);
        player.stop();
        return r;
    }

    std::unique_ptr<QUdpSocket> sacn_;
    bool sacnBound_ = false;
};

// Where two recordings part: the first tick, and the byte or slot; empty when they agree.
std::string difference(const Recording& window, const Recording& player)
{
    const auto at = [](const QString& a, const QString& b) {
        qsizetype i = 0;
        while (i < std::min(a.size(), b.size()) && a[i] == b[i]) {
            ++i;
        }
        return std::to_string(i / 2);
    };
    const auto tick = [](qsizetype i) { return "tick " + std::to_string(i + 1); };
    if (window.device.size() != player.device.size() || window.packets.size() != player.packets.size()) {
        return "recordings of different lengths";
    }
    for (qsizetype i = 0; i < window.device.size(); ++i) {
        if (window.device[i] != player.device[i]) {
            return "the interface's bytes part " +
                   (i == 0 ? std::string("before the first tick") : "at " + tick(i - 1)) + ", byte " +
                   at(window.device[i], player.device[i]) + "\nwindow: " + window.device[i].left(160).toStdString() +
                   "\nplayer: " + player.device[i].left(160).toStdString();
        }
    }
    for (qsizetype i = 0; i < window.frames.size(); ++i) {
        if (window.frames[i] != player.frames[i]) {
            return "the frames part at " + tick(i) + ", slot " +
                   std::to_string(std::stoi(at(window.frames[i], player.frames[i])) + 1);
        }
    }
    for (qsizetype i = 0; i < window.packets.size(); ++i) {
        if (window.packets[i] != player.packets[i]) {
            return "the sACN packets part at " + tick(i) + ", byte " +
                   at(QString::fromLatin1(window.packets[i].toHex()), QString::fromLatin1(player.packets[i].toHex()));
        }
    }
    if (window.kind != player.kind) {
        return "the interface is driven as another kind";
    }
    return {};
}

TEST_P(DeskEquivalenceTest, TheWindowAndThePlayerSendTheSameFramesAndPackets)
{
    const Case& c = GetParam();
    ASSERT_TRUE(!c.sacn || sacnBound_) << "127.77.0.1:5568 is taken: " << sacn_->errorString().toStdString();
    const Recording window = runWindow();
    const Settings kept = readSettings(dataPath(QStringLiteral("Vela43.ini")));  // written at the window's close
    const Recording player = runPlayer();
    EXPECT_EQ(difference(window, player), "");

    // The set-up took effect, in both.
    EXPECT_EQ(player.kind, c.kind);
    EXPECT_NE(player.frames.first(), player.frames.last()) << "the show moved";
    if (c.slot != 0) {
        const QString shown = QStringLiteral("%1").arg(c.level, 2, 16, QLatin1Char('0'));
        EXPECT_TRUE(std::any_of(player.frames.begin(), player.frames.end(),
                                [&](const QString& frame) { return frame.mid(2 * qsizetype{c.slot - 1}, 2) == shown; }))
            << "slot " << c.slot << " never shows " << c.level;
    }
    if (c.frameMessage != 0) {
        EXPECT_EQ(player.lastMessage, c.frameMessage);
    }
    if (c.sacn) {
        ASSERT_FALSE(player.packets.contains(QByteArray())) << "a tick sent no packet";
        const QByteArray cid = cidOf(player.packets.first());
        EXPECT_NE(cid, QByteArray(16, '\0'));
        EXPECT_EQ(QUuid(kept.sacn.cid).toRfc4122(), cid) << "the window keeps the CID it sent";
        const Recording again = runPlayer();
        ASSERT_FALSE(again.packets.isEmpty());
        EXPECT_EQ(cidOf(again.packets.first()), cid) << "a second start without a CID sends the same one";
        EXPECT_EQ(difference(window, again), "");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Desks, DeskEquivalenceTest,
    ::testing::Values(
        Case{.name = "AutomatsRunAloneOnTheirPage", .automats = Automats::Page, .slot = 22, .level = 200},
        Case{.name = "AutomatsRunAloneThroughTheDesk", .automats = Automats::DeskControl, .slot = 22, .level = 200},
        Case{.name = "ConveyorList", .conveyor = true, .slot = 30, .level = 201},
        Case{.name = "ProChosenBySerial",
             .kinds = "FT0CABLE:pro",
             .device = {"FT0CABLE", "FT232R USB UART", true},
             .kind = InterfaceKind::Pro},
        Case{.name = "OpenDmxChosenBySerial",
             .kinds = "B0012345:opendmx",
             .device = {"B0012345", "USB DMX512 Interface"},
             .kind = InterfaceKind::OpenDmx},
        // A DMX USB Pro gets the slots the patch fills: 50, in a message of 4 + 1 + 50 + 1 bytes.
        Case{.name = "PatchRoutesChannels",
             .patch = true,
             .device = {"EN123456", "DMX USB PRO"},
             .kind = InterfaceKind::Pro,
             .slot = PatchedSlots,
             .level = 113,
             .frameMessage = 4 + 1 + PatchedSlots + 1},
        Case{.name = "SacnWithoutCid", .sacn = true}),
    [](const ::testing::TestParamInfo<Case>& c) { return std::string(c.param.name); });

}  // namespace
}  // namespace velantra
