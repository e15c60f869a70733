#include "game/player_controls.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tests/game_test_support.h"

namespace zephlet {
namespace {

class PlayerControlsTest : public GameTest {};

// Plays steps ("+L" press Left, "-L" release it, "+20" press code 0x20, "crash",
// "restart") and gives the craft's lane and altitude after each.
std::string play(const std::string& steps) {
    std::istringstream in(steps);
    std::string step;
    std::string out;
    while (in >> step) {
        if (step == "crash") {
            gameState.crashed = true;
        } else if (step == "restart") {
            restartLevel();
        } else {
            const std::string key = step.substr(1);
            const std::uint32_t code =
                key == "L"   ? kKeyLeft
                : key == "R" ? kKeyRight
                : key == "U" ? kKeyUp
                : key == "D" ? kKeyDown
                             : static_cast<std::uint32_t>(std::stoul(key, nullptr, 16));
            step[0] == '+' ? pressKey(code) : releaseKey(code);
        }
        out += (out.empty() ? "" : " ") + std::to_string(gameState.playerLane) + "," +
               std::to_string(gameState.playerAltitude);
    }
    return out;
}

TEST_F(PlayerControlsTest, OneStepPerPressWithinTheBounds) {
    const struct {
        const char* rule;
        std::int32_t lane, altitude;
        const char* steps;
        const char* after;
    } cases[] = {
        {"a held key repeats in vain", 32, 0, "+L +L -L +L", "0,0 0,0 0,0 -32,0"},
        {"the edge still latches", -32, 0, "+L +R +L -L +L", "-32,0 0,0 0,0 0,0 -32,0"},
        {"right edge", 0, 0, "+R -R +R", "32,0 32,0 32,0"},
        {"up three times", 0, 0, "+U -U +U -U +U", "0,2 0,2 0,4 0,4 0,4"},
        {"down three times", 0, 4, "+D -D +D -D +D", "0,2 0,2 0,0 0,0 0,0"},
        {"keys are independent", 0, 0, "+U +R +D +L", "0,2 32,2 32,0 0,0"},
        // Space, Escape, 'A', codes that only share an arrow's low byte.
        {"other keys do nothing", 32, 2, "+20 +1B +41 +125 +10026 +FFFFFFFF +L -10025 +L",
         "32,2 32,2 32,2 32,2 32,2 32,2 0,2 0,2 0,2"},
        {"a press in the crash is not taken: its repeat moves after the restart", 0, 0,
         "crash +R restart +R +R", "0,0 0,0 0,0 32,0 32,0"},
        {"a key held through the restart stays latched", 0, 0, "+U crash restart +U -U +U",
         "0,2 0,2 0,0 0,0 0,0 0,2"},
        {"a release reaches its latch in the crash", 0, 0, "+L crash -L restart +L",
         "-32,0 -32,0 -32,0 0,0 -32,0"},
    };
    for (const auto& c : cases) {
        setState({.playerLane = c.lane, .playerAltitude = c.altitude});
        EXPECT_EQ(play(c.steps), c.after) << c.rule;
    }
}

}  // namespace
}  // namespace zephlet
