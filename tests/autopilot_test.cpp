#include "tools/autopilot/autopilot.h"

#include <gtest/gtest.h>

#include <sstream>

#include "tests/game_test_support.h"
#include "tools/replay/replay_script.h"

namespace zephlet {
namespace {

class AutopilotTest : public GameTest, public ::testing::WithParamInterface<std::uint32_t> {};

// Every level can be won, and the script the autopilot writes replays to the
// very state it reached: the simulation is a pure function of seed and keys.
// No level needs more room for its obstacles than the list starts with.
TEST_P(AutopilotTest, WinsAllSixLevelsAndItsScriptReplaysExactly) {
    const std::size_t room = gameState.obstacles.capacity();
    AutopilotRun run = flyAutopilot(GetParam());
    EXPECT_TRUE(run.won);
    EXPECT_EQ(run.crashes, 0);
    EXPECT_EQ(gameState.levelIndex, 6u);
    EXPECT_EQ(gameState.obstacles.capacity(), room);
    const std::string reached = stateLine();

    resetGame();
    std::istringstream in(run.script);
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(runReplay(in, out, err, ReplayOptions{}), 0) << err.str();
    EXPECT_EQ(out.str(), reached + "\n");
}

INSTANTIATE_TEST_SUITE_P(Seeds, AutopilotTest,
                         ::testing::Values(0u, 1u, 7u, 1765000000u, 4294967295u));

}  // namespace
}  // namespace zephlet
