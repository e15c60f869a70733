// One step of the game world; every painted frame runs exactly one.
#pragma once

#include <cstdint>

#include "game/game_state.h"

namespace zephlet {

constexpr std::int32_t kGroundHeight = 800;
constexpr std::int32_t kScrollStep = 2;
constexpr std::int32_t kFallStep = 2;
constexpr std::int32_t kPictureHeight = 600;
constexpr std::int32_t kCraftTop = 500;
constexpr std::int32_t kCrashPauseTicks = 90;
constexpr std::int32_t kLevelEndTick = 2220;

// Whether an obstacle whose top edge is at y overlaps the craft's row by at
// least 3 pixels: y from 471 to 529.
bool inHitWindow(std::int32_t y);

// Whether an obstacle in the craft's lane hits a craft at this altitude.
bool hitsCraftAt(const Obstacle& obstacle, std::int32_t craftAltitude);

void tickWorld();

}  // namespace zephlet
