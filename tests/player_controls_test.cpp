#include "game/player_controls.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/world_tick.h"
#include "tests/game_test_support.h"

namespace zephlet {
namespace {

class PlayerControlsTest : public GameTest {};

struct KeyStep {
    bool down;
    std::uint32_t key;
    std::int32_t laneAfter;
    std::int32_t altitudeAfter;
};

struct KeyCase {
    const char* name;
    std::int32_t laneBefore;
    std::int32_t altitudeBefore;
    std::vector<KeyStep> steps;
};

class KeySequence : public PlayerControlsTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeySequence, MovesAsExpected) {
    const KeyCase& c = GetParam();
    gameState.playerLane = c.laneBefore;
    gameState.playerAltitude = c.altitudeBefore;
    int index = 0;
    for (const KeyStep& step : c.steps) {
        SCOPED_TRACE(index++);
        if (step.down) {
            pressKey(step.key);
        } else {
            releaseKey(step.key);
        }
        EXPECT_EQ(gameState.playerLane, step.laneAfter);
        EXPECT_EQ(gameState.playerAltitude, step.altitudeAfter);
    }
}

constexpr bool D = true;
constexpr bool U = false;

INSTANTIATE_TEST_SUITE_P(
    Keys, KeySequence,
    ::testing::Values(
        KeyCase{"HeldKeyMovesOnce",
                0,
                0,
                {{D, kKeyLeft, -32, 0}, {D, kKeyLeft, -32, 0}, {D, kKeyLeft, -32, 0}}},
        KeyCase{
            "ReleaseAndPressAgain",
            32,
            0,
            {{D, kKeyLeft, 0, 0}, {D, kKeyLeft, 0, 0}, {U, kKeyLeft, 0, 0}, {D, kKeyLeft, -32, 0}}},
        KeyCase{"LeftEdgeStillLatches",
                -32,
                0,
                {{D, kKeyLeft, -32, 0},
                 {U, kKeyRight, -32, 0},
                 {D, kKeyRight, 0, 0},
                 {D, kKeyLeft, 0, 0},
                 {U, kKeyLeft, 0, 0},
                 {D, kKeyLeft, -32, 0}}},
        KeyCase{"UpThreeTimes",
                0,
                0,
                {{D, kKeyUp, 0, 2},
                 {U, kKeyUp, 0, 2},
                 {D, kKeyUp, 0, 4},
                 {U, kKeyUp, 0, 4},
                 {D, kKeyUp, 0, 4}}},
        KeyCase{"DownThreeTimes",
                0,
                4,
                {{D, kKeyDown, 0, 2},
                 {U, kKeyDown, 0, 2},
                 {D, kKeyDown, 0, 0},
                 {U, kKeyDown, 0, 0},
                 {D, kKeyDown, 0, 0}}},
        KeyCase{"RightEdge", 32, 2, {{D, kKeyRight, 32, 2}}},
        KeyCase{"HoldLeftPressRight",
                0,
                2,
                {{D, kKeyLeft, -32, 2}, {D, kKeyRight, 0, 2}, {D, kKeyLeft, 0, 2}}},
        KeyCase{
            "KeysAreIndependent",
            0,
            0,
            {{D, kKeyUp, 0, 2}, {D, kKeyRight, 32, 2}, {D, kKeyDown, 32, 0}, {D, kKeyLeft, 0, 0}}},
        // Space, Escape, 'A', and codes that only share the arrows' low byte.
        KeyCase{"OtherKeysDoNothing",
                0,
                2,
                {{D, 0x20, 0, 2},
                 {D, 0x1B, 0, 2},
                 {D, 0x41, 0, 2},
                 {D, 0x125, 0, 2},
                 {D, 0x10026, 0, 2},
                 {D, 0xFFFFFFFFu, 0, 2},
                 {U, 0x25, 0, 2},
                 {D, kKeyLeft, -32, 2}}}),
    [](const auto& param) { return param.param.name; });

TEST_F(PlayerControlsTest, APressDuringACrashIsNotAcceptedAndLeavesTheLatchFree) {
    gameState.crashed = true;
    pressKey(kKeyRight);
    EXPECT_EQ(gameState.playerLane, 0);
    EXPECT_FALSE(rightLatch);
    // The key is still held after the restart: its next auto-repeat moves once.
    restartLevel();
    pressKey(kKeyRight);
    pressKey(kKeyRight);
    EXPECT_EQ(gameState.playerLane, 32);
}

TEST_F(PlayerControlsTest, AKeyHeldThroughARestartStaysLatched) {
    pressKey(kKeyUp);
    ASSERT_EQ(gameState.playerAltitude, 2);
    gameState.crashed = true;
    releaseKey(kKeyDown);  // releases reach the latches during a crash too
    for (int i = 0; i < 92; ++i) {
        tickWorld();
    }
    ASSERT_FALSE(gameState.crashed);
    EXPECT_EQ(gameState.playerAltitude, 0);
    EXPECT_TRUE(upLatch);
    pressKey(kKeyUp);
    EXPECT_EQ(gameState.playerAltitude, 0);
    releaseKey(kKeyUp);
    pressKey(kKeyUp);
    EXPECT_EQ(gameState.playerAltitude, 2);
}

TEST_F(PlayerControlsTest, AReleaseDuringACrashClearsTheLatch) {
    pressKey(kKeyLeft);
    gameState.crashed = true;
    releaseKey(kKeyLeft);
    EXPECT_FALSE(leftLatch);
}

TEST_F(PlayerControlsTest, AdvancingALevelKeepsTheCraftAndTheLatches) {
    pressKey(kKeyRight);
    pressKey(kKeyUp);
    advanceLevel();
    EXPECT_EQ(gameState.playerLane, 32);
    EXPECT_EQ(gameState.playerAltitude, 2);
    EXPECT_TRUE(rightLatch);
    EXPECT_TRUE(upLatch);
}

}  // namespace
}  // namespace zephlet
