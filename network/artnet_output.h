// The Art-Net 4 controller: ArtDmx to one 15-bit Port-Address (512 slots, no
// start code), to every node that outputs that Port-Address, by broadcast
// when none does or when asked to, or to one chosen address. It polls for
// nodes every 3 s by the interface's directed broadcast, keeps those that
// answered in the last 10 s, and answers polls itself.
#pragma once

#include "network/artnet_packet.h"
#include "network/network_sender.h"
#include "network/udp_socket.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace velantra {

struct ArtNetTarget {
    bool enabled = false;
    std::uint16_t portAddress = 0;       // Net:Sub-Net:Universe as one number, 0..32767
    std::uint32_t destination = 0;       // IPv4 (host order); 0: the nodes found, else broadcast
    std::uint32_t interfaceAddress = 0;  // our address on the chosen interface; 0: the system's choice
    std::uint32_t broadcastAddress = ipv4(255, 255, 255, 255);  // the interface's directed broadcast
    bool alwaysBroadcast = false;                               // for nodes that do not answer polls
    std::uint16_t port = artnet::Port;                          // 6454; another one only to test on one machine
    std::string shortName = "Velantra";
    std::string longName = "Velantra DMX512 lighting controller";

    bool operator==(const ArtNetTarget&) const = default;
};

// A node that answered a poll.
struct ArtNetNode {
    std::uint32_t address = 0;
    std::string shortName;
    std::vector<std::uint16_t> outputs;  // the Port-Addresses it outputs
    std::chrono::steady_clock::time_point seen;
};

class ArtNetOutput : public NetworkSender {
public:
    static constexpr std::chrono::seconds PollPeriod{3};
    static constexpr std::chrono::seconds NodeTimeout{10};

    ArtNetOutput() = default;
    ~ArtNetOutput() override { stop(); }
    ArtNetOutput(const ArtNetOutput&) = delete;
    ArtNetOutput& operator=(const ArtNetOutput&) = delete;

    // GUI thread. Takes effect before the next packet.
    void configure(const ArtNetTarget& target);
    // Any thread. The nodes that answered in the last 10 s.
    std::vector<ArtNetNode> nodes() const;

protected:
    std::chrono::milliseconds idlePeriod() const override { return std::chrono::milliseconds(100); }
    void applyPending() override;
    void sendFrame(const LatestFrame::Frame& frame) override;
    void service() override;

private:
    bool openSocket();
    void receive();
    void poll();

    PendingTarget<ArtNetTarget> pending_;  // from the GUI thread
    ArtNetTarget target_;                  // sender thread
    artnet::ArtDmx dmx_;                   // sender thread
    UdpSocket socket_;                     // sender thread
    std::uint8_t sequence_ = 0;            // sender thread: 1..255
    std::chrono::steady_clock::time_point lastPoll_{};
    mutable std::mutex nodesMutex_;
    std::vector<ArtNetNode> nodes_;  // under nodesMutex_
};

}  // namespace velantra
