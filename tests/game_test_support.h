// Shared helpers for the simulation's tests.
#pragma once

#include <gtest/gtest.h>

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
    *os << "{alt " << o.altitude << ", y " << o.y << ", lane " << o.lane << ", kind " << o.kind
        << "}";
}

}  // namespace zephlet
