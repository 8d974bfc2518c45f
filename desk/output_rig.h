// The engine and everything its frames go to: the USB interface link, the
// network outputs, and the output thread that ticks them every 50 ms. The
// desk core owns one.
#pragma once

#include "engine/engine.h"
#include "engine/output_cycle.h"
#include "engine/output_thread.h"
#include "link/d2xx.h"
#include "link/usb_link.h"

#include <memory>

namespace velantra {

class NetworkOutputs;

class OutputRig {
public:
    // GUI thread. driver: the interface driver (nullptr: the system's);
    // writes: where the link writes its frames (on its own writer thread
    // while the output thread ticks; on the caller's when ticks are stepped
    // by hand). The output thread is made, not started.
    explicit OutputRig(std::unique_ptr<D2xxProvider> driver = nullptr,
                       UsbLink::Writes writes = UsbLink::Writes::OnWriterThread);
    // GUI thread. stop(), if that has not happened yet.
    ~OutputRig();
    OutputRig(const OutputRig&) = delete;
    OutputRig& operator=(const OutputRig&) = delete;

    Engine& engine() { return *engine_; }
    UsbLink& link() { return *link_; }
    OutputCycle& cycle() { return *cycle_; }
    OutputThread& thread() { return *thread_; }
    NetworkOutputs& network() { return *network_; }

    // GUI thread. The end of the output: the thread stops, the network
    // outputs end their streams (sACN receivers let go at once), the
    // interface is closed. Later calls do nothing more.
    void stop();

private:
    std::unique_ptr<Engine> engine_;
    std::unique_ptr<D2xxProvider> driver_;
    std::unique_ptr<UsbLink> link_;
    std::unique_ptr<OutputCycle> cycle_;
    std::unique_ptr<NetworkOutputs> network_;
    std::unique_ptr<OutputThread> thread_;
};

}  // namespace velantra
