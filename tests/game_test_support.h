// Shared helpers for the simulation's tests.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <utility>

#include "game/game_state.h"

// Tests write states with designated initializers; the fields they leave out
// keep their initial values, as in the game.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace zephlet {

// Every test starts from the state at program start.
class GameTest : public ::testing::Test {
  protected:
    void SetUp() override { resetGame(); }
    void TearDown() override { resetGame(); }
};

// Program start, then the given state; the list keeps the room it started with.
inline void setState(GameState state) {
    resetGame();
    gameState.obstacles.assign(state.obstacles.begin(), state.obstacles.end());
    state.obstacles = std::move(gameState.obstacles);
    gameState = std::move(state);
}

inline void PrintTo(const Obstacle& o, std::ostream* os) {
    *os << "{" << o.altitude << ", " << o.y << ", " << o.lane << ", " << o.kind << "}";
}

}  // namespace zephlet
