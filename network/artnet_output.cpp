#include "network/artnet_output.h"

#include <algorithm>
#include <array>

namespace velantra {

namespace {
using Clock = std::chrono::steady_clock;
}  // namespace

void ArtNetOutput::configure(const ArtNetTarget& target)
{
    pending_.set(target);
    wake();
}

std::vector<ArtNetNode> ArtNetOutput::nodes() const
{
    const std::lock_guard lock(nodesMutex_);
    std::vector<ArtNetNode> fresh;
    const auto now = Clock::now();
    for (const ArtNetNode& node : nodes_) {
        if (now - node.seen <= NodeTimeout) {
            fresh.push_back(node);
        }
    }
    return fresh;
}

bool ArtNetOutput::openSocket()
{
    int error = socket_.open();
    if (error == 0) {
        error = socket_.enableBroadcast();
    }
    if (error == 0) {
        // Shared: a visualiser on the same computer listens on the port too.
        error = socket_.bindTo(0, target_.port, true);
    }
    if (error != 0) {
        count(error);
        socket_.close();
        return false;
    }
    lastPoll_ = {};
    return true;
}

void ArtNetOutput::applyPending()
{
    std::optional<ArtNetTarget> taken = pending_.take();
    if (!taken) {
        // A socket that could not be set up is tried again on every wake-up.
        if (active() || !target_.enabled || socket_.isOpen()) {
            return;
        }
        taken = target_;
    }
    const ArtNetTarget next = *taken;
    if (next.port != target_.port || !next.enabled) {
        setActive(false);
        socket_.close();
    }
    if (next.portAddress != target_.portAddress || next.destination != target_.destination) {
        const std::lock_guard lock(nodesMutex_);
        nodes_.clear();
    }
    target_ = next;
    dmx_.setPortAddress(target_.portAddress);
    if (!target_.enabled) {
        setRetrying(false);
        return;
    }
    const bool open = socket_.isOpen() || openSocket();
    setActive(open);
    setRetrying(!open);
}

void ArtNetOutput::sendFrame(const LatestFrame::Frame& frame)
{
    sequence_ = sequence_ == 255 ? 1 : static_cast<std::uint8_t>(sequence_ + 1);
    dmx_.fill(sequence_, FrameView(frame));
    if (target_.destination != 0) {
        count(socket_.sendTo(target_.destination, target_.port, dmx_.bytes()));
        return;
    }
    // The node list is the sender thread's own to write: reading it here needs
    // no copy, only the lock the window's reader also takes.
    std::array<std::uint32_t, 32> unicast{};
    std::size_t n = 0;
    if (!target_.alwaysBroadcast) {
        const std::lock_guard lock(nodesMutex_);
        const auto now = Clock::now();
        for (const ArtNetNode& node : nodes_) {
            if (n < unicast.size() && now - node.seen <= NodeTimeout &&
                std::find(node.outputs.begin(), node.outputs.end(), target_.portAddress) != node.outputs.end()) {
                unicast[n++] = node.address;
            }
        }
    }
    if (n == 0) {
        count(socket_.sendTo(target_.broadcastAddress, target_.port, dmx_.bytes()));
        return;
    }
    for (std::size_t i = 0; i < n; ++i) {
        count(socket_.sendTo(unicast[i], target_.port, dmx_.bytes()));
    }
}

void ArtNetOutput::service()
{
    if (!socket_.isOpen() || !active()) {
        return;
    }
    receive();
    if (Clock::now() - lastPoll_ >= PollPeriod) {
        poll();
    }
}

void ArtNetOutput::poll()
{
    lastPoll_ = Clock::now();
    const artnet::ArtPoll request;
    count(socket_.sendTo(target_.broadcastAddress, target_.port, request.bytes()));
    const std::lock_guard lock(nodesMutex_);
    const auto now = Clock::now();
    std::erase_if(nodes_, [now](const ArtNetNode& node) { return now - node.seen > NodeTimeout; });
}

void ArtNetOutput::receive()
{
    std::array<std::uint8_t, 1024> buffer{};
    for (int i = 0; i < 64; ++i) {  // a flood never keeps the thread from sending
        std::uint32_t from = 0;
        std::uint16_t fromPort = 0;
        int error = 0;
        const long got = socket_.receiveFrom(buffer, from, fromPort, error);
        if (got < 0) {
            return;
        }
        const std::span<const std::uint8_t> packet(buffer.data(), static_cast<std::size_t>(got));
        if (artnet::parseArtPoll(packet)) {
            artnet::ArtPollReply reply;
            reply.setController(target_.interfaceAddress, target_.shortName, target_.longName);
            count(socket_.sendTo(from, target_.port, reply.bytes()));
        } else if (const auto node = artnet::parseArtPollReply(packet)) {
            if (node->style == artnet::StyleController || node->ip == 0) {
                continue;  // a controller (ourselves among them) outputs nothing
            }
            const std::lock_guard lock(nodesMutex_);
            auto known =
                std::find_if(nodes_.begin(), nodes_.end(), [&](const ArtNetNode& n) { return n.address == node->ip; });
            if (known == nodes_.end()) {
                known = nodes_.insert(nodes_.end(), ArtNetNode{node->ip, {}, {}, {}});
            }
            known->shortName = std::string(node->shortName.view());
            known->outputs.assign(node->outputs.begin(),
                                  node->outputs.begin() + static_cast<std::ptrdiff_t>(node->outputCount));
            known->seen = Clock::now();
        }
    }
}

}  // namespace velantra
