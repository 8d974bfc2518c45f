// The Art-Net 4 controller: ArtDmx for each of the desk's universes (the
// first on the chosen 15-bit Port-Address, the further ones on the
// Port-Addresses after it; 512 slots, no start code, a sequence per
// universe), unicast to every node that outputs that Port-Address while
// there are at most UnicastLimit of them, by directed broadcast when there
// are more, when none answers or when asked to, or to one chosen address.
//
// It polls for nodes every 2.75 s by the interface's directed broadcast and
// drops a node that has not answered within 3 s of a poll, as Art-Net 4
// asks of a controller. A reply is believed only when its IP field is the
// address it came from, or both lie on the interface's subnet; the list
// holds at most MaxNodes entries, one per IP address and BindIndex. Polls
// from others are answered at most ReplyRate times a second, with this
// controller's own address, an input port for each Port-Address it sends,
// and a NodeReport of its state.
//
// Two sockets share port 6454 with other programs on the computer: one
// bound to the interface's address, which sends and gets what is addressed
// to this computer, and one bound to any address for broadcasts.
#pragma once

#include "network/artnet_packet.h"
#include "network/network_sender.h"
#include "network/udp_socket.h"

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace velantra {

struct ArtNetTarget {
    bool enabled = false;
    std::uint16_t portAddress = 0;       // Net:Sub-Net:Universe as one number, 0..32767
    std::uint32_t destination = 0;       // IPv4 (host order); 0: the nodes found, else broadcast
    std::uint32_t interfaceAddress = 0;  // our address on the interface; 0: none known
    std::uint32_t netmask = 0;           // the interface's subnet mask (0: only exact replies count)
    std::uint32_t broadcastAddress = ipv4(255, 255, 255, 255);  // the interface's directed broadcast
    std::array<std::uint8_t, 6> mac{};                          // the interface's hardware address
    bool alwaysBroadcast = false;                               // for nodes that do not answer polls
    std::uint16_t port = artnet::Port;                          // 6454; another one only to test on one machine
    std::string shortName = "Velantra";
    std::string longName = "Velantra DMX512 lighting controller";

    bool operator==(const ArtNetTarget&) const = default;
};

// A node (or one BindIndex of a node) that answered a poll.
struct ArtNetNode {
    std::uint32_t address = 0;
    std::uint8_t bindIndex = 1;
    std::string shortName;
    std::vector<std::uint16_t> outputs;  // the Port-Addresses it outputs
    std::chrono::steady_clock::time_point seen;
};

class ArtNetOutput : public NetworkSender {
public:
    static constexpr std::chrono::milliseconds PollPeriod{2750};
    static constexpr std::chrono::seconds ReplyWindow{3};
    // Art-Net 4 lets a controller broadcast a universe only when more than
    // 40 nodes take it; up to that, each gets its own copy.
    static constexpr std::size_t UnicastLimit = 40;
    static constexpr std::size_t MaxNodes = 256;
    static constexpr int ReplyRate = 10;

    ArtNetOutput() = default;
    ~ArtNetOutput() override { stop(); }
    ArtNetOutput(const ArtNetOutput&) = delete;
    ArtNetOutput& operator=(const ArtNetOutput&) = delete;

    // GUI thread. Takes effect before the next packet.
    void configure(const ArtNetTarget& target);
    // Any thread. The nodes now in the list.
    std::vector<ArtNetNode> nodes() const;
    // Any thread. Replies not believed, and polls not answered (over the rate).
    std::uint64_t refusedReplies() const { return refusedReplies_.load(std::memory_order_relaxed); }
    std::uint64_t unansweredPolls() const { return unansweredPolls_.load(std::memory_order_relaxed); }

protected:
    std::chrono::milliseconds idlePeriod() const override { return std::chrono::milliseconds(100); }
    void applyPending() override;
    void sendFrame(const UniverseFrames& frames) override;
    void service() override;

private:
    bool openSockets();
    void closeSockets();
    UdpSocket& sender() { return own_.isOpen() ? own_ : listen_; }
    void receive(UdpSocket& socket);
    void answerPoll(std::uint32_t from);
    void takeReply(const artnet::PollReplyFields& reply, std::uint32_t from);
    bool believed(std::uint32_t ip, std::uint32_t from) const;
    void poll();
    void sendUniverse(std::size_t index);

    PendingTarget<ArtNetTarget> pending_;                 // from the GUI thread
    ArtNetTarget target_;                                 // sender thread
    std::array<artnet::ArtDmx, MaxUniverses> dmx_{};      // sender thread
    std::array<std::uint8_t, MaxUniverses> sequences_{};  // sender thread: 1..255 each
    std::size_t universes_ = 0;                           // sender thread: sent last frame
    std::vector<std::uint32_t> unicast_;                  // sender thread: this universe's nodes
    UdpSocket own_;                                       // sender thread: bound to the interface's address
    UdpSocket listen_;                                    // sender thread: bound to any address, for broadcasts
    std::chrono::steady_clock::time_point lastPoll_{};
    std::array<std::chrono::steady_clock::time_point, 2> polls_{};  // the last two polls sent
    double replyTokens_ = ReplyRate;
    std::chrono::steady_clock::time_point lastToken_{};
    unsigned repliesSent_ = 0;
    std::atomic<std::uint64_t> refusedReplies_{0};
    std::atomic<std::uint64_t> unansweredPolls_{0};
    mutable std::mutex nodesMutex_;
    std::vector<ArtNetNode> nodes_;  // under nodesMutex_
};

}  // namespace velantra
