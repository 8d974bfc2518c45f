// The network outputs on this machine's loopback: the sACN source and the
// Art-Net controller send what the tick gives them, end their streams, find
// nodes, and never hold up the output thread. A receiver of the test's own
// (a UDP socket and the packet decoders) stands in for the rig.
#include "engine/engine.h"
#include "engine/latest_frame.h"
#include "engine/output_cycle.h"
#include "engine/wake_signal.h"
#include "network/artnet_output.h"
#include "network/sacn_output.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <chrono>
#include <optional>
#include <thread>
#include <vector>

namespace velantra {
namespace {

using namespace std::chrono_literals;
using Frame = LatestFrame::Frame;

constexpr std::uint32_t Loopback = ipv4(127, 0, 0, 1);
constexpr std::uint32_t OtherLoopback = ipv4(127, 0, 0, 2);

Frame frameOf(std::uint8_t level, std::uint8_t startCode = 0)
{
    Frame f{};
    f.fill(level);
    f[0] = startCode;
    return f;
}

// A free UDP port on the loopback, found by binding port 0.
std::uint16_t freePort()
{
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(Loopback);
    ::bind(fd, reinterpret_cast<const sockaddr*>(&a), sizeof a);
    socklen_t length = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length);
    const std::uint16_t port = ntohs(a.sin_port);
    ::close(fd);
    return port;
}

// The rig: a socket on address:port that collects datagrams.
class Receiver {
public:
    // shared: the port is shared with the controller under test, as Art-Net
    // programs on one computer share 6454.
    Receiver(std::uint32_t address, std::uint16_t port, bool shared = false)
    {
        EXPECT_EQ(socket_.open(), 0);
        EXPECT_EQ(socket_.bindTo(address, port, shared), 0);
    }
    // The next datagram within a bounded wait, or nothing.
    std::optional<std::vector<std::uint8_t>> next(std::chrono::milliseconds within = 2000ms)
    {
        const auto end = std::chrono::steady_clock::now() + within;
        std::array<std::uint8_t, 2048> buffer{};
        while (std::chrono::steady_clock::now() < end) {
            int error = 0;
            const long got = socket_.receiveFrom(buffer, from, fromPort, error);
            if (got >= 0) {
                return std::vector<std::uint8_t>(buffer.begin(), buffer.begin() + got);
            }
            std::this_thread::sleep_for(2ms);
        }
        return std::nullopt;
    }
    // Throws away what is waiting.
    void drain()
    {
        while (next(50ms)) {
        }
    }
    UdpSocket& socket() { return socket_; }
    std::uint32_t from = 0;
    std::uint16_t fromPort = 0;

private:
    UdpSocket socket_;
};

// The sender's wake-up: a post before the wait is not lost, posts do not pile
// up, and a post from another thread ends a long wait. (The bounds only tell
// a wait that ended from one that ran to its timeout.)
TEST(WakeSignal, APostIsNeverLostAndPostsCountOnce)
{
    using Clock = std::chrono::steady_clock;
    WakeSignal signal;
    signal.post();
    signal.post();
    signal.post();
    auto start = Clock::now();
    signal.waitFor(std::chrono::seconds(20));
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(10)) << "a post given before the wait";
    start = Clock::now();
    signal.waitFor(std::chrono::milliseconds(60));
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(50)) << "the three posts were used up by one wait";

    std::thread poster([&signal] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        signal.post();
    });
    start = Clock::now();
    signal.waitFor(std::chrono::seconds(20));
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(10)) << "a post from another thread";
    poster.join();
}

TEST(LatestFrame, TheSenderGetsTheNewestFrameOnceAndNeverAMixOfTwo)
{
    LatestFrame slot;
    Frame out{};
    EXPECT_FALSE(slot.take(out)) << "nothing published yet";
    for (std::uint8_t level : {1, 2, 3}) {
        const Frame f = frameOf(level);
        slot.publish(FrameView(f));
    }
    ASSERT_TRUE(slot.take(out));
    EXPECT_EQ(out, frameOf(3)) << "older frames are replaced, not queued";
    EXPECT_FALSE(slot.take(out)) << "taken once";

    // Producer and consumer at full speed: every frame taken is whole.
    std::atomic<bool> done{false};
    std::thread producer([&] {
        for (int n = 0; n < 20000; ++n) {
            const Frame f = frameOf(static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n));
            slot.publish(FrameView(f));
        }
        done = true;
    });
    int taken = 0;
    int mixed = 0;
    for (;;) {
        const bool finished = done;
        while (slot.take(out)) {
            ++taken;
            mixed += std::all_of(out.begin(), out.end(), [&](std::uint8_t v) { return v == out[0]; }) ? 0 : 1;
        }
        if (finished) {
            break;  // and the last frame was taken after the producer ended
        }
    }
    producer.join();
    EXPECT_GT(taken, 0);
    EXPECT_EQ(mixed, 0) << "frames mixed from two";
}

class SacnOutputTest : public ::testing::Test {
protected:
    SacnOutputTest()
    {
        target.enabled = true;
        target.universe = 7;
        target.priority = 150;
        target.destination = Loopback;
        target.port = port;
        target.sourceName = "Bühne links";
        target.cid = {0xA1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0xFF};
        output.start();
    }
    // The next data packet; the discovery packets between them are kept aside.
    std::optional<sacn::DataFields> nextPacket()
    {
        for (;;) {
            const auto bytes = rig.next();
            if (!bytes) {
                return std::nullopt;
            }
            if (const auto list = sacn::parseDiscoveryPacket(*bytes)) {
                discoveries.push_back(*list);
                continue;
            }
            return sacn::parseDataPacket(*bytes);
        }
    }
    std::vector<sacn::DiscoveryFields> discoveries;

    std::uint16_t port = freePort();
    Receiver rig{Loopback, port};
    SacnTarget target;
    SacnOutput output;
};

TEST_F(SacnOutputTest, SendsEachFrameWithItsSettingsAndCountsUpTheSequence)
{
    output.configure(target);
    std::this_thread::sleep_for(50ms);  // the sender picks the settings up
    const Frame first = frameOf(200, 0);
    output.write(FrameView(first));
    const auto a = nextPacket();
    ASSERT_TRUE(a) << "a valid E1.31 data packet arrives";
    EXPECT_EQ(a->universe, 7);
    EXPECT_EQ(a->priority, 150);
    EXPECT_EQ(a->sourceName.view(), "Bühne links");
    EXPECT_EQ(a->cid, target.cid);
    EXPECT_EQ(a->startCode, 0);
    EXPECT_EQ(a->levels[0], 200);
    EXPECT_EQ(a->levels[511], 200);
    EXPECT_EQ(a->options & sacn::OptionStreamTerminated, 0);

    Frame second = frameOf(9, 0xCC);
    second[1] = 77;
    output.write(FrameView(second));
    const auto b = nextPacket();
    ASSERT_TRUE(b);
    EXPECT_EQ(b->sequence, static_cast<std::uint8_t>(a->sequence + 1));
    EXPECT_EQ(b->startCode, 0xCC) << "the frame's start code goes out";
    EXPECT_EQ(b->levels[0], 77);
    EXPECT_GE(output.counters().packets, 2u);
    EXPECT_EQ(output.counters().failures, 0u);
}

TEST_F(SacnOutputTest, SwitchingOffDemoModeAndStoppingEndTheStreamWithThreeTerminatedPackets)
{
    output.configure(target);
    std::this_thread::sleep_for(50ms);
    const Frame f = frameOf(50);
    auto expectGoodbye = [this](std::uint8_t after) {
        for (int i = 0; i < 3; ++i) {
            const auto p = nextPacket();
            ASSERT_TRUE(p) << "terminated packet " << i;
            EXPECT_NE(p->options & sacn::OptionStreamTerminated, 0) << i;
            EXPECT_EQ(p->sequence, static_cast<std::uint8_t>(after + 1 + i)) << "each with its own number";
        }
        EXPECT_FALSE(rig.next(200ms)) << "and nothing after them";
    };

    output.write(FrameView(f));
    auto last = nextPacket();
    ASSERT_TRUE(last);
    output.silence();  // "Работа в DEMO режиме"
    expectGoodbye(last->sequence);

    output.write(FrameView(f));  // DEMO off: the stream resumes
    last = nextPacket();
    ASSERT_TRUE(last);
    SacnTarget off = target;
    off.enabled = false;
    output.configure(off);
    expectGoodbye(last->sequence);

    output.configure(target);
    std::this_thread::sleep_for(50ms);
    output.write(FrameView(f));
    last = nextPacket();
    ASSERT_TRUE(last);
    output.stop();  // the program ends
    expectGoodbye(last->sequence);
}

// Two universes: each on its own sACN universe with its own sequence, listed
// at once on the discovery universe; a universe the desk stops using ends
// with its three terminated packets, and the list is said again.
TEST_F(SacnOutputTest, FurtherUniversesHaveTheirOwnStreamsAndAreListedAndEnded)
{
    output.configure(target);
    std::this_thread::sleep_for(50ms);
    const std::array<Frame, 1> further{frameOf(77)};
    for (int tick = 0; tick < 3; ++tick) {
        output.writeFurther(further);
        output.write(FrameView(frameOf(10)));
        std::this_thread::sleep_for(20ms);
    }
    std::vector<sacn::DataFields> seven;
    std::vector<sacn::DataFields> eight;
    for (int i = 0; i < 6; ++i) {
        const auto p = nextPacket();
        ASSERT_TRUE(p) << i;
        (p->universe == 7 ? seven : eight).push_back(*p);
    }
    ASSERT_EQ(seven.size(), 3U);
    ASSERT_EQ(eight.size(), 3U);
    EXPECT_EQ(eight[0].levels[0], 77);
    EXPECT_EQ(seven[0].levels[0], 10);
    EXPECT_EQ(eight[2].sequence, static_cast<std::uint8_t>(eight[0].sequence + 2)) << "a sequence of its own";
    ASSERT_FALSE(discoveries.empty()) << "listed at once";
    EXPECT_EQ(discoveries[0].count, 2U);
    EXPECT_EQ(discoveries[0].universes[1], 8);

    output.writeFurther({});
    output.write(FrameView(frameOf(10)));
    int ended = 0;
    for (int i = 0; i < 4; ++i) {
        const auto p = nextPacket();
        ASSERT_TRUE(p);
        ended += p->universe == 8 && (p->options & sacn::OptionStreamTerminated) != 0 ? 1 : 0;
    }
    EXPECT_EQ(ended, 3);
    std::optional<sacn::DiscoveryFields> again;
    while (!again) {
        const auto bytes = rig.next();
        ASSERT_TRUE(bytes) << "the list is said again";
        again = sacn::parseDiscoveryPacket(*bytes);
    }
    EXPECT_EQ(again->count, 1U);
    EXPECT_EQ(again->universes[0], 7);
}

TEST_F(SacnOutputTest, ADemoBoxInTheCycleSilencesTheOutput)
{
    Engine engine;
    engine.ClearAll();
    OutputCycle cycle(engine);
    ASSERT_TRUE(cycle.addOutput(&output));
    output.configure(target);
    std::this_thread::sleep_for(50ms);
    cycle.tick();
    ASSERT_TRUE(nextPacket());
    engine.controls.noUsbConnect = true;
    cycle.tick();
    cycle.tick();
    for (int i = 0; i < 3; ++i) {
        const auto p = nextPacket();
        ASSERT_TRUE(p);
        EXPECT_NE(p->options & sacn::OptionStreamTerminated, 0);
    }
    EXPECT_FALSE(rig.next(200ms)) << "nothing while DEMO mode is on";
}

TEST_F(SacnOutputTest, AnInterfaceAddressNoInterfaceHasIsCountedAndNothingIsSent)
{
    target.destination = 0;                           // multicast...
    target.interfaceAddress = ipv4(203, 0, 113, 77);  // ...by an interface this machine does not have
    output.configure(target);
    const Frame f = frameOf(1);
    output.write(FrameView(f));
    const auto end = std::chrono::steady_clock::now() + 2s;
    while (output.counters().failures == 0 && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_GT(output.counters().failures, 0u);
    EXPECT_NE(output.counters().lastError, 0);
    EXPECT_EQ(output.counters().packets, 0u);
    EXPECT_FALSE(output.counters().sending);
}

TEST(SacnOutput, MulticastGoesToTheUniversesGroup)
{
    SacnOutput output;
    output.start();
    SacnTarget target;
    target.enabled = true;
    target.universe = 0x1234;
    target.interfaceAddress = Loopback;  // never onto a real network
    target.port = freePort();
    output.configure(target);
    const auto end = std::chrono::steady_clock::now() + 2s;
    while (output.sendingTo() == 0 && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(5ms);
    }
    EXPECT_EQ(output.sendingTo(), ipv4(239, 255, 0x12, 0x34));
}

// A node's ArtPollReply, written out field by field: 127.0.0.2, "Node A", one
// port that outputs DMX at the given Port-Address.
std::vector<std::uint8_t> nodeReply(std::uint16_t portAddress)
{
    std::vector<std::uint8_t> r(239, 0);
    const char id[] = "Art-Net";
    std::copy(id, id + 8, r.begin());  // with its NUL
    r[8] = 0x00;                       // OpPollReply, low byte first
    r[9] = 0x21;
    r[10] = 127;  // IP
    r[13] = 2;
    r[14] = 0x36;  // port 6454, low byte first
    r[15] = 0x19;
    r[18] = static_cast<std::uint8_t>(portAddress >> 8);           // NetSwitch
    r[19] = static_cast<std::uint8_t>((portAddress >> 4) & 0x0F);  // SubSwitch
    const char name[] = "Node A";
    std::copy(name, name + 6, r.begin() + 26);               // ShortName
    r[173] = 1;                                              // NumPorts
    r[174] = 0x80;                                           // PortTypes[0]: outputs DMX
    r[190] = static_cast<std::uint8_t>(portAddress & 0x0F);  // SwOut[0]
    r[200] = 0x00;                                           // Style: a node
    return r;
}

// A node of the test's own on 127.0.0.2 that answers polls for one Port-Address.
class ArtNetOutputTest : public ::testing::Test {
protected:
    ArtNetOutputTest()
    {
        target.enabled = true;
        target.portAddress = 0x0123;  // 1:2:3
        target.port = port;
        target.interfaceAddress = Loopback;
        target.broadcastAddress = OtherLoopback;  // the "broadcast" reaches the node
        output.start();
    }
    // Answers one poll, if one comes, with a reply naming the outputs.
    bool answerPoll(std::uint16_t outputsPortAddress)
    {
        for (int i = 0; i < 20; ++i) {
            const auto request = node.next();
            if (!request) {
                return false;
            }
            if (artnet::parseArtPoll(*request)) {
                const auto reply = nodeReply(outputsPortAddress);
                EXPECT_EQ(node.socket().sendTo(node.from, node.fromPort, reply), 0);
                return true;
            }
        }
        return false;
    }

    std::uint16_t port = freePort();
    Receiver node{OtherLoopback, port, true};
    ArtNetTarget target;
    ArtNetOutput output;
};

TEST_F(ArtNetOutputTest, PollsFindsTheNodeAndSendsItsPortAddressToItAlone)
{
    output.configure(target);
    ASSERT_TRUE(answerPoll(0x0123)) << "the controller polls";
    const auto end = std::chrono::steady_clock::now() + 2s;
    while (output.nodes().empty() && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(10ms);
    }
    const std::vector<ArtNetNode> nodes = output.nodes();
    ASSERT_EQ(nodes.size(), 1u);
    EXPECT_EQ(nodes[0].address, OtherLoopback);
    EXPECT_EQ(nodes[0].shortName, "Node A");
    EXPECT_EQ(nodes[0].outputs, std::vector<std::uint16_t>{0x0123});

    node.drain();
    Frame f = frameOf(33, 0x55);
    f[512] = 44;
    output.write(FrameView(f));
    const auto packet = node.next();
    ASSERT_TRUE(packet);
    const auto dmx = artnet::parseArtDmx(*packet);
    ASSERT_TRUE(dmx) << "an ArtDmx arrives";
    EXPECT_EQ(dmx->portAddress, 0x0123);
    EXPECT_EQ(dmx->length, 512);
    EXPECT_EQ(dmx->data[0], 33) << "slot 1 first: Art-Net carries no start code";
    EXPECT_EQ(dmx->data[511], 44);
    EXPECT_GE(dmx->sequence, 1);
}

TEST_F(ArtNetOutputTest, AnswersAPollWithAControllersReply)
{
    output.configure(target);
    ASSERT_TRUE(answerPoll(0x7FFF));
    node.drain();
    const artnet::ArtPoll poll;
    ASSERT_EQ(node.socket().sendTo(Loopback, port, poll.bytes()), 0);
    std::optional<artnet::PollReplyFields> reply;
    for (int i = 0; i < 20 && !reply; ++i) {
        const auto bytes = node.next();
        ASSERT_TRUE(bytes) << "a reply comes";
        reply = artnet::parseArtPollReply(*bytes);
    }
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->ip, Loopback);
    EXPECT_EQ(reply->shortName.view(), "Velantra");
    EXPECT_EQ(reply->style, artnet::StyleController);
    EXPECT_EQ(reply->outputCount, 0u) << "a controller outputs no DMX port";
    EXPECT_TRUE(output.nodes().size() == 1) << "and does not list itself";
}

}  // namespace
}  // namespace velantra
