#include "network/sacn_output.h"

namespace velantra {

void SacnOutput::configure(const SacnTarget& target)
{
    pending_.set(target);
    wake();
}

bool SacnOutput::openSocket()
{
    if (int error = socket_.open(); error != 0) {
        count(error);
        return false;
    }
    if (target_.destination == 0) {
        const int hops = socket_.setMulticastHops(target_.hops);
        const int via = target_.interfaceAddress != 0 ? socket_.setMulticastInterface(target_.interfaceAddress) : 0;
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
    const bool sameStream = next.universe == target_.universe && next.destination == target_.destination &&
                            next.interfaceAddress == target_.interfaceAddress && next.cid == target_.cid &&
                            next.port == target_.port && next.hops == target_.hops;
    if (!sameStream || !next.enabled) {
        setActive(false);  // the old stream ends with its own universe and address
        socket_.close();
    }
    if (!sameStream) {
        sequence_ = 0;
    }
    target_ = next;
    if (!packet_.setSource(target_.cid, target_.sourceName, target_.priority, target_.universe)) {
        // Out of range: the settings checks keep such values from coming here.
        setActive(false);
        setRetrying(false);
        sendingTo_.store(0, std::memory_order_relaxed);
        return;
    }
    address_ = target_.destination != 0 ? target_.destination : sacn::multicastGroup(target_.universe);
    sendingTo_.store(target_.enabled ? address_ : 0, std::memory_order_relaxed);
    if (!target_.enabled) {
        setRetrying(false);
        return;
    }
    const bool open = socket_.isOpen() || openSocket();
    setActive(open);
    setRetrying(!open);
}

void SacnOutput::sendFrame(const LatestFrame::Frame& frame)
{
    last_ = frame;
    packet_.fill(sequence_++, FrameView(frame));
    count(socket_.sendTo(address_, target_.port, packet_.bytes()));
}

void SacnOutput::sendGoodbye()
{
    // Three packets, each with its own sequence number, as receivers expect.
    for (int i = 0; i < 3; ++i) {
        packet_.fill(sequence_++, FrameView(last_), sacn::OptionStreamTerminated);
        count(socket_.sendTo(address_, target_.port, packet_.bytes()));
    }
}

}  // namespace velantra
