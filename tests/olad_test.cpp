// The network outputs against a real receiver, OLA's olad, which
// tools/olad_test.sh starts in a network namespace joined to this one by a veth
// pair: olad's sACN universes 1 and 3 and its Art-Net universe 2 (Port-Address
// 0:0:2) must hold exactly the frame the output tick composed and patched (and
// its sACN universe 4 and Art-Net universe 19, Port-Address 0:0:3, the desk's
// second universe),
// for a show that changes while it plays; a backup program at a lower
// priority takes over when the main one is closed or killed.
#include "engine/engine.h"
#include "engine/output_cycle.h"
#include "engine/output_thread.h"
#include "network/artnet_output.h"
#include "network/network_outputs.h"
#include "network/sacn_output.h"
#include "storage/show_file.h"
#include "tests/program_process.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QTest>
#include <QUuid>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <optional>
#include <random>
#include <vector>

namespace velantra {
namespace {

using namespace std::chrono_literals;

QString environment(const char* name)
{
    return QString::fromLocal8Bit(qgetenv(name));
}

std::uint32_t address(const char* name)
{
    return QHostAddress(environment(name)).toIPv4Address();
}

#define REQUIRE_OLAD()                                                                                                 \
    do {                                                                                                               \
        if (environment("VELANTRA_OLAD_HOST").isEmpty()) {                                                             \
            GTEST_SKIP() << "olad is not running: tools/olad_test.sh runs these tests against it";                     \
        }                                                                                                              \
    } while (false)

// olad's universe as 512 levels, read from its web server; nothing when it
// does not answer or holds no frame yet.
std::optional<std::vector<int>> oladUniverse(int universe)
{
    QTcpSocket http;
    http.connectToHost(environment("VELANTRA_OLAD_HOST"), 9090);
    if (!http.waitForConnected(2000)) {
        return std::nullopt;
    }
    http.write(QStringLiteral("GET /get_dmx?u=%1 HTTP/1.0\r\nHost: olad\r\n\r\n").arg(universe).toLatin1());
    QByteArray reply;
    while (http.waitForReadyRead(2000)) {
        reply += http.readAll();
    }
    const qsizetype body = reply.indexOf("\r\n\r\n");
    if (body < 0) {
        return std::nullopt;
    }
    const QJsonArray dmx = QJsonDocument::fromJson(reply.mid(body + 4)).object().value(QStringLiteral("dmx")).toArray();
    if (dmx.size() != 512) {
        return std::nullopt;
    }
    std::vector<int> levels;
    for (const auto& level : dmx) {
        levels.push_back(level.toInt());
    }
    return levels;
}

// Waits until olad's universe is levels; the milliseconds it took, or nothing.
std::optional<qint64> waitFor(int universe, const std::vector<int>& levels, int withinMs)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < withinMs) {
        if (oladUniverse(universe) == levels) {
            return clock.elapsed();
        }
        QTest::qWait(5);
    }
    return std::nullopt;
}

sacn::Cid freshCid()
{
    const QByteArray bytes = QUuid::createUuid().toRfc4122();
    sacn::Cid cid{};
    std::copy_n(bytes.constData(), 16, cid.begin());
    return cid;
}

// The program's own tick, at its real 50 ms, over a show of one scene.
class OladTest : public ::testing::Test {
protected:
    OladTest()
    {
        engine.ClearAll();
        engine.controls.rateMode = RateMode::Off;
        // A patch that is not the identity: output slot k takes slot 256 - k.
        for (int k = 1; k <= 255; ++k) {
            engine.coderTable.set(static_cast<std::size_t>(k), static_cast<std::uint16_t>(256 - k));
        }
        cycle.addOutput(&sacn);
        cycle.addOutput(&artnet);
        sacn.start();
        artnet.start();
    }
    ~OladTest() override
    {
        thread.stop();
        sacn.stop();
        artnet.stop();
    }
    void setScene(int seed)
    {
        for (int c = 1; c <= 255; ++c) {
            engine.DataWrite(0, static_cast<std::uint8_t>(c), (c * 7 + seed) & 0xFF);
        }
    }
    // What the outputs send now: slots 1..512 of the composed, patched frame.
    std::vector<int> sent()
    {
        std::vector<int> levels;
        for (int s = 1; s <= 512; ++s) {
            levels.push_back(engine.dmxFrame.get(static_cast<std::size_t>(s)));
        }
        return levels;
    }
    // Plays three different scenes; olad must hold each patched frame.
    void expectOladFollows(int universe)
    {
        std::vector<qint64> delays;
        for (int seed : {11, 97, 200}) {
            setScene(seed);
            QTest::qWait(60);  // one tick composes it
            const std::vector<int> expected = sent();
            ASSERT_NE(expected[0], 0);
            const auto delay = waitFor(universe, expected, 3000);
            ASSERT_TRUE(delay) << "olad's universe " << universe << " is not the frame (seed " << seed << ")";
            delays.push_back(*delay + 60);
        }
        std::sort(delays.begin(), delays.end());
        std::printf("scene change to the new levels at olad (universe %d): %lld ms median, %lld ms worst\n", universe,
                    static_cast<long long>(delays[1]), static_cast<long long>(delays.back()));
    }

    Engine engine;
    OutputCycle cycle{engine};
    OutputThread thread{[this] { cycle.tick(); }};
    SacnOutput sacn;
    ArtNetOutput artnet;
};

TEST_F(OladTest, SacnUnicastOladHoldsThePatchedFrameOfAChangingShow)
{
    REQUIRE_OLAD();
    SacnTarget target;
    target.enabled = true;
    target.universe = 1;
    target.destination = address("VELANTRA_OLAD_HOST");
    target.cid = freshCid();
    target.sourceName = "Velantra unicast test";
    sacn.configure(target);
    thread.start();
    expectOladFollows(1);
}

TEST_F(OladTest, SacnMulticastByTheChosenInterfaceAtTwentyPacketsASecond)
{
    REQUIRE_OLAD();
    // The receiver's count: a socket of our own in the universe's group.
    UdpSocket counter;
    ASSERT_EQ(counter.open(), 0);
    ASSERT_EQ(counter.bindTo(0, sacn::Port, true), 0);
    ASSERT_EQ(counter.joinGroup(sacn::multicastGroup(1), address("VELANTRA_OLAD_LOCAL")), 0);

    SacnTarget target;
    target.enabled = true;
    target.universe = 1;
    target.interfaceAddress = address("VELANTRA_OLAD_LOCAL");
    target.cid = freshCid();
    target.sourceName = "Velantra multicast test";
    sacn.configure(target);
    thread.start();
    expectOladFollows(1);

    std::array<std::uint8_t, 1024> buffer{};
    std::uint32_t from = 0;
    std::uint16_t port = 0;
    int error = 0;
    while (counter.receiveFrom(buffer, from, port, error) >= 0) {
    }
    int packets = 0;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 3000) {
        for (long got = 0; (got = counter.receiveFrom(buffer, from, port, error)) >= 0;) {
            const auto p =
                sacn::parseDataPacket(std::span<const std::uint8_t>(buffer.data(), static_cast<std::size_t>(got)));
            packets += p && p->cid == target.cid ? 1 : 0;
        }
        QTest::qWait(10);
    }
    const double rate = packets * 1000.0 / static_cast<double>(clock.elapsed());
    std::printf("sACN packets a second at the receiver: %.1f\n", rate);
    EXPECT_GE(rate, 17.0);
    EXPECT_LE(rate, 21.0);
}

TEST_F(OladTest, ArtNetFindsOladByPollingAndFeedsPortAddress002)
{
    REQUIRE_OLAD();
    ArtNetTarget target;
    target.enabled = true;
    target.portAddress = 2;  // 0:0:2, olad's universe 2
    target.interfaceAddress = address("VELANTRA_OLAD_LOCAL");
    target.broadcastAddress = target.interfaceAddress | 0xFF;
    artnet.configure(target);
    thread.start();
    const std::uint32_t olad = address("VELANTRA_OLAD_HOST");
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            for (const ArtNetNode& node : artnet.nodes()) {
                if (node.address == olad &&
                    std::find(node.outputs.begin(), node.outputs.end(), 2) != node.outputs.end()) {
                    return true;
                }
            }
            return false;
        },
        8000))
        << "olad answered a poll with Port-Address 0:0:2; nodes found: " << [&] {
               std::string found;
               for (const ArtNetNode& node : artnet.nodes()) {
                   found += QHostAddress(node.address).toString().toStdString() + " \"" + node.shortName + "\" [";
                   for (const std::uint16_t p : node.outputs) {
                       found += artnet::portAddressText(p) + " ";
                   }
                   found += "] ";
               }
               return found;
           }();
    expectOladFollows(2);
}

// The desk's second universe, built from the channels by its own patch,
// reaches olad on the sACN universe after the first (4, olad's universe 4)
// and on the Port-Address after the first (0:0:3, olad's universe 19).
TEST_F(OladTest, TheSecondUniverseReachesOladOnTheNextSacnUniverseAndPortAddress)
{
    REQUIRE_OLAD();
    for (int slot = 1; slot <= 255; ++slot) {
        engine.furtherPatch.setSource(0, slot, static_cast<std::uint8_t>(256 - slot));
    }
    engine.furtherPatch.setSource(0, 512, 1);
    SacnTarget sacnTarget;
    sacnTarget.enabled = true;
    sacnTarget.universe = 3;
    sacnTarget.destination = address("VELANTRA_OLAD_HOST");
    sacnTarget.cid = freshCid();
    sacnTarget.sourceName = "Velantra two universes";
    sacn.configure(sacnTarget);
    ArtNetTarget artnetTarget;
    artnetTarget.enabled = true;
    artnetTarget.portAddress = 2;
    artnetTarget.interfaceAddress = address("VELANTRA_OLAD_LOCAL");
    artnetTarget.netmask = 0xFFFFFF00;
    artnetTarget.broadcastAddress = artnetTarget.interfaceAddress | 0xFF;
    artnet.configure(artnetTarget);
    thread.start();
    for (int seed : {5, 123}) {
        setScene(seed);
        std::vector<int> expected(512, 0);
        for (int slot = 1; slot <= 255; ++slot) {
            expected[static_cast<std::size_t>(slot - 1)] = ((256 - slot) * 7 + seed) & 0xFF;
        }
        expected[511] = (7 + seed) & 0xFF;
        EXPECT_TRUE(waitFor(4, expected, 5000)) << "sACN universe 4, seed " << seed;
        EXPECT_TRUE(waitFor(19, expected, 8000)) << "Port-Address 0:0:3, seed " << seed;
    }
}

// "First light" as the README tells it, on the network routes: channel 1 at
// full through the identity patch; the sACN and Art-Net groups set as the
// page sets them (on, universe 1 / the node's Port-Address, the address
// left empty, the interface of the lighting network chosen by name). olad
// gets slot 1 at full and every other slot dark.
TEST_F(OladTest, FirstLightByTheNetworkPagesSettingsLightsSlotOneAtOlad)
{
    REQUIRE_OLAD();
    engine.resetPatch();
    engine.DataWrite(0, 1, 255);
    QString lighting;
    for (const InterfaceChoice& choice : NetworkOutputs::interfaces()) {
        if (choice.address == address("VELANTRA_OLAD_LOCAL")) {
            lighting = choice.name;
        }
    }
    ASSERT_FALSE(lighting.isEmpty()) << "the test's own interface";
    SacnSettings sacnPage;
    sacnPage.enabled = QStringLiteral("1");
    sacnPage.universe = QStringLiteral("1");
    sacnPage.interfaceName = lighting;
    ArtNetSettings artnetPage;
    artnetPage.enabled = QStringLiteral("1");
    artnetPage.portAddress = QStringLiteral("0:0:2");  // the node's port
    artnetPage.interfaceName = lighting;
    OutputCycle pageCycle{engine};
    NetworkOutputs page(pageCycle);
    page.applySacn(sacnPage);
    page.applyArtNet(artnetPage);
    OutputThread pageThread{[&pageCycle] { pageCycle.tick(); }};
    pageThread.start();
    std::vector<int> expected(512, 0);
    expected[0] = 255;
    EXPECT_TRUE(waitFor(1, expected, 5000)) << "sACN universe 1, multicast by " << lighting.toStdString();
    EXPECT_TRUE(waitFor(2, expected, 8000)) << "Art-Net 0:0:2, to the node found";
    pageThread.stop();
    page.stop();
}

// Two programs on one universe: the main one at priority 100, a backup at 50.
class TrackingBackup : public ::testing::Test {
protected:
    // A program with its own data directory, its show at level all over and its sACN settings.
    void launch(QProcess& program, QTemporaryDir& home, int level, int priority)
    {
        Engine show;
        show.ClearAll();
        for (int c = 1; c <= 255; ++c) {
            show.DataWrite(0, static_cast<std::uint8_t>(c), level);
        }
        const QString showPath = home.filePath(QStringLiteral("show.vlt"));
        ASSERT_TRUE(writeShowFile(showPath, show.memory).ok);
        const QString data = home.filePath(QStringLiteral("data/korvex/velantra/"));
        ASSERT_TRUE(QDir().mkpath(data));
        QFile ini(data + QStringLiteral("Vela43.ini"));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[LastFile]\nPath=" + QFile::encodeName(showPath) +
                  "\n[sACN]\nEnabled=1\nUniverse=3\nPriority=" + QByteArray::number(priority) +
                  "\nDestination=" + environment("VELANTRA_OLAD_HOST").toLatin1() + "\n");
        ini.close();
        ASSERT_TRUE(velantra::startProgram(program, home, QStringLiteral("offscreen")));
    }
    static std::vector<int> all(int level)
    {
        std::vector<int> levels(512, 0);
        std::fill(levels.begin(), levels.begin() + 255, level);
        return levels;
    }
};

TEST_F(TrackingBackup, OladOutputsTheMainAndTheBackupWhenTheMainIsKilledOrClosed)
{
    REQUIRE_OLAD();
    QTemporaryDir mainHome;
    QTemporaryDir backupHome;
    QProcess backup;
    QProcess main;
    launch(backup, backupHome, 50, 50);
    ASSERT_TRUE(waitFor(3, all(50), 15000)) << "the backup alone";
    launch(main, mainHome, 100, 100);
    ASSERT_TRUE(waitFor(3, all(100), 15000)) << "the main one wins by priority";

    ::kill(static_cast<pid_t>(main.processId()), SIGKILL);
    main.waitForFinished(5000);
    const auto killed = waitFor(3, all(50), 4000);
    ASSERT_TRUE(killed) << "the backup takes over a killed main within 3 s";
    std::printf("backup took over a killed main after %lld ms\n", static_cast<long long>(*killed));
    EXPECT_LE(*killed, 3000);

    QProcess again;
    QTemporaryDir againHome;
    launch(again, againHome, 100, 100);
    ASSERT_TRUE(waitFor(3, all(100), 15000));
    ::kill(static_cast<pid_t>(again.processId()), SIGTERM);  // closed: the stream ends with its goodbye
    ASSERT_TRUE(again.waitForFinished(10000));
    const auto closed = waitFor(3, all(50), 3000);
    ASSERT_TRUE(closed) << "the backup takes over a closed main";
    std::printf("backup took over a closed main after %lld ms\n", static_cast<long long>(*closed));
    ::kill(static_cast<pid_t>(backup.processId()), SIGTERM);
    backup.waitForFinished(10000);
}

}  // namespace
}  // namespace velantra

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
