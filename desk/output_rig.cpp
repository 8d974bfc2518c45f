#include "desk/output_rig.h"

#include "link/system_provider.h"
#include "network/network_outputs.h"

namespace velantra {

OutputRig::OutputRig(std::unique_ptr<D2xxProvider> driver, UsbLink::Writes writes)
    : engine_(std::make_unique<Engine>())
    , driver_(driver ? std::move(driver) : makeSystemProvider())
    , link_(std::make_unique<UsbLink>(*driver_, writes))
    , cycle_(std::make_unique<OutputCycle>(*engine_))
{
    cycle_->addOutput(link_.get());
    // The network outputs get the same frames as the interface link.
    network_ = std::make_unique<NetworkOutputs>(*cycle_);
    OutputCycle* cycle = cycle_.get();
    thread_ = std::make_unique<OutputThread>([cycle] { cycle->tick(); });
}

OutputRig::~OutputRig()
{
    stop();
}

void OutputRig::stop()
{
    thread_->stop();
    network_->stop();
    link_->closeInterface();
}

}  // namespace velantra
