// Cost of one output tick over a busy show, and of the wire encoder alone.
#include "bench/busy_show.h"
#include "engine/engine.h"
#include "engine/output_cycle.h"
#include "link/wire_encoder.h"
#include "network/artnet_output.h"
#include "network/sacn_output.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <memory>

namespace {

using namespace velantra;

// Runs the tick over the busy show; the scene changes before every tick, as
// if the operator kept switching, so the fades never settle.
void runTicks(benchmark::State& state, RateMode mode, bool blackOut, bool network = false)
{
    auto engine = std::make_unique<Engine>();
    bench::loadBusyShow(*engine, mode, blackOut);
    OutputCycle cycle(*engine);
    const auto device = bench::attachFakeDevice(cycle);
    // Both network outputs on, sending by unicast to a loopback port where
    // nothing listens. What the tick pays is handing them the frame; their
    // own threads send, at the tick's pace in the program, as fast as the
    // loop runs here.
    SacnOutput sacn;
    ArtNetOutput artnet;
    if (network) {
        SacnTarget s;
        s.enabled = true;
        s.destination = ipv4(127, 0, 0, 1);
        s.port = 40568;
        ArtNetTarget a;
        a.enabled = true;
        a.destination = ipv4(127, 0, 0, 1);
        a.port = 40454;
        sacn.configure(s);
        artnet.configure(a);
        sacn.start();
        artnet.start();
        cycle.addOutput(&sacn);
        cycle.addOutput(&artnet);
    }

    bool sceneA = true;
    for (auto _ : state) {
        engine->memory.set(CellScene, sceneA ? bench::BusySceneA : bench::BusySceneB);
        sceneA = !sceneA;
        cycle.tick();
        benchmark::DoNotOptimize(device->link.wireBuffer().data());
        benchmark::DoNotOptimize(device->link.wireLength());
        benchmark::ClobberMemory();
    }
    // The last message's length shows how many slots were escaped.
    state.counters["wire_bytes"] = device->link.wireLength();
}

void BM_TickFaders(benchmark::State& state)
{
    runTicks(state, RateMode::Faders, state.range(0) != 0);
}
BENCHMARK(BM_TickFaders)->ArgName("blackout")->Arg(0)->Arg(1);

void BM_TickAutomatPlaying(benchmark::State& state)
{
    runTicks(state, RateMode::Automat, false);
}
BENCHMARK(BM_TickAutomatPlaying);

void BM_TickFadersWithNetworkOutputs(benchmark::State& state)
{
    runTicks(state, RateMode::Faders, false, true);
}
BENCHMARK(BM_TickFadersWithNetworkOutputs);

void BM_EncodeWireFrame(benchmark::State& state, std::uint8_t level)
{
    std::array<std::uint8_t, WireSlots> slots{};
    slots.fill(level);
    std::array<std::uint8_t, WireMessageMax> message{};
    int length = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(slots.data());
        length = encodeWireFrame(slots.data(), message.data(), message.size());
        benchmark::DoNotOptimize(length);
        benchmark::DoNotOptimize(message.data());
        benchmark::ClobberMemory();
    }
    state.counters["wire_bytes"] = length;
}
BENCHMARK_CAPTURE(BM_EncodeWireFrame, all_zero, std::uint8_t{0});
BENCHMARK_CAPTURE(BM_EncodeWireFrame, all_255, std::uint8_t{255});

}  // namespace

BENCHMARK_MAIN();
