#include "game/world_tick.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <utility>

#include "game/caption_rule.h"
#include "tests/game_test_support.h"
#include "tools/replay/replay_script.h"

namespace zephlet {
namespace {

class WorldTickTest : public GameTest {};

constexpr Obstacle plainAt(std::int32_t y, std::int32_t lane = 0) {
    return Obstacle{0, y, lane, Plain};
}

// The state line's fields that differ from program start.
std::string changes() {
    std::istringstream now(stateLine());
    std::istringstream start(
        "level=0 tick=0 crashed=0 timer=0 won=0 lane=0 alt=0 scroll=800 obstacles=");
    std::string field, initial, out;
    while (now >> field && start >> initial) {
        out += field == initial ? "" : (out.empty() ? "" : " ") + field;
    }
    return out;
}

// One frame (the tick, then the caption's rule for won) from a state, the
// random source at 1. Only the rows at tick 90 and 1120 are the scripts'; the
// other obstacles are the listed ones.
TEST_F(WorldTickTest, OneFrame) {
    const std::pair<GameState, const char*> cases[] = {
        {{}, "tick=1 scroll=2"},
        {{.levelTick = 1, .scrollOffset = 798}, "tick=2 scroll=0"},
        // A new row is moved in the tick that makes it.
        {{.levelTick = 89}, "tick=90 scroll=2 obstacles=4,-48,32,1;2,-48,-32,1"},
        // Moved to 470, 472, 528, 530, 600, 602: hit in 471..529, gone above 600.
        {{.levelTick = 1,
          .obstacles = {plainAt(468), plainAt(470), plainAt(526), plainAt(528), plainAt(598),
                        plainAt(600)}},
         "tick=2 crashed=1 scroll=2 obstacles=0,470,0,1;0,530,0,1;0,600,0,1"},
        // Hits during the pause remove their obstacles; the timer counts on.
        {{.levelTick = 1,
          .crashed = true,
          .crashTimer = 40,
          .obstacles = {plainAt(498), plainAt(498, 32), {2, 500, 0, Blue}, plainAt(300)}},
         "tick=2 crashed=1 timer=41 scroll=2 obstacles=0,500,32,1;0,302,0,1"},
        {{.levelTick = 1, .crashed = true, .crashTimer = 89}, "tick=2 crashed=1 timer=90 scroll=2"},
        // The pause's 91st tick restarts the level, throwing away this tick's row.
        {{.levelIndex = 3,
          .levelTick = 1119,
          .crashed = true,
          .crashTimer = 90,
          .playerLane = 32,
          .playerAltitude = 4},
         "level=3"},
        // A level lasts 2221 ticks, never ends in the pause, and the next one
        // begins with the craft and the ground as they were.
        {{.levelIndex = 2, .levelTick = 2219}, "level=2 tick=2220 scroll=2"},
        {{.levelIndex = 2, .levelTick = 2220, .crashed = true},
         "level=2 tick=2221 crashed=1 timer=1 scroll=2"},
        {{.levelIndex = 2,
          .levelTick = 2220,
          .playerLane = 32,
          .playerAltitude = 4,
          .obstacles = {plainAt(100, -32)}},
         "level=3 lane=32 alt=4 scroll=2"},
        // The cruise begins in the frame the last level ends, and stops the clock.
        {{.levelIndex = 5, .levelTick = 2220}, "level=6 won=1 scroll=2"},
        {{.levelIndex = 6, .won = true, .scrollOffset = 10}, "level=6 won=1 scroll=12"},
        // Level 6 reached between frames: the clock counts once more.
        {{.levelIndex = 6}, "level=6 tick=1 won=1 scroll=2"},
    };
    for (const auto& [before, after] : cases) {
        setState(before);
        advanceFrame();
        EXPECT_EQ(changes(), after);
    }
}

// In the craft's lane inside the window, for the craft at altitude 0, 2, 4
// ('x': a hit); never in another lane.
TEST_F(WorldTickTest, HitRule) {
    const std::tuple<std::int32_t, std::int32_t, const char*> cases[] = {
        {Plain, 2, ".x."}, {Blue, 2, "xx."}, {Green, 2, ".xx"}, {Blue, 4, "xxx"},
        {Green, 0, "xxx"}, {Blue, 0, "x.."}, {Green, 4, "..x"},
    };
    for (const auto& [kind, altitude, hits] : cases) {
        for (std::int32_t craft = 0; craft < 3; ++craft) {
            for (std::int32_t lane : {0, 32}) {
                setState({.levelTick = 1,
                          .playerLane = lane,
                          .playerAltitude = 2 * craft,
                          .obstacles = {{altitude, 498, 0, kind}}});
                tickWorld();
                EXPECT_EQ(gameState.crashed, lane == 0 && hits[craft] == 'x')
                    << "kind " << kind << " at " << altitude << ", craft at " << 2 * craft
                    << " in lane " << lane;
            }
        }
    }
}

}  // namespace
}  // namespace zephlet
