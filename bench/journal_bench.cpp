// The edit journal's cost on the GUI thread: one ShadowDiff::changes() of
// show memory against its shadow, when nothing changed, when an operator is
// busy (a scene's worth of cells scattered over the show and a picture), and
// when every byte changed; append() of a busy second's changes; and the
// window's whole look with the copy for the picture editor's shaping.
#include "engine/show_memory.h"
#include "journal/edit_journal.h"
#include "journal/journal_writer.h"
#include "journal/shadow_diff.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include <array>

#include <cstdint>

namespace velantra {
namespace {

void fillShow(ShowMemory& memory)
{
    for (int i = 0; i < ShowFileSize; ++i) {
        memory.set(static_cast<std::size_t>(i), static_cast<std::uint8_t>(i * 7 + i / 128));
    }
}

// 256 cells, one in each scene, and picture 3's 512 bytes.
void busyEdit(ShowMemory& memory, std::uint8_t round)
{
    for (int scene = 0; scene < SceneCount; ++scene) {
        const auto cell = static_cast<std::size_t>(sceneAddress(static_cast<std::uint8_t>(scene)) + (scene * 37) % 256);
        memory.set(cell, static_cast<std::uint8_t>(memory.get(cell) + round));
    }
    memory.fill(static_cast<std::size_t>(pictureAddress(3)), static_cast<std::size_t>(pictureAddress(3) + 511), round);
}

void BM_ChangesUnchanged(benchmark::State& state)
{
    ShowMemory memory;
    fillShow(memory);
    ShadowDiff diff;
    diff.reset(memory);
    for (auto _ : state) {
        benchmark::DoNotOptimize(diff.changes(memory).ranges.size());
    }
}
BENCHMARK(BM_ChangesUnchanged);

void BM_ChangesBusy(benchmark::State& state)
{
    ShowMemory memory;
    fillShow(memory);
    ShadowDiff diff;
    diff.reset(memory);
    std::uint8_t round = 1;
    std::size_t ranges = 0;
    for (auto _ : state) {
        busyEdit(memory, round++);
        ranges = diff.changes(memory).ranges.size();
        benchmark::DoNotOptimize(ranges);
    }
    state.counters["ranges"] = static_cast<double>(ranges);
}
BENCHMARK(BM_ChangesBusy);

void BM_ChangesEveryByte(benchmark::State& state)
{
    ShowMemory memory;
    fillShow(memory);
    ShadowDiff diff;
    diff.reset(memory);
    std::uint8_t round = 1;
    for (auto _ : state) {
        state.PauseTiming();
        memory.fill(0, ShowFileSize - 1, round++);
        state.ResumeTiming();
        benchmark::DoNotOptimize(diff.changes(memory).ranges.size());
    }
}
BENCHMARK(BM_ChangesEveryByte);

// The window's look every 250 ms when nothing changed: the memory copied for
// the picture editor's shaping, then compared (nothing is written).
void BM_EditJournalStepShaped(benchmark::State& state)
{
    ShowMemory memory;
    fillShow(memory);
    QTemporaryDir dir;
    EditJournal journal(memory, dir.filePath(QStringLiteral("Vela43.vlj")));
    journal.setShape([](ShowMemory&) {});
    std::array<std::uint8_t, ShowFileSize> base{};
    memory.copyOut(0, ShowFileSize, base.data());
    journal.begin(ShowImage(base.data(), ShowFileSize), QString());
    for (auto _ : state) {
        journal.step();
    }
}
BENCHMARK(BM_EditJournalStepShaped);

void BM_AppendBusy(benchmark::State& state)
{
    ShowMemory memory;
    fillShow(memory);
    ShadowDiff diff;
    diff.reset(memory);
    JournalWriter writer;
    writer.start(QDir::temp().filePath(QStringLiteral("velantra-journal-bench.vlj")), diff.image(),
                 QStringLiteral("bench.vlt"));
    std::uint8_t round = 1;
    for (auto _ : state) {
        state.PauseTiming();
        busyEdit(memory, round++);
        const ShowChanges changes = diff.changes(memory);
        state.ResumeTiming();
        writer.append(changes);
        if (writer.pendingBytes() > JournalWriter::MaxPending / 2) {
            state.PauseTiming();
            writer.restart(diff.image());
            state.ResumeTiming();
        }
    }
    writer.remove();
}
BENCHMARK(BM_AppendBusy);

}  // namespace
}  // namespace velantra

BENCHMARK_MAIN();
