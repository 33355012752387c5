// What a change of level costs the player: the old world taken down, the new
// one built (every entity, picture and physics body) and its first frame
// drawn. Run from the project root under an X display, on the renderer to
// measure, e.g.
//   LIBGL_ALWAYS_SOFTWARE=1 xvfb-run -a -s '-screen 0 1024x768x24' build/level_switch_bench
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "game/scene/LevelPack.h"
#include "tools/driver/GameDriver.h"

namespace {

// The game can be built once per process: every benchmark shares it.
quiltRush::GameDriver& game() {
    static quiltRush::GameDriver driver(true);
    return driver;
}

// Switches to every level of the pack in turn, each time up to its first drawn frame.
void BM_SwitchToTheNextLevel(benchmark::State& state) {
    const quiltRush::LevelPack pack = quiltRush::LevelPack::readFile();
    std::vector<std::string> names;
    for (const quiltRush::PackLevel& level : pack.getLevels()) names.push_back(level.name);
    if (names.empty()) {
        state.SkipWithError("no level pack in assets/levels/pack.txt: run from the project root");
        return;
    }
    std::size_t next = 0;
    for (auto _ : state) {
        game().switchLevel(names[next]);
        game().step();  // primes the clock and draws the first frame
        next = (next + 1) % names.size();
    }
    state.counters["levels"] = static_cast<double>(names.size());
}
BENCHMARK(BM_SwitchToTheNextLevel)->Unit(benchmark::kMillisecond)->Iterations(30)->Repetitions(3);

}  // namespace

BENCHMARK_MAIN();
