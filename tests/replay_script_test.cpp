#include "tools/replay/replay_script.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/game_test_support.h"

namespace zephlet {
namespace {

struct ReplayResult {
    int status;
    std::string out;
    std::string err;
};

ReplayResult replay(const std::string& script, bool trace = false) {
    resetGame();
    std::istringstream in(script);
    std::ostringstream out;
    std::ostringstream err;
    ReplayOptions options;
    options.trace = trace;
    int status = runReplay(in, out, err, options);
    return {status, out.str(), err.str()};
}

class ReplayScriptTest : public GameTest {};

TEST_F(ReplayScriptTest, ShortScriptGivesExactLines) {
    const std::string script =
        "# level 1 from state 1\n"
        "print\n"
        "\n"
        "frame 89\n"
        "down 0x27\n"
        "down 39\n"
        "frame\n"
        "print\n"
        "up 0x27\r\n"
        "frame 2\n"
        "print\n";
    ReplayResult r = replay(script);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out,
              "level=0 tick=0 crashed=0 timer=0 won=0 lane=0 alt=0 scroll=800 obstacles=\n"
              "level=0 tick=90 crashed=0 timer=0 won=0 lane=32 alt=0 scroll=180 "
              "obstacles=4,-48,32,1;2,-48,-32,1\n"
              "level=0 tick=92 crashed=0 timer=0 won=0 lane=32 alt=0 scroll=184 "
              "obstacles=4,-44,32,1;2,-44,-32,1\n");
}

TEST_F(ReplayScriptTest, TracePrintsAfterEveryFrame) {
    ReplayResult r = replay("seed 7\nframe 3\nadvance\nprint\n", true);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out,
              "level=0 tick=1 crashed=0 timer=0 won=0 lane=0 alt=0 scroll=2 obstacles=\n"
              "level=0 tick=2 crashed=0 timer=0 won=0 lane=0 alt=0 scroll=4 obstacles=\n"
              "level=0 tick=3 crashed=0 timer=0 won=0 lane=0 alt=0 scroll=6 obstacles=\n"
              "level=1 tick=0 crashed=0 timer=0 won=0 lane=0 alt=0 scroll=6 obstacles=\n");
}

// advance ends a level between frames, so the next frame's tick still counts
// the clock once before its caption step begins the cruise.
TEST_F(ReplayScriptTest, AdvanceOutsideAFrameLeavesTheCruiseToTheNextFrame) {
    ReplayResult r =
        replay("advance\nadvance\nadvance\nadvance\nadvance\nadvance\nprint\nframe\nprint\n");
    EXPECT_EQ(r.out,
              "level=6 tick=0 crashed=0 timer=0 won=0 lane=0 alt=0 scroll=800 obstacles=\n"
              "level=6 tick=1 crashed=0 timer=0 won=1 lane=0 alt=0 scroll=2 obstacles=\n");
}

TEST_F(ReplayScriptTest, LinesItCannotRead) {
    struct Case {
        const char* line;
        const char* reason;
    };
    const std::vector<Case> cases{
        {"jump", "unknown command"},
        {"Frame", "unknown command"},
        {"seed", "missing number"},
        {"seed 1 2", "extra words"},
        {"seed -1", "bad or out-of-range number"},
        {"seed 4294967296", "bad or out-of-range number"},
        {"seed 99999999999999999999999", "bad or out-of-range number"},
        {"down 0x", "bad or out-of-range number"},
        {"down 0x1g", "bad or out-of-range number"},
        {"down 12a", "bad or out-of-range number"},
        {"up +3", "bad or out-of-range number"},
        {"frame 0", "bad or out-of-range number"},
        {"frame 1 2", "extra words"},
        {"print now", "extra words"},
        {"advance 1", "extra words"},
        {"client 0 600", "bad or out-of-range number (client sides are 1 to 8192)"},
        {"client 265", "missing number"},
        {"shot", "missing file name"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        ReplayResult r = replay(std::string("print\n# fine\n") + c.line + "\nprint\n");
        EXPECT_EQ(r.status, kReplayBadLine);
        // What came before the bad line stays; nothing after it runs.
        EXPECT_EQ(r.out,
                  "level=0 tick=0 crashed=0 timer=0 won=0 lane=0 alt=0 scroll=800 obstacles=\n");
        EXPECT_EQ(r.err, std::string("zephlet-replay: line 3: ") + c.reason + ": " + c.line + "\n");
    }
}

TEST_F(ReplayScriptTest, NumbersAtTheEdgesOfTheirRange) {
    ReplayResult r = replay(
        "seed 4294967295\nseed 0xFFFFFFFF\ndown 0xffffffff\nup 0\n"
        "client 8192 1\n  print  \n");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "level=0 tick=0 crashed=0 timer=0 won=0 lane=0 alt=0 scroll=800 obstacles=\n");
}

TEST_F(ReplayScriptTest, AFailedShotIsReported) {
    resetGame();
    std::istringstream in("shot /nowhere/a.png\nprint\n");
    std::ostringstream out;
    std::ostringstream err;
    ReplayOptions options;
    options.writeShot = [](int, int, const std::string&) { return std::string("no such folder"); };
    EXPECT_EQ(runReplay(in, out, err, options), kReplayBadLine);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(
        err.str(),
        "zephlet-replay: line 1: cannot write the shot: no such folder: shot /nowhere/a.png\n");
}

}  // namespace
}  // namespace zephlet
