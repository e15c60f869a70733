#include "game/player_controls.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/world_tick.h"
#include "tests/game_test_support.h"

namespace zephlet {
namespace {

class PlayerControlsTest : public GameTest {};

constexpr bool D = true;  // key down
constexpr bool U = false;

struct KeyStep {
    bool down;
    std::uint32_t key;
    std::int32_t laneAfter, altitudeAfter;
};

TEST_F(PlayerControlsTest, OneStepPerPressWithinTheBounds) {
    struct Case {
        const char* name;
        std::int32_t lane, altitude;
        std::vector<KeyStep> steps;
    };
    const std::vector<Case> cases{
        {"held key repeats in vain, then pressed again",
         32,
         0,
         {{D, kKeyLeft, 0, 0}, {D, kKeyLeft, 0, 0}, {U, kKeyLeft, 0, 0}, {D, kKeyLeft, -32, 0}}},
        {"the edge still latches",
         -32,
         0,
         {{D, kKeyLeft, -32, 0},
          {D, kKeyRight, 0, 0},
          {D, kKeyLeft, 0, 0},
          {U, kKeyLeft, 0, 0},
          {D, kKeyLeft, -32, 0}}},
        {"up three times",
         0,
         0,
         {{D, kKeyUp, 0, 2},
          {U, kKeyUp, 0, 2},
          {D, kKeyUp, 0, 4},
          {U, kKeyUp, 0, 4},
          {D, kKeyUp, 0, 4}}},
        {"down three times",
         0,
         4,
         {{D, kKeyDown, 0, 2},
          {U, kKeyDown, 0, 2},
          {D, kKeyDown, 0, 0},
          {U, kKeyDown, 0, 0},
          {D, kKeyDown, 0, 0}}},
        {"right edge", 32, 2, {{D, kKeyRight, 32, 2}}},
        {"keys are independent",
         0,
         0,
         {{D, kKeyUp, 0, 2}, {D, kKeyRight, 32, 2}, {D, kKeyDown, 32, 0}, {D, kKeyLeft, 0, 0}}},
        // Space, Escape, 'A', and codes that only share an arrow's low byte.
        {"other keys do nothing",
         0,
         2,
         {{D, 0x20, 0, 2},
          {D, 0x1B, 0, 2},
          {D, 0x41, 0, 2},
          {D, 0x125, 0, 2},
          {D, 0x10026, 0, 2},
          {D, 0xFFFFFFFFu, 0, 2},
          {U, 0x25, 0, 2},
          {D, kKeyLeft, -32, 2}}},
    };
    for (const Case& c : cases) {
        resetGame();
        gameState.playerLane = c.lane;
        gameState.playerAltitude = c.altitude;
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            const KeyStep& step = c.steps[i];
            step.down ? pressKey(step.key) : releaseKey(step.key);
            EXPECT_EQ(gameState.playerLane, step.laneAfter) << c.name << ", step " << i;
            EXPECT_EQ(gameState.playerAltitude, step.altitudeAfter) << c.name << ", step " << i;
        }
    }
}

TEST_F(PlayerControlsTest, APressDuringACrashIsNotAccepted) {
    gameState.crashed = true;
    pressKey(kKeyRight);
    EXPECT_EQ(gameState.playerLane, 0);
    EXPECT_FALSE(rightLatch);
    // Still held after the restart: its next auto-repeat moves once.
    restartLevel();
    pressKey(kKeyRight);
    pressKey(kKeyRight);
    EXPECT_EQ(gameState.playerLane, 32);
}

TEST_F(PlayerControlsTest, AKeyHeldThroughACrashAndRestartStaysLatched) {
    pressKey(kKeyUp);
    pressKey(kKeyLeft);
    gameState.crashed = true;
    releaseKey(kKeyLeft);  // a release reaches its latch during a crash too
    EXPECT_FALSE(leftLatch);
    for (int i = 0; i < 92; ++i) {
        tickWorld();
    }
    ASSERT_FALSE(gameState.crashed);
    EXPECT_EQ(gameState.playerAltitude, 0);
    pressKey(kKeyUp);
    EXPECT_EQ(gameState.playerAltitude, 0);
    releaseKey(kKeyUp);
    pressKey(kKeyUp);
    EXPECT_EQ(gameState.playerAltitude, 2);
}

}  // namespace
}  // namespace zephlet
