#include "network/artnet_output.h"

#include <algorithm>
#include <array>
#include <cstdio>

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
    return nodes_;
}

bool ArtNetOutput::openSockets()
{
    // Both shared: a visualiser on the same computer listens on the port too.
    int error = listen_.open();
    if (error == 0) {
        error = listen_.enableBroadcast();
    }
    if (error == 0) {
        error = listen_.bindTo(0, target_.port, true);
    }
    if (error == 0 && target_.interfaceAddress != 0) {
        // What is addressed to this computer comes to the socket bound to its
        // address, whoever else listens on the port.
        error = own_.open();
        if (error == 0) {
            error = own_.enableBroadcast();
        }
        if (error == 0) {
            error = own_.bindTo(target_.interfaceAddress, target_.port, true);
        }
    }
    if (error != 0) {
        count(error);
        closeSockets();
        return false;
    }
    lastPoll_ = {};
    return true;
}

void ArtNetOutput::closeSockets()
{
    own_.close();
    listen_.close();
}

void ArtNetOutput::applyPending()
{
    std::optional<ArtNetTarget> taken = pending_.take();
    if (!taken) {
        // A socket that could not be set up is tried again on every wake-up.
        if (active() || !target_.enabled || listen_.isOpen()) {
            return;
        }
        taken = target_;
    }
    const ArtNetTarget next = *taken;
    if (next.port != target_.port || next.interfaceAddress != target_.interfaceAddress || !next.enabled) {
        setActive(false);
        closeSockets();
    }
    if (next.portAddress != target_.portAddress || next.destination != target_.destination ||
        next.interfaceAddress != target_.interfaceAddress) {
        const std::lock_guard lock(nodesMutex_);
        nodes_.clear();
    }
    target_ = next;
    for (std::size_t i = 0; i < dmx_.size(); ++i) {
        dmx_[i].setPortAddress(static_cast<std::uint16_t>(std::min<std::size_t>(target_.portAddress + i, 0x7FFF)));
    }
    if (!target_.enabled) {
        setRetrying(false);
        return;
    }
    const bool open = listen_.isOpen() || openSockets();
    setActive(open);
    setRetrying(!open);
}

void ArtNetOutput::sendFrame(const UniverseFrames& frames)
{
    universes_ = std::min<std::size_t>(frames.count, artnet::MaxPortAddress - target_.portAddress + 1U);
    for (std::size_t i = 0; i < universes_; ++i) {
        std::uint8_t& sequence = sequences_[i];
        sequence = sequence == 255 ? 1 : static_cast<std::uint8_t>(sequence + 1);
        dmx_[i].fill(sequence, FrameView(frames.frames[i]));
        sendUniverse(i);
    }
}

void ArtNetOutput::sendUniverse(std::size_t index)
{
    const auto bytes = dmx_[index].bytes();
    if (target_.destination != 0) {
        count(sender().sendTo(target_.destination, target_.port, bytes));
        return;
    }
    // The node list is the sender thread's own to write: reading it here needs
    // no copy, only the lock the window's reader also takes.
    unicast_.clear();
    if (!target_.alwaysBroadcast) {
        const auto portAddress = static_cast<std::uint16_t>(target_.portAddress + index);
        const std::lock_guard lock(nodesMutex_);
        for (const ArtNetNode& node : nodes_) {
            if (std::find(node.outputs.begin(), node.outputs.end(), portAddress) != node.outputs.end() &&
                std::find(unicast_.begin(), unicast_.end(), node.address) == unicast_.end()) {
                unicast_.push_back(node.address);
            }
        }
    }
    if (unicast_.empty() || unicast_.size() > UnicastLimit) {
        count(sender().sendTo(target_.broadcastAddress, target_.port, bytes));
        return;
    }
    for (const std::uint32_t address : unicast_) {
        count(sender().sendTo(address, target_.port, bytes));
    }
}

void ArtNetOutput::service()
{
    if (!listen_.isOpen() || !active()) {
        return;
    }
    if (own_.isOpen()) {
        receive(own_);
    }
    receive(listen_);
    const auto now = Clock::now();
    if (now - lastPoll_ >= PollPeriod) {
        poll();
    }
    // A node that has not answered a poll sent ReplyWindow ago is gone.
    const auto due = std::find_if(polls_.begin(), polls_.end(), [now](Clock::time_point sent) {
        return sent != Clock::time_point{} && now - sent >= ReplyWindow;
    });
    if (due != polls_.end()) {
        const Clock::time_point before = *due;
        const std::lock_guard lock(nodesMutex_);
        std::erase_if(nodes_, [before](const ArtNetNode& node) { return node.seen < before; });
    }
}

void ArtNetOutput::poll()
{
    lastPoll_ = Clock::now();
    polls_[1] = polls_[0];
    polls_[0] = lastPoll_;
    const artnet::ArtPoll request;
    count(sender().sendTo(target_.broadcastAddress, target_.port, request.bytes()));
}

void ArtNetOutput::receive(UdpSocket& socket)
{
    std::array<std::uint8_t, 1024> buffer{};
    for (int i = 0; i < 64; ++i) {  // a flood never keeps the thread from sending
        std::uint32_t from = 0;
        std::uint16_t fromPort = 0;
        int error = 0;
        const long got = socket.receiveFrom(buffer, from, fromPort, error);
        if (got < 0) {
            return;
        }
        const std::span<const std::uint8_t> packet(buffer.data(), static_cast<std::size_t>(got));
        if (artnet::parseArtPoll(packet)) {
            answerPoll(from);
        } else if (const auto reply = artnet::parseArtPollReply(packet)) {
            takeReply(*reply, from);
        }
    }
}

void ArtNetOutput::answerPoll(std::uint32_t from)
{
    const auto now = Clock::now();
    replyTokens_ =
        std::min<double>(ReplyRate, replyTokens_ + ReplyRate * std::chrono::duration<double>(now - lastToken_).count());
    lastToken_ = now;
    if (replyTokens_ < 1) {
        unansweredPolls_.fetch_add(1, std::memory_order_relaxed);
        return;
    }
    replyTokens_ -= 1;

    // The address the reply leaves from, even when no interface is known.
    const std::uint32_t ip = own_.isOpen() ? own_.boundAddress() : UdpSocket::sourceFor(from);
    std::array<std::uint16_t, MaxUniverses> ports{};
    const std::size_t n = std::max<std::size_t>(universes_, 1);
    for (std::size_t i = 0; i < n; ++i) {
        ports[i] = static_cast<std::uint16_t>(target_.portAddress + i);
    }
    const SenderCounters state = counters();
    artnet::ArtPollReply reply;
    reply.setController(ip, target_.shortName, target_.longName);
    reply.setMac(target_.mac);
    reply.setInputs(std::span(ports).first(n), state.sending);
    // The report is read by other programs' node lists: plain ASCII.
    const std::string first = artnet::portAddressText(target_.portAddress);
    std::array<char, artnet::ArtPollReply::NodeReportField> text{};
    std::uint16_t code = artnet::RcPowerOk;
    if (state.sending) {
        std::snprintf(text.data(), text.size(), "Velantra: sending %s, %zu universe(s)", first.c_str(), n);
    } else if (state.failures > 0) {
        code = artnet::RcUdpFail;
        std::snprintf(text.data(), text.size(), "Velantra: sends to %s refused", first.c_str());
    } else {
        std::snprintf(text.data(), text.size(), "Velantra: idle at %s", first.c_str());
    }
    reply.setNodeReport(code, ++repliesSent_, text.data());
    count(sender().sendTo(from, target_.port, reply.bytes()));
}

bool ArtNetOutput::believed(std::uint32_t ip, std::uint32_t from) const
{
    if (ip == from) {
        return true;
    }
    const std::uint32_t mask = target_.netmask;
    const std::uint32_t subnet = target_.interfaceAddress & mask;
    return mask != 0 && target_.interfaceAddress != 0 && (ip & mask) == subnet && (from & mask) == subnet;
}

void ArtNetOutput::takeReply(const artnet::PollReplyFields& reply, std::uint32_t from)
{
    if (reply.style == artnet::StyleController || reply.ip == 0) {
        return;  // a controller (ourselves among them) outputs nothing
    }
    if (!believed(reply.ip, from)) {
        refusedReplies_.fetch_add(1, std::memory_order_relaxed);
        return;
    }
    const std::uint8_t bindIndex = std::max<std::uint8_t>(reply.bindIndex, 1);
    const std::lock_guard lock(nodesMutex_);
    auto known = std::find_if(nodes_.begin(), nodes_.end(),
                              [&](const ArtNetNode& n) { return n.address == reply.ip && n.bindIndex == bindIndex; });
    if (known == nodes_.end()) {
        if (nodes_.size() >= MaxNodes) {
            refusedReplies_.fetch_add(1, std::memory_order_relaxed);
            return;
        }
        known = nodes_.insert(nodes_.end(), ArtNetNode{reply.ip, bindIndex, {}, {}, {}});
    }
    known->shortName = std::string(reply.shortName.view());
    known->outputs.assign(reply.outputs.begin(),
                          reply.outputs.begin() + static_cast<std::ptrdiff_t>(reply.outputCount));
    known->seen = Clock::now();
}

}  // namespace velantra
