#include "network/sacn_output.h"

namespace velantra {

void SacnOutput::configure(const SacnTarget& target)
{
    pending_.set(target);
    wake();
}

std::uint16_t SacnOutput::universeOf(std::size_t index) const
{
    return static_cast<std::uint16_t>(target_.universe + index);
}

std::uint32_t SacnOutput::addressOf(std::size_t index) const
{
    return target_.destination != 0 ? target_.destination : sacn::multicastGroup(universeOf(index));
}

bool SacnOutput::openSocket()
{
    if (int error = socket_.open(); error != 0) {
        count(error);
        return false;
    }
    if (target_.destination == 0) {
        const int hops = socket_.setMulticastHops(target_.hops);
        // By the interface's index when known: an address that changes
        // (DHCP, a cable moved) leaves the multicast on its interface.
        int via = 0;
        if (target_.interfaceIndex != 0) {
            via = socket_.setMulticastInterfaceIndex(target_.interfaceIndex);
        } else if (target_.interfaceAddress != 0) {
            via = socket_.setMulticastInterface(target_.interfaceAddress);
        }
        if (hops != 0 || via != 0) {
            count(via != 0 ? via : hops);
            socket_.close();
            return false;
        }
    }
    return true;
}

void SacnOutput::applyPending()
{
    std::optional<SacnTarget> taken = pending_.take();
    if (!taken) {
        // A socket that could not be set up is tried again on every wake-up.
        if (active() || !target_.enabled || socket_.isOpen()) {
            return;
        }
        taken = target_;
    }
    const SacnTarget next = *taken;
    // The stream is its universe, address, source and port; the interface
    // and the hops only decide how it leaves, so a change of them reopens
    // the socket and the stream goes on.
    const bool sameStream = next.universe == target_.universe && next.destination == target_.destination &&
                            next.cid == target_.cid && next.port == target_.port;
    const bool sameWay = next.interfaceAddress == target_.interfaceAddress &&
                         next.interfaceIndex == target_.interfaceIndex && next.hops == target_.hops;
    if (!sameStream || !next.enabled) {
        setActive(false);  // the old streams end with their own universes and address
        socket_.close();
        streaming_ = 0;
    } else if (!sameWay) {
        socket_.close();
    }
    if (!sameStream) {
        for (Stream& stream : streams_) {
            stream.sequence = 0;
        }
        lastDiscovery_ = {};
    }
    target_ = next;
    for (std::size_t i = 0; i < streams_.size(); ++i) {
        const auto universe =
            static_cast<std::uint16_t>(std::min<std::size_t>(target_.universe + i, sacn::LastUniverse));
        if (!streams_[i].packet.setSource(target_.cid, target_.sourceName, target_.priority, universe)) {
            // Out of range: the settings checks keep such values from coming here.
            setActive(false);
            setRetrying(false);
            sendingTo_.store(0, std::memory_order_relaxed);
            return;
        }
    }
    sendingTo_.store(target_.enabled ? addressOf(0) : 0, std::memory_order_relaxed);
    if (!target_.enabled) {
        setRetrying(false);
        return;
    }
    const bool open = socket_.isOpen() || openSocket();
    setActive(open);
    setRetrying(!open);
}

void SacnOutput::sendFrame(const UniverseFrames& frames)
{
    // Universes past 63999 are not sent (the settings keep the first low enough).
    const std::size_t universes =
        std::min<std::size_t>(frames.count, static_cast<std::size_t>(sacn::LastUniverse - target_.universe) + 1);
    if (universes < streaming_) {
        endStreams(universes);
    }
    const bool changed = universes != streaming_;  // the list is said again at once
    streaming_ = universes;
    for (std::size_t i = 0; i < universes; ++i) {
        Stream& stream = streams_[i];
        stream.last = frames.frames[i];
        stream.packet.fill(stream.sequence++, FrameView(stream.last));
        count(socket_.sendTo(addressOf(i), target_.port, stream.packet.bytes()));
    }
    const auto now = std::chrono::steady_clock::now();
    if (changed || now - lastDiscovery_ >= DiscoveryPeriod) {
        lastDiscovery_ = now;
        sendDiscovery();
    }
}

void SacnOutput::sendDiscovery()
{
    std::array<std::uint16_t, MaxUniverses> universes{};
    for (std::size_t i = 0; i < streaming_; ++i) {
        universes[i] = universeOf(i);
    }
    discovery_.set(target_.cid, target_.sourceName, std::span(universes).first(streaming_));
    const std::uint32_t to =
        target_.destination != 0 ? target_.destination : sacn::multicastGroup(sacn::DiscoveryUniverse);
    count(socket_.sendTo(to, target_.port, discovery_.bytes()));
}

void SacnOutput::endStreams(std::size_t from)
{
    // Three packets, each with its own sequence number, as receivers expect.
    for (std::size_t i = from; i < streaming_; ++i) {
        Stream& stream = streams_[i];
        for (int k = 0; k < 3; ++k) {
            stream.packet.fill(stream.sequence++, FrameView(stream.last), sacn::OptionStreamTerminated);
            count(socket_.sendTo(addressOf(i), target_.port, stream.packet.bytes()));
        }
    }
}

void SacnOutput::sendGoodbye()
{
    endStreams(0);
    streaming_ = 0;
}

}  // namespace velantra
