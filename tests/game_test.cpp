// The simulation headless: a frame from any state, the hit rule, the level
// scripts, the keys, the replay script that drives them all, the autopilot
// that wins every level, and the frame's pace.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "app/frame_pacing.h"
#include "game/caption_rule.h"
#include "game/level_scripts.h"
#include "game/player_controls.h"
#include "game/world_tick.h"
#include "tools/autopilot/autopilot.h"
#include "tools/replay/replay_script.h"

namespace zephlet {
namespace {

// Program start, then the fields given as the state line writes them
// ("tick=89 lane=32 obstacles=2,500,0,2;0,300,0,1", the obstacles last); the
// list keeps the room it started with.
void setState(const std::string& fields) {
    resetGame();
    GameState& s = gameState;
    std::map<std::string, std::int32_t*> numbers{{"tick", &s.levelTick}, {"timer", &s.crashTimer}};
    numbers.insert(
        {{"lane", &s.playerLane}, {"alt", &s.playerAltitude}, {"scroll", &s.scrollOffset}});
    std::istringstream in(fields);
    for (std::string name; std::getline(in >> std::ws, name, '=') && name != "obstacles";) {
        std::int32_t value = 0;
        in >> value;
        s.levelIndex = name == "level" ? std::uint32_t(value) : s.levelIndex;
        s.crashed = name == "crashed" ? value != 0 : s.crashed;
        s.won = name == "won" ? value != 0 : s.won;
        if (numbers.contains(name)) {
            *numbers.at(name) = value;
        }
    }
    Obstacle o{};
    for (char comma; in >> o.altitude >> comma >> o.y >> comma >> o.lane >> comma >> o.kind;
         in.get()) {
        s.obstacles.push_back(o);
    }
}

constexpr const char* kStart =
    "level=0 tick=0 crashed=0 timer=0 won=0 lane=0 alt=0 scroll=800 obstacles=";

// The state line's fields that differ from program start.
std::string changes() {
    std::istringstream now(stateLine()), start(kStart);
    std::string field, initial, out;
    while (now >> field && start >> initial) {
        out += field == initial ? "" : (out.empty() ? "" : " ") + field;
    }
    return out;
}

// One frame (the tick, then the caption's rule for won) from a state, the
// random source at 1. Only the rows at tick 90 and 1120 are the scripts'.
TEST(Game, OneFrame) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "tick=1 scroll=2"},
        {"tick=1 scroll=798", "tick=2 scroll=0"},
        // A new row is moved in the tick that makes it.
        {"tick=89", "tick=90 scroll=2 obstacles=4,-48,32,1;2,-48,-32,1"},
        // Moved to 470, 472, 528, 530, 600, 602: hit in 471..529, gone above 600.
        {"tick=1 obstacles=0,468,0,1;0,470,0,1;0,526,0,1;0,528,0,1;0,598,0,1;0,600,0,1",
         "tick=2 crashed=1 scroll=2 obstacles=0,470,0,1;0,530,0,1;0,600,0,1"},
        // Hits during the pause remove their obstacles; the timer counts on.
        {"tick=1 crashed=1 timer=40 obstacles=0,498,0,1;0,498,32,1;2,500,0,2;0,300,0,1",
         "tick=2 crashed=1 timer=41 scroll=2 obstacles=0,500,32,1;0,302,0,1"},
        {"tick=1 crashed=1 timer=89", "tick=2 crashed=1 timer=90 scroll=2"},
        // The pause's 91st tick restarts the level, throwing away this tick's row.
        {"level=3 tick=1119 crashed=1 timer=90 lane=32 alt=4", "level=3"},
        // A level lasts 2221 ticks, never ends in the pause, and the next one
        // begins with the craft and the ground as they were.
        {"level=2 tick=2219", "level=2 tick=2220 scroll=2"},
        {"level=2 tick=2220 crashed=1", "level=2 tick=2221 crashed=1 timer=1 scroll=2"},
        {"level=2 tick=2220 lane=32 alt=4 obstacles=0,100,-32,1", "level=3 lane=32 alt=4 scroll=2"},
        // The cruise begins in the frame the last level ends, and stops the clock.
        {"level=5 tick=2220", "level=6 won=1 scroll=2"},
        {"level=6 won=1 scroll=10", "level=6 won=1 scroll=12"},
        // Level 6 reached between frames: the clock counts once more.
        {"level=6", "level=6 tick=1 won=1 scroll=2"},
    };
    for (const auto& [before, after] : cases) {
        setState(before);
        advanceFrame();
        EXPECT_EQ(changes(), after) << before;
    }
}

// In the craft's lane inside the window, for the craft at altitude 0, 2, 4
// ('x': a hit); never in another lane.
TEST(Game, HitRule) {
    const std::tuple<std::int32_t, std::int32_t, const char*> cases[] = {
        {Plain, 2, ".x."}, {Blue, 2, "xx."}, {Green, 2, ".xx"}, {Blue, 4, "xxx"},
        {Green, 0, "xxx"}, {Blue, 0, "x.."}, {Green, 4, "..x"},
    };
    for (const auto& [kind, altitude, hits] : cases) {
        for (std::int32_t craft = 0; craft < 3; ++craft) {
            for (std::int32_t lane : {0, 32}) {
                setState(
                    "tick=1 lane=" + std::to_string(lane) + " alt=" + std::to_string(2 * craft) +
                    " obstacles=" + std::to_string(altitude) + ",498,0," + std::to_string(kind));
                tickWorld();
                EXPECT_EQ(gameState.crashed, lane == 0 && hits[craft] == 'x')
                    << "kind " << kind << " at " << altitude << ", craft at " << 2 * craft
                    << " in lane " << lane;
            }
        }
    }
}

// The row made at this tick from this random state, and the draws it took.
std::vector<Obstacle> rowFrom(std::uint32_t seed, std::uint32_t levelIndex, std::int32_t tick,
                              int& draws) {
    setState("level=" + std::to_string(levelIndex) + " tick=" + std::to_string(tick));
    srand(seed);
    spawnObstacles();
    const std::uint32_t after = randomState();
    srand(seed);
    for (draws = 0; randomState() != after && draws < 10; ++draws) {
        rand();
    }
    return gameState.obstacles;
}

// From state 1 (whose first draws are 41, 18467, 6334, 26500, 19169), and from
// state 14: level 1's single obstacle, level 3's two blue first (no third
// parity draw), level 4's plain lane 0, level 6's open lane green.
TEST(Game, LevelRows) {
    const std::tuple<std::uint32_t, std::uint32_t, std::int32_t, const char*, int> cases[] = {
        {1, 0, 90, "4,-50,32,1;2,-50,-32,1", 4},
        {14, 0, 90, "4,-50,-32,1", 3},
        {1, 1, 90, "4,-50,-32,1;4,-50,0,1;2,-50,32,1", 3},
        {1, 2, 80, "4,-50,-32,1;2,-50,0,2;2,-50,32,1", 6},
        {14, 2, 80, "4,-50,-32,2;0,-50,0,2;4,-50,32,1", 5},
        {1, 3, 70, "4,-50,32,1;2,-50,0,2;4,-50,-32,3", 5},
        {14, 3, 70, "4,-50,-32,1;0,-50,0,2;4,-50,32,3", 5},
        {1, 4, 72, "4,-50,-32,1;4,-50,0,1;2,-50,32,1", 3},
        {1, 5, 60, "0,-50,-32,3;4,-50,0,2;2,-50,32,2", 4},
        {14, 5, 60, "2,-50,-32,3;4,-50,0,2;0,-50,32,3", 4},
    };
    for (const auto& [seed, levelIndex, tick, row, draws] : cases) {
        int drawn = 0;
        rowFrom(seed, levelIndex, tick, drawn);
        EXPECT_EQ(stateLine().substr(stateLine().find("obstacles=") + 10), row) << levelIndex;
        EXPECT_EQ(drawn, draws) << seed << " " << levelIndex;
    }
    // Every tick of each level: the ticks that make a row, the first ones and
    // the last; the others draw nothing.
    const std::tuple<std::uint32_t, std::vector<std::int32_t>, std::int32_t, std::size_t>
        rhythms[] = {{0, {90, 180}, 1800, 20},
                     {1, {90, 180}, 1800, 20},
                     {2, {80, 160}, 1760, 22},
                     {3, {70, 140}, 1750, 25},
                     {4, {72, 90, 162, 180}, 1800, 40},
                     {5, {60, 120}, 1800, 30},
                     {6, {}, 0, 0}};
    for (const auto& [levelIndex, first, last, rows] : rhythms) {
        std::vector<std::int32_t> ticks;
        for (std::int32_t tick = 1; tick <= 2221; ++tick) {
            int draws = 0;
            if (!rowFrom(tick, levelIndex, tick, draws).empty()) {
                ticks.push_back(tick);
            } else {
                EXPECT_EQ(draws, 0) << levelIndex << " " << tick;
            }
        }
        ASSERT_EQ(ticks.size(), rows) << levelIndex;
        if (rows != 0) {
            EXPECT_EQ(std::vector(ticks.begin(), ticks.begin() + first.size()), first);
            EXPECT_EQ(ticks.back(), last) << levelIndex;
        }
    }
}

// Plays steps ("+L" press Left, "-L" release it, "+20" press code 0x20, "crash",
// "restart") and gives the craft's lane and altitude after each.
std::string play(const std::string& steps) {
    std::istringstream in(steps);
    std::string step, out;
    while (in >> step) {
        if (step == "crash") {
            gameState.crashed = true;
        } else if (step == "restart") {
            restartLevel();
        } else {
            const std::map<std::string, std::uint32_t> arrows{
                {"L", kKeyLeft}, {"R", kKeyRight}, {"U", kKeyUp}, {"D", kKeyDown}};
            const std::string key = step.substr(1);
            const auto code =
                arrows.contains(key) ? arrows.at(key) : std::uint32_t(std::stoul(key, nullptr, 16));
            step[0] == '+' ? pressKey(code) : releaseKey(code);
        }
        out += (out.empty() ? "" : " ") + std::to_string(gameState.playerLane) + "," +
               std::to_string(gameState.playerAltitude);
    }
    return out;
}

TEST(Game, OneStepPerPressWithinTheBounds) {
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"lane=32", "+L +L -L +L", "0,0 0,0 0,0 -32,0"},            // a held key repeats in vain
        {"lane=-32", "+L +R +L -L +L", "-32,0 0,0 0,0 0,0 -32,0"},  // the edge still latches
        {"", "+R -R +R", "32,0 32,0 32,0"},
        {"", "+U -U +U -U +U", "0,2 0,2 0,4 0,4 0,4"},
        {"alt=4", "+D -D +D -D +D", "0,2 0,2 0,0 0,0 0,0"},
        {"", "+U +R +D +L", "0,2 32,2 32,0 0,0"},  // keys are independent
        // Space, Escape, 'A', codes that only share an arrow's low byte do nothing.
        {"lane=32 alt=2", "+20 +1B +41 +125 +10026 +FFFFFFFF +L -10025 +L",
         "32,2 32,2 32,2 32,2 32,2 32,2 0,2 0,2 0,2"},
        // A press in the crash is not taken: its repeat moves after the restart.
        {"", "crash +R restart +R +R", "0,0 0,0 0,0 32,0 32,0"},
        // A key held through the restart stays latched.
        {"", "+U crash restart +U -U +U", "0,2 0,2 0,0 0,0 0,0 0,2"},
        // A release reaches its latch in the crash.
        {"", "+L crash -L restart +L", "-32,0 -32,0 -32,0 0,0 -32,0"},
    };
    for (const auto& [state, steps, after] : cases) {
        setState(state);
        EXPECT_EQ(play(steps), after) << state << ": " << steps;
    }
}

// A script run from program start: its status, its lines and its message.
// Shots fail as a missing folder would.
std::tuple<int, std::string, std::string> replay(const std::string& script, bool trace = false) {
    resetGame();
    std::istringstream in(script);
    std::ostringstream out, err;
    const int status = runReplay(in, out, err, {trace, [](int, int, const std::string&) {
                                                    return std::string("no such folder");
                                                }});
    return {status, out.str(), err.str()};
}

// A script from state 1, with comments, blank lines, decimal codes, a
// Windows line end and every view; then numbers at the edges of their
// range, with a trace of every frame.
TEST(Game, ReplayScripts) {
    const std::tuple<const char*, bool, std::string> cases[] = {
        {"# level 1\nprint\n\nframe 89\ndown 0x27\ndown 39\nframe\nprint\nup 0x27\r\nframe "
         "2\nview red-cyan\nview parallel\nprint\n",
         false,
         std::string(kStart) + "\nlevel=0 tick=90 crashed=0 timer=0 won=0 lane=32 alt=0 scroll=180 "
                               "obstacles=4,-48,32,1;2,-48,-32,1\n"
                               "level=0 tick=92 crashed=0 timer=0 won=0 lane=32 alt=0 scroll=184 "
                               "obstacles=4,-44,32,1;2,-44,-32,1\n"},
        {"seed 4294967295\nseed 0xFFFFFFFF\ndown 0xffffffff\nup 0\nclient 8192 1\n"
         "view crossed\n  frame 2  \nadvance\nprint\n",
         true,
         "level=0 tick=1 crashed=0 timer=0 won=0 lane=0 alt=0 scroll=2 obstacles=\n"
         "level=0 tick=2 crashed=0 timer=0 won=0 lane=0 alt=0 scroll=4 obstacles=\n"
         "level=1 tick=0 crashed=0 timer=0 won=0 lane=0 alt=0 scroll=4 obstacles=\n"},
    };
    for (const auto& [script, trace, lines] : cases) {
        EXPECT_EQ(replay(script, trace), std::tuple(0, lines, ""));
    }
    // Each message with the lines it is given for, split at '|'.
    const std::pair<const char*, std::string> mistakes[] = {
        {"unknown command", "jump|Frame"},
        {"missing number", "seed|client 265"},
        {"extra words", "seed 1 2|frame 1 2|print now|advance 1|view crossed red-cyan"},
        {"bad or out-of-range number",
         "seed -1|seed 4294967296|seed 99999999999999999999999|down 0x|down 0x1g|down 12a|up "
         "+3|frame 0"},
        {"bad or out-of-range number (client sides are 1 to 8192)", "client 0 600"},
        {"missing file name", "shot"},
        {"missing view name", "view"},
        {"unknown view (the views are parallel, crossed, red-cyan)", "view Crossed|view anaglyph"},
        {"cannot write the shot: no such folder", "shot /nowhere/a.png"},
    };
    for (const auto& [reason, lines] : mistakes) {
        std::istringstream in(lines);
        for (std::string line; std::getline(in, line, '|');) {
            // What came before the bad line stays; nothing after it runs.
            EXPECT_EQ(
                replay(std::string("print\n# fine\n") + line + "\nprint\n"),
                std::tuple(kReplayBadLine, std::string(kStart) + "\n",
                           std::string("zephlet-replay: line 3: ") + reason + ": " + line + "\n"));
        }
    }
}

class Autopilot : public ::testing::TestWithParam<std::uint32_t> {};

// Every level can be won, and the script the autopilot writes replays to the
// very state it reached: the simulation is a pure function of seed and keys.
// No level needs more room for its obstacles than the list starts with.
TEST_P(Autopilot, WinsAllSixLevelsAndItsScriptReplaysExactly) {
    resetGame();
    const std::size_t room = gameState.obstacles.capacity();
    const AutopilotRun run = flyAutopilot(GetParam());
    EXPECT_TRUE(run.won && run.crashes == 0 && gameState.levelIndex == 6);
    EXPECT_EQ(gameState.obstacles.capacity(), room);
    const std::string reached = stateLine() + "\n";
    EXPECT_EQ(replay(run.script), std::tuple(0, reached, ""));
}
INSTANTIATE_TEST_SUITE_P(Seeds, Autopilot, ::testing::Values(0u, 1u, 7u, 1765000000u, 4294967295u));

// What is left of 17 ms is slept, nothing is made up, and the millisecond
// counter may wrap between two readings.
TEST(Game, FramePacing) {
    // Start, now, elapsed, sleep; the last 6 ms short of the wrap.
    const std::uint32_t cases[][4] = {
        {1000, 1000, 0, 17},  {1000, 1016, 16, 1},     {1000, 1017, 17, 0},
        {1000, 1250, 250, 0}, {0xFFFFFFFAu, 4, 10, 7},
    };
    for (const auto& [start, now, elapsed, sleep] : cases) {
        EXPECT_EQ(elapsedMs(start, now), elapsed) << start << " to " << now;
        EXPECT_EQ(sleepMs(elapsed), sleep) << elapsed;
    }
}

}  // namespace
}  // namespace zephlet
