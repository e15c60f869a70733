// Shared helpers for the simulation's tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "game/game_state.h"

namespace zephlet {

// Every test starts from the state at program start.
class GameTest : public ::testing::Test {
  protected:
    void SetUp() override { resetGame(); }
    void TearDown() override { resetGame(); }
};

inline bool operator==(const Obstacle& a, const Obstacle& b) {
    return a.altitude == b.altitude && a.y == b.y && a.lane == b.lane && a.kind == b.kind;
}

inline void PrintTo(const Obstacle& o, std::ostream* os) {
    *os << "{" << o.altitude << ", " << o.y << ", " << o.lane << ", " << o.kind << "}";
}

// The state a restart or a level change decides, in one comparable line.
inline std::string stateLineFields() {
    const GameState& s = gameState;
    return "level=" + std::to_string(s.levelIndex) + " tick=" + std::to_string(s.levelTick) +
           " crashed=" + std::to_string(s.crashed) + " timer=" + std::to_string(s.crashTimer) +
           " lane=" + std::to_string(s.playerLane) + " alt=" + std::to_string(s.playerAltitude) +
           " scroll=" + std::to_string(s.scrollOffset) +
           " obstacles=" + std::to_string(s.obstacles.size());
}

}  // namespace zephlet
