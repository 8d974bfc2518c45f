// The network outputs on a network of fake nodes, in a network namespace that
// tools/netns_test.sh makes: each node is a UDP socket of the test bound to an
// address of its own, answering the controller's polls with ArtPollReplies
// written out by hand; other sockets listen on the directed broadcast and on
// sACN's groups. Started alone, every test skips and says why.
#include "engine/engine.h"
#include "engine/output_cycle.h"
#include "network/artnet_output.h"
#include "network/network_outputs.h"
#include "network/sacn_output.h"
#include "network/udp_socket.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <net/if.h>
#include <poll.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace velantra {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint16_t FirstPortAddress = 0x0123;  // 1:2:3
constexpr std::uint32_t Unreachable = ipv4(203, 0, 113, 9);

std::string envText(const char* name)
{
    const char* text = std::getenv(name);
    return text != nullptr ? text : "";
}

std::uint32_t envAddress(const char* name)
{
    in_addr a{};
    return ::inet_pton(AF_INET, envText(name).c_str(), &a) == 1 ? ntohl(a.s_addr) : 0;
}

std::string ipText(std::uint32_t address)
{
    const in_addr a{htonl(address)};
    char text[INET_ADDRSTRLEN] = {};
    return ::inet_ntop(AF_INET, &a, text, sizeof text);
}

double ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// The test network, as the script describes it.
struct TestNet {
    std::string interfaceName = envText("VELANTRA_NETNS_IF");
    std::uint32_t local = envAddress("VELANTRA_NETNS_LOCAL");
    std::uint32_t netmask = envAddress("VELANTRA_NETNS_NETMASK");
    std::uint32_t broadcast = envAddress("VELANTRA_NETNS_BROADCAST");
    std::uint32_t firstNode = envAddress("VELANTRA_NETNS_FIRST_NODE");
    std::uint32_t foreign = envAddress("VELANTRA_NETNS_FOREIGN");  // on no subnet of the interface
    std::string moveInterface = envText("VELANTRA_NETNS_MOVE_IF");
    std::uint32_t moveFrom = envAddress("VELANTRA_NETNS_MOVE_FROM");
    std::uint32_t moveTo = envAddress("VELANTRA_NETNS_MOVE_TO");
    std::string movePrefix = envText("VELANTRA_NETNS_MOVE_PREFIX");
    std::uint32_t moveBroadcast = envAddress("VELANTRA_NETNS_MOVE_BROADCAST");

    bool ready() const
    {
        return ::if_nametoindex(interfaceName.c_str()) != 0 && ::if_nametoindex(moveInterface.c_str()) != 0 &&
               local != 0 && moveTo != 0;
    }
    std::uint32_t node(int k) const { return firstNode + static_cast<std::uint32_t>(k); }
};

struct Datagram {
    Bytes bytes;
    std::uint32_t from = 0;
    Clock::time_point at;
};

// A socket of the fake network, bound (shared, as Art-Net programs share
// 6454) to an address, a broadcast address or a group it joins by joinVia.
// A node is one that has replies for the controller's polls.
class Endpoint {
public:
    Endpoint(std::uint32_t address, std::uint16_t port, std::uint32_t joinVia = 0, std::vector<Bytes> answers = {})
        : replies(std::move(answers))
    {
        EXPECT_EQ(socket_.open(), 0);
        EXPECT_EQ(socket_.enableBroadcast(), 0);
        EXPECT_EQ(socket_.bindTo(address, port, true), 0) << ipText(address) << ":" << port;
        if (joinVia != 0) {
            EXPECT_EQ(socket_.joinGroup(address, joinVia), 0);
        }
    }
    void send(std::uint32_t to, std::span<const std::uint8_t> bytes)
    {
        EXPECT_EQ(socket_.sendTo(to, artnet::Port, bytes), 0) << "to " << ipText(to);
    }
    void readAll()
    {
        std::array<std::uint8_t, 2048> buffer{};
        std::uint32_t from = 0;
        std::uint16_t port = 0;
        int error = 0;
        for (long got = 0; (got = socket_.receiveFrom(buffer, from, port, error)) >= 0;) {
            inbox.push_back({{buffer.begin(), buffer.begin() + got}, from, Clock::now()});
        }
    }
    // The ArtDmx that arrived (for one Port-Address, or all).
    std::vector<artnet::DmxFields> dmx(std::optional<std::uint16_t> portAddress = std::nullopt) const
    {
        std::vector<artnet::DmxFields> found;
        for (const Datagram& d : inbox) {
            const auto fields = artnet::parseArtDmx(d.bytes);
            if (fields && (!portAddress || fields->portAddress == *portAddress)) {
                found.push_back(*fields);
            }
        }
        return found;
    }
    int fd() const { return socket_.fd(); }

    std::vector<Datagram> inbox;
    std::vector<Bytes> replies;
    bool answering = true;

private:
    UdpSocket socket_;
};

// A node's ArtPollReply, written out field by field: ip in the IP and BindIp
// fields, one output port for each Port-Address (all of one Net and Sub-Net).
Bytes nodeReply(std::uint32_t ip, std::uint8_t bindIndex, const std::vector<std::uint16_t>& outputs)
{
    Bytes r(239, 0);
    const char id[] = "Art-Net";
    std::copy(id, id + 8, r.begin());  // with its NUL
    r[9] = 0x21;                       // OpPollReply 0x2100, low byte first
    for (int i = 0; i < 4; ++i) {
        r[10 + i] = static_cast<std::uint8_t>(ip >> (24 - 8 * i));   // IP
        r[207 + i] = static_cast<std::uint8_t>(ip >> (24 - 8 * i));  // BindIp
    }
    r[14] = 0x36;  // port 6454, low byte first
    r[15] = 0x19;
    if (!outputs.empty()) {
        r[18] = static_cast<std::uint8_t>(outputs[0] >> 8);           // NetSwitch
        r[19] = static_cast<std::uint8_t>((outputs[0] >> 4) & 0x0F);  // SubSwitch
    }
    const char name[] = "Fake node";
    std::copy(name, name + 9, r.begin() + 26);
    r[173] = static_cast<std::uint8_t>(outputs.size());  // NumPorts
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        r[174 + i] = 0x80;  // PortTypes: outputs DMX
        r[190 + i] = static_cast<std::uint8_t>(outputs[i] & 0x0F);
    }
    r[200] = 0x00;  // Style: a node
    r[211] = bindIndex;
    return r;
}

// ArtPoll as an older controller sends it: 14 bytes.
const Bytes artPoll = {'A', 'r', 't', '-', 'N', 'e', 't', 0, 0x00, 0x20, 0, 14, 0, 0x10};

// The ArtPollReplies among what arrived, as they came.
std::vector<Bytes> pollReplies(const Endpoint& e)
{
    std::vector<Bytes> found;
    for (const Datagram& d : e.inbox) {
        if (artnet::parseArtPollReply(d.bytes)) {
            found.push_back(d.bytes);
        }
    }
    return found;
}

// The fake network: a listener on the interface's directed broadcast (polls
// and broadcast ArtDmx), and the nodes and other sockets of a test.
class Rig {
public:
    explicit Rig(std::uint32_t broadcastAddress)
        : broadcast(broadcastAddress, artnet::Port)
    {}
    Endpoint& node(std::uint32_t address, std::vector<Bytes> replies)
    {
        return sockets.emplace_back(address, artnet::Port, 0, std::move(replies));
    }
    Endpoint& endpoint(std::uint32_t address, std::uint16_t port = artnet::Port, std::uint32_t joinVia = 0)
    {
        return sockets.emplace_back(address, port, joinVia);
    }
    // Reads every socket and lets the nodes answer each poll, until done()
    // or the time is up; whether done() came true. Runs Qt's events too.
    bool pump(Clock::duration within, const std::function<bool()>& done = {})
    {
        const auto end = Clock::now() + within;
        std::vector<pollfd> fds{{broadcast.fd(), POLLIN, 0}};
        for (const Endpoint& e : sockets) {
            fds.push_back({e.fd(), POLLIN, 0});
        }
        while (Clock::now() < end) {
            ::poll(fds.data(), fds.size(), 5);
            broadcast.readAll();
            for (Endpoint& e : sockets) {
                e.readAll();
            }
            for (; answered_ < broadcast.inbox.size(); ++answered_) {
                const Datagram& d = broadcast.inbox[answered_];
                if (artnet::parseArtPoll(d.bytes)) {
                    polls.push_back(d.at);
                    for (Endpoint& n : sockets) {
                        for (const Bytes& reply : n.replies) {
                            if (n.answering) {
                                n.send(d.from, reply);
                            }
                        }
                    }
                }
            }
            QCoreApplication::processEvents();
            if (done && done()) {
                return true;
            }
        }
        return false;
    }
    // Forgets what has arrived (the polls seen stay counted).
    void clear()
    {
        pump(10ms);
        broadcast.inbox.clear();
        answered_ = 0;
        for (Endpoint& e : sockets) {
            e.inbox.clear();
        }
    }

    Endpoint broadcast;
    std::deque<Endpoint> sockets;
    std::vector<Clock::time_point> polls;

private:
    std::size_t answered_ = 0;
};

// The output thread's part: every 50 ms (the program's tick) a frame for each
// universe (slot 1 the tick's count, slot 2 the universe's number), handed to
// each output as the cycle does.
std::unique_ptr<std::jthread> driveFrames(std::vector<NetworkSender*> outputs, std::size_t universes)
{
    return std::make_unique<std::jthread>([outputs, universes](const std::stop_token& stop) {
        std::array<FrameSlotsArray, MaxUniverses> frames{};
        auto next = Clock::now();
        for (unsigned tick = 0; !stop.stop_requested(); ++tick) {
            for (std::size_t u = 0; u < universes; ++u) {
                frames[u][1] = static_cast<std::uint8_t>(tick);
                frames[u][2] = static_cast<std::uint8_t>(u + 1);
            }
            for (NetworkSender* output : outputs) {
                output->writeFurther(std::span(frames).subspan(1, universes - 1));
                output->write(FrameView(frames[0]));
            }
            std::this_thread::sleep_until(next += 50ms);
        }
    });
}

class NetnsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!net.ready()) {
            GTEST_SKIP() << "not in the test network: tools/netns_test.sh makes a network namespace with fake "
                            "nodes and runs these tests in it";
        }
        rig = std::make_unique<Rig>(net.broadcast);
    }
    TestNet net;
    std::unique_ptr<Rig> rig;
};

// The Art-Net controller on the first interface, sending FirstPortAddress and on.
class ArtNetNodes : public NetnsTest {
protected:
    // alongside: another output the same ticks go to (the sACN source).
    void start(std::size_t universes = 1, NetworkSender* alongside = nullptr)
    {
        ArtNetTarget target;
        target.enabled = true;
        target.portAddress = FirstPortAddress;
        target.interfaceAddress = net.local;
        target.netmask = net.netmask;
        target.broadcastAddress = net.broadcast;
        output.start();
        output.configure(target);
        std::vector<NetworkSender*> outputs{&output};
        if (alongside != nullptr) {
            outputs.push_back(alongside);
        }
        driver = driveFrames(outputs, universes);
    }
    bool found(std::size_t count)
    {
        return rig->pump(3s, [&] { return output.nodes().size() == count; });
    }

    ArtNetOutput output;
    SacnOutput sacnOutput;                 // started only where a test sends sACN too
    std::unique_ptr<std::jthread> driver;  // stops before the outputs
};

TEST_F(ArtNetNodes, ANodeWhosePortsSpanTwoRepliesIsListedTwiceAndGetsBothPortAddresses)
{
    const std::uint32_t address = net.node(10);
    Endpoint& node =
        rig->node(address, {nodeReply(address, 1, {FirstPortAddress}), nodeReply(address, 2, {FirstPortAddress + 1})});
    start(2);
    ASSERT_TRUE(found(2)) << output.nodes().size() << " entries";
    auto nodes = output.nodes();
    std::sort(nodes.begin(), nodes.end(), [](const auto& a, const auto& b) { return a.bindIndex < b.bindIndex; });
    for (std::uint8_t i = 0; i < 2; ++i) {
        EXPECT_EQ(nodes[i].address, address);
        EXPECT_EQ(nodes[i].bindIndex, i + 1);
        EXPECT_EQ(nodes[i].outputs, std::vector<std::uint16_t>{static_cast<std::uint16_t>(FirstPortAddress + i)});
    }
    rig->clear();
    rig->pump(600ms);
    EXPECT_GE(node.dmx(FirstPortAddress).size(), 5u) << "BindIndex 1's Port-Address, unicast";
    EXPECT_GE(node.dmx(FirstPortAddress + 1).size(), 5u) << "BindIndex 2's Port-Address, unicast";
    EXPECT_TRUE(rig->broadcast.dmx().empty()) << "nothing by broadcast";
}

// Unicast to each node that outputs the Port-Address up to UnicastLimit of
// them; by the directed broadcast when there are more, or none.
class UnicastLimit : public ArtNetNodes, public ::testing::WithParamInterface<int> {};

TEST_P(UnicastLimit, EachNodeGetsItsCopyUpToTheLimitThenOneBroadcast)
{
    const int count = GetParam();
    for (int k = 0; k < count; ++k) {
        rig->node(net.node(k), {nodeReply(net.node(k), 1, {FirstPortAddress})});
    }
    start();
    ASSERT_TRUE(found(static_cast<std::size_t>(count))) << output.nodes().size() << " of " << count << " found";
    rig->clear();
    rig->pump(600ms);
    const bool unicast = count > 0 && count <= static_cast<int>(ArtNetOutput::UnicastLimit);
    const auto withCopies = std::count_if(rig->sockets.begin(), rig->sockets.end(),
                                          [](const Endpoint& n) { return n.dmx(FirstPortAddress).size() >= 5; });
    const auto withAny =
        std::count_if(rig->sockets.begin(), rig->sockets.end(), [](const Endpoint& n) { return !n.dmx().empty(); });
    EXPECT_EQ(withCopies, unicast ? count : 0) << "nodes that got their own copies";
    EXPECT_EQ(withAny, unicast ? count : 0);
    EXPECT_EQ(rig->broadcast.dmx(FirstPortAddress).size() >= 5, !unicast) << "by the directed broadcast";
}

INSTANTIATE_TEST_SUITE_P(Nodes, UnicastLimit, ::testing::Values(0, 1, 40, 41));

TEST_F(ArtNetNodes, AVisualiserBoundToThePortFirstTakesNoneOfTheReplies)
{
    Endpoint& visualiser = rig->endpoint(0);  // 0.0.0.0:6454, SO_REUSEADDR and SO_REUSEPORT, before the controller
    constexpr int Count = 16;
    for (int k = 0; k < Count; ++k) {
        rig->node(net.node(k), {nodeReply(net.node(k), 1, {FirstPortAddress})});
    }
    start();
    EXPECT_TRUE(found(Count)) << output.nodes().size() << " of " << Count << " found";
    const auto taken = std::count_if(visualiser.inbox.begin(), visualiser.inbox.end(), [](const Datagram& d) {
        const auto reply = artnet::parseArtPollReply(d.bytes);
        return reply && reply->style == artnet::StyleNode;
    });
    EXPECT_EQ(taken, 0) << "node replies that went to the visualiser";
    EXPECT_TRUE(std::any_of(visualiser.inbox.begin(), visualiser.inbox.end(), [](const Datagram& d) {
        return artnet::parseArtPoll(d.bytes).has_value();
    })) << "the visualiser does listen on the port (it sees the polls)";
}

// A reply names an address in its IP field and comes from another, or the same.
struct ReplyCase {
    const char* name;
    int sender;  // node index, or -1: the address on no subnet of the interface
    int ip;
    bool believed;
};
void PrintTo(const ReplyCase& c, std::ostream* os)
{
    *os << c.name;
}

class BelievedReplies : public ArtNetNodes, public ::testing::WithParamInterface<ReplyCase> {
protected:
    std::uint32_t addressOf(int k) const { return k < 0 ? net.foreign : net.node(k); }
};

TEST_P(BelievedReplies, OnlyBelievedNodesAreListedAndUnicastTo)
{
    const ReplyCase c = GetParam();
    const std::uint32_t ip = addressOf(c.ip);
    Endpoint& sender = rig->node(addressOf(c.sender), {nodeReply(ip, 1, {FirstPortAddress})});
    Endpoint& named = c.ip == c.sender ? sender : rig->endpoint(ip);
    start();
    ASSERT_TRUE(rig->pump(3s, [&] { return !output.nodes().empty() || output.refusedReplies() > 0; }));
    rig->clear();
    rig->pump(600ms);
    if (c.believed) {
        ASSERT_EQ(output.nodes().size(), 1u);
        EXPECT_EQ(output.nodes()[0].address, ip);
        EXPECT_EQ(output.refusedReplies(), 0u);
        EXPECT_GE(named.dmx(FirstPortAddress).size(), 5u) << "unicast to " << ipText(ip);
    } else {
        EXPECT_TRUE(output.nodes().empty());
        EXPECT_GE(output.refusedReplies(), 1u);
        EXPECT_TRUE(named.dmx().empty()) << "never unicast to " << ipText(ip);
        EXPECT_GE(rig->broadcast.dmx(FirstPortAddress).size(), 5u) << "by broadcast, as with no node";
    }
}

INSTANTIATE_TEST_SUITE_P(Replies, BelievedReplies,
                         ::testing::Values(ReplyCase{"ItsOwnAddress", 11, 11, true},
                                           ReplyCase{"AnotherAddressOnTheSubnet", 11, 12, true},
                                           ReplyCase{"AnAddressOffTheSubnetSentFromIt", -1, -1, true},
                                           ReplyCase{"AnAddressOffTheSubnetSentFromTheSubnet", 11, -1, false},
                                           ReplyCase{"AnAddressOnTheSubnetSentFromOffIt", -1, 11, false}),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(ArtNetNodes, TheNodeListStopsAtMaxNodes)
{
    Endpoint& sender = rig->endpoint(net.node(11));
    start();
    ASSERT_TRUE(rig->pump(2s, [&] { return !rig->polls.empty(); }));
    // 300 entries by IP and BindIndex: 255 BindIndexes of one address, 45 of another.
    for (int n = 0; n < 300; ++n) {
        const std::uint32_t ip = net.node(n < 255 ? 11 : 12);
        sender.send(net.local, nodeReply(ip, static_cast<std::uint8_t>(n < 255 ? n + 1 : n - 254), {}));
        if (n % 30 == 29) {
            rig->pump(60ms);  // the controller reads 64 at a time per socket
        }
    }
    rig->pump(2s, [&] { return output.nodes().size() + output.refusedReplies() >= 300; });
    EXPECT_EQ(output.nodes().size(), ArtNetOutput::MaxNodes);
    EXPECT_EQ(output.refusedReplies(), 300 - ArtNetOutput::MaxNodes);
}

TEST_F(ArtNetNodes, PollsGetTheControllersAddressAndPortsAtMostReplyRateASecond)
{
    Endpoint& poller = rig->endpoint(net.node(14));
    start(2);
    ASSERT_TRUE(rig->pump(2s, [&] { return output.counters().sending; }));
    const auto replies = [&] { return pollReplies(poller); };
    poller.send(net.local, artPoll);
    ASSERT_TRUE(rig->pump(1s, [&] { return !replies().empty(); })) << "the controller answers";
    const Bytes bytes = replies().front();
    const auto reply = artnet::parseArtPollReply(bytes);
    EXPECT_EQ(reply->ip, net.local);
    EXPECT_EQ(packet::u32Be(bytes, 207), net.local) << "BindIp";
    EXPECT_GE(packet::u16Be(bytes, 172), 1) << "NumPorts";
    EXPECT_GE(reply->inputCount, 1u);
    EXPECT_EQ(reply->inputs[0], FirstPortAddress) << "an input port for the Port-Address sent";
    EXPECT_EQ(reply->estaManufacturer, 0x7FF0);
    EXPECT_EQ(reply->style, artnet::StyleController);
    EXPECT_EQ(reply->nodeReport.view().substr(0, 7), "#0001 [") << reply->nodeReport.view();

    rig->pump(1100ms);  // the allowance fills up again
    rig->clear();
    const std::uint64_t before = output.unansweredPolls();
    constexpr std::size_t Burst = 50;
    for (std::size_t i = 0; i < Burst; ++i) {
        poller.send(net.local, artPoll);
    }
    rig->pump(300ms);
    const std::size_t answered = replies().size();
    EXPECT_GE(answered, 5u);
    EXPECT_LE(answered, 15u) << "at most about " << ArtNetOutput::ReplyRate << " a second";
    EXPECT_GE(answered + (output.unansweredPolls() - before), Burst - 2) << "the others counted";
}

TEST_F(ArtNetNodes, PollsEveryPollPeriodAndDropsANodeThatStopsAnswering)
{
    Endpoint& node = rig->node(net.node(13), {nodeReply(net.node(13), 1, {FirstPortAddress})});
    start();
    ASSERT_TRUE(rig->pump(5s, [&] { return rig->polls.size() >= 2; })) << "two polls answered";
    rig->pump(300ms);
    ASSERT_EQ(output.nodes().size(), 1u);
    node.answering = false;
    ASSERT_TRUE(rig->pump(12s, [&] { return output.nodes().empty(); })) << "the silent node is dropped";
    const Clock::time_point dropped = Clock::now();
    const auto& polls = rig->polls;
    ASSERT_GE(polls.size(), 4u);
    const Clock::time_point unanswered = polls[2];
    EXPECT_GE(dropped - unanswered, 2800ms) << "kept for the reply window after the unanswered poll";
    EXPECT_LE(dropped - unanswered, 3500ms);
    double shortest = 1e9;
    double longest = 0;
    for (std::size_t i = 1; i < polls.size(); ++i) {
        shortest = std::min(shortest, ms(polls[i] - polls[i - 1]));
        longest = std::max(longest, ms(polls[i] - polls[i - 1]));
    }
    EXPECT_GE(shortest, 2600);
    EXPECT_LE(longest, 3200);
    std::printf("FIGURES: Art-Net poll interval min %.0f ms, max %.0f ms (%zu polls); node dropped %.0f ms after "
                "the poll it did not answer\n",
                shortest, longest, polls.size(), ms(dropped - unanswered));
}

// Four universes at once: sACN U..U+3 and Art-Net P..P+3, each its own stream.
TEST_F(ArtNetNodes, FourUniversesEachWithItsOwnSequenceAndTheDiscoveryList)
{
    constexpr std::uint16_t Universe = 11;
    std::vector<Endpoint*> groups;
    for (std::uint16_t u = 0; u < MaxUniverses; ++u) {
        groups.push_back(&rig->endpoint(sacn::multicastGroup(Universe + u), sacn::Port, net.local));
    }
    Endpoint& discovery = rig->endpoint(sacn::multicastGroup(sacn::DiscoveryUniverse), sacn::Port, net.local);
    const std::vector<std::uint16_t> ports{FirstPortAddress, FirstPortAddress + 1, FirstPortAddress + 2,
                                           FirstPortAddress + 3};
    Endpoint& node = rig->node(net.node(15), {nodeReply(net.node(15), 1, ports)});
    SacnTarget target;
    target.enabled = true;
    target.universe = Universe;
    target.interfaceIndex = static_cast<int>(::if_nametoindex(net.interfaceName.c_str()));
    sacnOutput.start();
    sacnOutput.configure(target);
    start(MaxUniverses, &sacnOutput);
    ASSERT_TRUE(found(1));
    const auto listed = [&] {
        return std::any_of(discovery.inbox.begin(), discovery.inbox.end(), [](const Datagram& d) {
            const auto list = sacn::parseDiscoveryPacket(d.bytes);
            return list && std::vector<std::uint16_t>(list->universes.begin(), list->universes.begin() + list->count) ==
                               std::vector<std::uint16_t>{Universe, Universe + 1, Universe + 2, Universe + 3};
        });
    };
    EXPECT_TRUE(rig->pump(2s, listed)) << "a discovery packet lists the four universes as they appear";
    rig->clear();
    rig->pump(3s);
    constexpr double Seconds = 3;
    driver.reset();

    std::string figures;
    for (std::uint16_t u = 0; u < MaxUniverses; ++u) {
        int breaks = 0;
        std::optional<std::uint8_t> last;
        for (const Datagram& d : groups[u]->inbox) {
            const auto p = sacn::parseDataPacket(d.bytes);
            ASSERT_TRUE(p);
            EXPECT_EQ(p->universe, Universe + u);
            EXPECT_EQ(p->levels[1], u + 1) << "the universe's own frame";
            breaks += last && p->sequence != static_cast<std::uint8_t>(*last + 1);
            last = p->sequence;
        }
        EXPECT_EQ(breaks, 0) << "sACN universe " << Universe + u << ": each packet one on from the last";
        const auto dmx = node.dmx(ports[u]);
        breaks = 0;
        for (std::size_t i = 1; i < dmx.size(); ++i) {
            breaks += dmx[i].sequence != (dmx[i - 1].sequence == 255 ? 1 : dmx[i - 1].sequence + 1);
            EXPECT_EQ(dmx[i].data[1], u + 1);
        }
        EXPECT_EQ(breaks, 0) << "Art-Net Port-Address " << ports[u];
        const double sacnRate = static_cast<double>(groups[u]->inbox.size()) / Seconds;
        const double artnetRate = static_cast<double>(dmx.size()) / Seconds;
        EXPECT_TRUE(sacnRate > 10 && sacnRate < 40) << sacnRate;
        EXPECT_TRUE(artnetRate > 10 && artnetRate < 40) << artnetRate;
        figures += " sACN " + std::to_string(Universe + u) + " " + std::to_string(std::lround(sacnRate)) +
                   "/s, Art-Net " + artnet::portAddressText(ports[u]) + " " + std::to_string(std::lround(artnetRate)) +
                   "/s;";
    }
    std::vector<double> gaps;  // between data packets of the first universe
    for (std::size_t i = 1; i < groups[0]->inbox.size(); ++i) {
        gaps.push_back(ms(groups[0]->inbox[i].at - groups[0]->inbox[i - 1].at));
    }
    ASSERT_FALSE(gaps.empty());
    std::sort(gaps.begin(), gaps.end());
    const double p99 = gaps[gaps.size() * 99 / 100];
    EXPECT_LE(p99, 200) << "sACN packets keep coming";
    std::printf("FIGURES: packets per second per universe:%s sACN inter-packet p99 %.1f ms (max %.1f ms, tick 50 ms)\n",
                figures.c_str(), p99, gaps.back());
}

// ---------------------------------------------------------------------------
// NetworkOutputs as the program runs them, with Qt's events (the follow timer).
class OutputsTest : public NetnsTest {
protected:
    void start(const QString& universe, const QString& portAddress, const QString& interfaceName,
               const QString& destination = {})
    {
        SacnSettings sacn;
        sacn.enabled = QStringLiteral("1");
        sacn.universe = universe;
        sacn.interfaceName = interfaceName;
        sacn.destination = destination;
        sacn.cid = QStringLiteral("5f0e4a52-6c1d-4f7e-9b1a-3d2c1b0a9f8e");
        ArtNetSettings artnet;
        artnet.enabled = QStringLiteral("1");
        artnet.portAddress = portAddress;
        artnet.interfaceName = interfaceName;
        artnet.destination = destination;
        outputs = std::make_unique<NetworkOutputs>(cycle);
        outputs->applySacn(sacn);
        outputs->applyArtNet(artnet);
        driver = driveFrames({&outputs->sacnOutput(), &outputs->artNetOutput()}, 1);
    }
    Engine engine;
    OutputCycle cycle{engine};
    std::unique_ptr<NetworkOutputs> outputs;
    std::unique_ptr<std::jthread> driver;  // stops before the outputs
};

struct DefaultCase {
    const char* name;
    std::uint32_t (*destination)(const TestNet&);
    bool second;  // the second interface is expected, else the first
};
void PrintTo(const DefaultCase& c, std::ostream* os)
{
    *os << c.name;
}

class DefaultInterface : public NetnsTest, public ::testing::WithParamInterface<DefaultCase> {};

TEST_P(DefaultInterface, IsTheOneThatRoutesToTheDestinationElseTheFirstUp)
{
    const auto choice = NetworkOutputs::defaultInterface(GetParam().destination(net));
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->name.toStdString(), GetParam().second ? net.moveInterface : net.interfaceName);
}

INSTANTIATE_TEST_SUITE_P(
    Destinations, DefaultInterface,
    ::testing::Values(
        DefaultCase{"OnTheFirstSubnet", [](const TestNet& n) { return n.node(40); }, false},
        DefaultCase{"OnTheSecondSubnet", [](const TestNet& n) { return n.moveFrom + 20; }, true},
        DefaultCase{"AMulticastGroupRoutedToTheFirst", [](const TestNet&) { return sacn::multicastGroup(1); }, false},
        DefaultCase{"NoRouteTheFirstUp", [](const TestNet&) { return Unreachable; }, false},
        DefaultCase{"TheLimitedBroadcastTheFirstUp", [](const TestNet&) { return ipv4(255, 255, 255, 255); }, false}),
    [](const auto& p) { return std::string(p.param.name); });

TEST_F(OutputsTest, WithNoInterfaceChosenBothOutputsTakeTheDefaultOneAndArtNetItsDirectedBroadcast)
{
    Endpoint& group = rig->endpoint(sacn::multicastGroup(31), sacn::Port, net.local);
    start(QStringLiteral("31"), QStringLiteral("0:1:7"), {});
    const QString first = QStringLiteral("%1 (%2)").arg(QString::fromStdString(net.interfaceName),
                                                        QString::fromStdString(ipText(net.local)));
    EXPECT_EQ(outputs->sacnState().via, first);
    EXPECT_EQ(outputs->artNetState().via, first);
    EXPECT_TRUE(rig->pump(3s, [&] { return rig->broadcast.dmx(0x0017).size() >= 3 && group.inbox.size() >= 3; }));
    EXPECT_FALSE(rig->polls.empty()) << "polls by the directed broadcast";
    for (const Datagram& d : group.inbox) {
        EXPECT_EQ(d.from, net.local);
    }
    outputs->refresh();
    EXPECT_TRUE(outputs->sacnState().on);
    EXPECT_TRUE(outputs->artNetState().on);
}

TEST_F(OutputsTest, WhenEverySendIsRefusedNeitherOutputIsEverSending)
{
    start(QStringLiteral("32"), QStringLiteral("0:1:8"), {}, QString::fromStdString(ipText(Unreachable)));
    NetworkSender* senders[] = {&outputs->sacnOutput(), &outputs->artNetOutput()};
    bool everSending = false;
    rig->pump(1500ms, [&] {
        for (NetworkSender* s : senders) {
            everSending = everSending || s->counters().sending;
        }
        return false;
    });
    EXPECT_FALSE(everSending);
    for (NetworkSender* s : senders) {
        EXPECT_GT(s->counters().failures, 10u);
        EXPECT_EQ(s->counters().lastError, ENETUNREACH) << "no route: the namespace has no default route";
    }
    outputs->refresh();
    for (const OutputState* state : {&outputs->sacnState(), &outputs->artNetState()}) {
        EXPECT_FALSE(state->on);
        EXPECT_FALSE(state->lastError.isEmpty());
    }
}

TEST_F(OutputsTest, AnAddressChangedWhileSendingIsFollowedWithoutOperatorAction)
{
    const std::string dev = " dev " + net.moveInterface;
    const std::string newAddress = ipText(net.moveTo) + "/" + net.movePrefix;
    // The address is put back however the test ends.
    const std::shared_ptr<void> putBack(nullptr, [&](void*) {
        const std::string command =
            "ip addr flush" + dev + " && ip addr add " + ipText(net.moveFrom) + "/" + net.movePrefix + " brd +" + dev;
        EXPECT_EQ(std::system(command.c_str()), 0) << "the address put back";
    });
    // Membership stays with the interface, whatever its address.
    Endpoint& group = rig->endpoint(sacn::multicastGroup(33), sacn::Port, net.moveFrom);
    Endpoint& broadcast = rig->endpoint(net.moveBroadcast);
    Endpoint& poller = rig->endpoint(net.node(16));
    start(QStringLiteral("33"), QStringLiteral("0:2:1"), QString::fromStdString(net.moveInterface));
    const auto from = [](const Endpoint& e, std::uint32_t address, bool artDmx) {
        return std::any_of(e.inbox.begin(), e.inbox.end(), [&](const Datagram& d) {
            return d.from == address && (!artDmx || artnet::parseArtDmx(d.bytes));
        });
    };
    ASSERT_TRUE(rig->pump(3s, [&] { return from(group, net.moveFrom, false) && from(broadcast, net.moveFrom, true); }))
        << "sending by" << dev << " before the change";

    const std::string command = "ip addr del " + ipText(net.moveFrom) + "/" + net.movePrefix + dev +
                                " && ip addr add " + newAddress + " brd +" + dev;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    const auto changed = Clock::now();
    rig->clear();
    std::optional<Clock::duration> sacnBack;
    std::optional<Clock::duration> artnetBack;
    rig->pump(10s, [&] {
        if (!sacnBack && from(group, net.moveTo, false)) {
            sacnBack = Clock::now() - changed;
        }
        if (!artnetBack && from(broadcast, net.moveTo, true)) {
            artnetBack = Clock::now() - changed;
        }
        return sacnBack && artnetBack;
    });
    EXPECT_TRUE(sacnBack) << "sACN multicast from the new address";
    EXPECT_TRUE(artnetBack) << "ArtDmx from the new address";
    EXPECT_FALSE(std::any_of(group.inbox.begin(), group.inbox.end(), [](const Datagram& d) {
        const auto p = sacn::parseDataPacket(d.bytes);
        return p && (p->options & sacn::OptionStreamTerminated) != 0;
    })) << "the stream goes on, it is not ended";
    EXPECT_TRUE(outputs->artNetState().via.contains(QString::fromStdString(ipText(net.moveTo))))
        << outputs->artNetState().via.toStdString();

    poller.send(net.moveTo, artPoll);
    ASSERT_TRUE(rig->pump(1s, [&] { return !pollReplies(poller).empty(); })) << "answered at the new address";
    const Bytes reply = pollReplies(poller).front();
    EXPECT_EQ(artnet::parseArtPollReply(reply)->ip, net.moveTo);
    EXPECT_EQ(packet::u32Be(reply, 207), net.moveTo) << "BindIp";
    std::printf("FIGURES: after an address change, sACN resumed in %.0f ms, Art-Net in %.0f ms (follow period %d ms)\n",
                sacnBack ? ms(*sacnBack) : -1.0, artnetBack ? ms(*artnetBack) : -1.0, NetworkOutputs::FollowPeriod);
}

}  // namespace
}  // namespace velantra

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);  // the follow timer's events
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
