// The sACN (ANSI E1.31) source: the desk's universes (the first on the
// chosen sACN universe, the further ones on the universes after it), each
// with its 512 slots and start code, every tick, by multicast to each
// universe's group or unicast to a chosen address, each with a sequence of
// its own. Every 10 s it lists the universes it sends on the discovery
// universe. Switched off, silenced by the DEMO box or stopped at the end of
// the program, it sends the three Stream_Terminated packets that tell
// receivers to let go at once; a universe the desk stops using gets them too.
#pragma once

#include "network/network_sender.h"
#include "network/sacn_packet.h"
#include "network/udp_socket.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <string>

namespace velantra {

struct SacnTarget {
    bool enabled = false;
    std::uint16_t universe = 1;          // 1..63999
    std::uint8_t priority = 100;         // 0..200
    std::uint32_t destination = 0;       // IPv4 (host order); 0: the universe's multicast group
    std::uint32_t interfaceAddress = 0;  // the interface multicast leaves by; 0: the system's choice
    int interfaceIndex = 0;              // that interface's index; 0: by its address
    int hops = 8;                        // multicast time to live: a site's routed network, not the internet
    std::uint16_t port = sacn::Port;     // 5568; another one only to test on one machine
    sacn::Cid cid{};
    std::string sourceName = "Velantra";

    bool operator==(const SacnTarget&) const = default;
};

class SacnOutput : public NetworkSender {
public:
    static constexpr std::chrono::seconds DiscoveryPeriod{10};

    SacnOutput() = default;
    ~SacnOutput() override { stop(); }
    SacnOutput(const SacnOutput&) = delete;
    SacnOutput& operator=(const SacnOutput&) = delete;

    // GUI thread. Takes effect before the next packet; a change of universe,
    // address or switch first ends the old stream.
    void configure(const SacnTarget& target);

    // Where the packets go now (sender thread's view, for tests and the window).
    std::uint32_t sendingTo() const { return sendingTo_.load(std::memory_order_relaxed); }

protected:
    void applyPending() override;
    void sendFrame(const UniverseFrames& frames) override;
    void sendGoodbye() override;

private:
    // One universe's stream: sender thread.
    struct Stream {
        sacn::DataPacket packet;
        std::uint8_t sequence = 0;
        FrameSlotsArray last{};  // what the stream ends with
    };

    bool openSocket();
    std::uint16_t universeOf(std::size_t index) const;
    std::uint32_t addressOf(std::size_t index) const;
    void endStreams(std::size_t from);
    void sendDiscovery();

    PendingTarget<SacnTarget> pending_;  // from the GUI thread
    SacnTarget target_;                  // sender thread
    std::array<Stream, MaxUniverses> streams_{};
    std::size_t streaming_ = 0;  // sender thread: how many universes are being sent
    sacn::DiscoveryPacket discovery_;
    std::chrono::steady_clock::time_point lastDiscovery_{};
    UdpSocket socket_;  // sender thread
    std::atomic<std::uint32_t> sendingTo_{0};
};

}  // namespace velantra
