// The six level scripts and the random source they draw from.
#pragma once

#include <cstdint>

namespace zephlet {

constexpr std::int32_t kLastSpawnTick = 1800;
constexpr std::uint32_t kCruiseLevelIndex = 6;

// The game's own linear congruential generator, so that the same seed gives
// the same rows on every platform: state * 214013 + 2531011, bits 16..30.
void srand(std::uint32_t seed);
std::int32_t rand();
std::uint32_t randomState();

// Whether the level's rhythm makes a row at this level tick.
bool rowDue(std::uint32_t levelIndex, std::int32_t levelTick);

// Called once per tick, after the level clock has counted. Appends the
// tick's row, if any, to the obstacles in flight.
void spawnObstacles();

}  // namespace zephlet
