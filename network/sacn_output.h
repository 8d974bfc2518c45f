// The sACN (ANSI E1.31) source: one universe, the 512 patched slots with the
// frame's start code, every tick, by multicast to the universe's group or
// unicast to a chosen address. Switched off, silenced by the DEMO box or
// stopped at the end of the program, it sends the three Stream_Terminated
// packets that tell receivers to let go at once.
#pragma once

#include "network/network_sender.h"
#include "network/sacn_packet.h"
#include "network/udp_socket.h"

#include <cstdint>
#include <string>

namespace velantra {

struct SacnTarget {
    bool enabled = false;
    std::uint16_t universe = 1;          // 1..63999
    std::uint8_t priority = 100;         // 0..200
    std::uint32_t destination = 0;       // IPv4 (host order); 0: the universe's multicast group
    std::uint32_t interfaceAddress = 0;  // the interface multicast leaves by; 0: the system's choice
    int hops = 8;                        // multicast time to live: a site's routed network, not the internet
    std::uint16_t port = sacn::Port;     // 5568; another one only to test on one machine
    sacn::Cid cid{};
    std::string sourceName = "Velantra";

    bool operator==(const SacnTarget&) const = default;
};

class SacnOutput : public NetworkSender {
public:
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
    void sendFrame(const LatestFrame::Frame& frame) override;
    void sendGoodbye() override;

private:
    bool openSocket();

    PendingTarget<SacnTarget> pending_;  // from the GUI thread
    SacnTarget target_;                  // sender thread
    sacn::DataPacket packet_;            // sender thread
    UdpSocket socket_;                   // sender thread
    std::uint32_t address_ = 0;          // sender thread: where packets go
    std::uint8_t sequence_ = 0;          // sender thread: per universe
    LatestFrame::Frame last_{};          // sender thread: what the stream ends with
    std::atomic<std::uint32_t> sendingTo_{0};
};

}  // namespace velantra
