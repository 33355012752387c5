// What a finish costs the game's thread (record: the decision and starting the
// saving thread) against the whole save it hands off (lock, read, merge,
// write, fsync, rename), on the real disk of the working folder.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <memory>

#include "game/play/BestTimes.h"
#include "game/play/PosixFileSystem.h"

namespace {

using quiltRush::BestTimes;

constexpr const char* kFile = "bench-times.txt";  // and its lock file beside it

// A fresh file each time, so every run counting down from the top is a new best.
std::unique_ptr<BestTimes> scratchTimes() {
    std::remove(kFile);
    auto times = std::make_unique<BestTimes>(kFile, std::make_unique<quiltRush::PosixFileSystem>(), nullptr);
    times->load();
    return times;
}

// Every run a new best, so every record starts a save; the wait for it is not timed.
void BM_RecordOnTheGameThread(benchmark::State& state) {
    auto times = scratchTimes();
    std::uint32_t millis = UINT32_MAX;
    for (auto _ : state) {
        benchmark::DoNotOptimize(times->record("0123456789abcdef", --millis));
        state.PauseTiming();
        times->waitForSave();
        state.ResumeTiming();
    }
}
// A fixed count: the untimed waits for the disk would make the usual time target take minutes.
BENCHMARK(BM_RecordOnTheGameThread)->Unit(benchmark::kMicrosecond)->Iterations(300);

// The same, waiting for the save each time: what the game would stall for without the thread.
void BM_RecordAndWaitForTheSave(benchmark::State& state) {
    auto times = scratchTimes();
    std::uint32_t millis = UINT32_MAX;
    int saves = 0;
    for (auto _ : state) {
        saves += times->record("0123456789abcdef", --millis).isNew ? 1 : 0;
        times->waitForSave();
    }
    state.counters["saves"] = saves;
}
BENCHMARK(BM_RecordAndWaitForTheSave)->Unit(benchmark::kMicrosecond)->Iterations(300);

}  // namespace

BENCHMARK_MAIN();
