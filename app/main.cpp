// Velantra: until the main window exists, the program runs the output cycle
// headless and prints, once a second, the frame message it would send.
#include "engine/engine.h"
#include "engine/output_cycle.h"
#include "engine/output_thread.h"
#include "link/system_provider.h"
#include "link/usb_link.h"
#include "link/usb_texts.h"
#include "link/wire_encoder.h"

#include <array>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <memory>
#include <thread>

namespace {

std::atomic<bool> quitRequested{false};

void onSignal(int)
{
    quitRequested.store(true);
}

const char* schedulingName(velantra::Scheduling s)
{
    switch (s) {
    case velantra::Scheduling::RealTime:
        return "real-time (SCHED_FIFO)";
    case velantra::Scheduling::Normal:
        return "normal";
    case velantra::Scheduling::NotStarted:
        break;
    }
    return "not started";
}

}  // namespace

int main()
{
    using namespace velantra;
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);

    auto engine = std::make_unique<Engine>();
    engine->memory.set(CellAvt1Tempo, 50);
    engine->memory.set(CellAvt2Tempo, 50);
    engine->ClearAll();

    const auto driver = makeSystemProvider();
    UsbLink link(*engine, *driver);
    link.InitUsbDevise();
    std::printf("driver: %s; %s %s %s\n", link.providerName(), qPrintable(usbCountText(link.listing())),
                qPrintable(usbDescriptionText(link.listing())), qPrintable(usbSerialText(link.listing())));

    OutputCycle cycle(*engine);
    cycle.setWriter(&link);
    OutputThread thread([&cycle] { cycle.tick(); });
    thread.start();

    std::array<std::uint8_t, DmxSlots> frameSlots{};
    std::array<std::uint8_t, WireMessageMax> message{};
    while (!quitRequested.load()) {
        std::this_thread::sleep_for(std::chrono::seconds(1));
        link.TimerPollingTimer();
        const InterfaceDisplay shown = interfaceDisplay(link, false);
        std::printf("[%s] %s\n", qPrintable(shown.captionPrefix), qPrintable(shown.statusPanel));
        engine->dmxFrame.copyOut(0, frameSlots.size(), frameSlots.data());
        const int length = encodeWireFrame(frameSlots.data(), message.data(), message.size());
        std::printf("tick %llu, %s scheduling, late %llu: %d bytes:", static_cast<unsigned long long>(thread.ticks()),
                    schedulingName(thread.scheduling()), static_cast<unsigned long long>(thread.lateTicks()), length);
        for (int i = 0; i < 12; ++i) {
            std::printf(" %02X", message[i]);
        }
        std::printf(" ...");
        for (int i = length - 4; i < length; ++i) {
            std::printf(" %02X", message[i]);
        }
        std::printf("\n");
        std::fflush(stdout);
    }
    thread.stop();
    link.CloseUsbDevise();
    return 0;
}
