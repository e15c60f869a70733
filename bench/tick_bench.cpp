// tickWorld over whole levels, obstacles in flight, as ticks per second.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "game/game_state.h"
#include "game/level_scripts.h"
#include "game/world_tick.h"

namespace zephlet {
namespace {

constexpr int kTicksPerLevel = 2221;

// One iteration plays a whole level from its first tick to its end. The
// craft flies outside the three lanes, so nothing hits it and every level
// runs its full length with all its rows falling.
void BM_TickWholeLevel(benchmark::State& state) {
    const auto levelIndex = static_cast<std::uint32_t>(state.range(0));
    resetGame();
    srand(20261206);
    std::int64_t ticks = 0;
    for (auto _ : state) {
        gameState.levelIndex = levelIndex;
        gameState.levelTick = 0;
        gameState.obstacles.clear();
        gameState.playerLane = 1000;
        for (int i = 0; i < kTicksPerLevel; ++i) {
            tickWorld();
        }
        benchmark::DoNotOptimize(gameState.scrollOffset);
        ticks += kTicksPerLevel;
    }
    state.counters["ticks/s"] =
        benchmark::Counter(static_cast<double>(ticks), benchmark::Counter::kIsRate);
    state.SetLabel("level " + std::to_string(levelIndex + 1));
}
BENCHMARK(BM_TickWholeLevel)->DenseRange(0, 5);

}  // namespace
}  // namespace zephlet
