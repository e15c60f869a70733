#include "tools/replay/replay_script.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "render/stereo_view.h"
#include "tests/game_test_support.h"

namespace zephlet {
namespace {

class ReplayScriptTest : public GameTest {
  protected:
    int status = 0;
    std::string err;

    // Runs a script from program start; shots fail as a missing folder would.
    std::string replay(const std::string& script, bool trace = false) {
        resetGame();
        stereoView = StereoView::kParallel;
        std::istringstream in(script);
        std::ostringstream out;
        std::ostringstream errors;
        ReplayOptions options{
            trace, [](int, int, const std::string&) { return std::string("no such folder"); }};
        status = runReplay(in, out, errors, options);
        err = errors.str();
        return out.str();
    }
};

constexpr const char* kStart =
    "level=0 tick=0 crashed=0 timer=0 won=0 lane=0 alt=0 scroll=800 obstacles=\n";

// A script from state 1, with comments, blank lines, decimal codes and a
// Windows line end; then numbers at the edges of their range, with a trace
// of every frame.
TEST_F(ReplayScriptTest, ScriptsGiveExactLines) {
    const struct {
        const char* script;
        bool trace;
        std::string lines;
    } cases[] = {
        {"# level 1\nprint\n\nframe 89\ndown 0x27\ndown 39\nframe\nprint\nup 0x27\r\nframe "
         "2\nprint\n",
         false,
         std::string(kStart) + "level=0 tick=90 crashed=0 timer=0 won=0 lane=32 alt=0 scroll=180 "
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
    for (const auto& c : cases) {
        EXPECT_EQ(replay(c.script, c.trace), c.lines);
        EXPECT_EQ(status, 0) << err;
        EXPECT_EQ(err, "");
    }
}

TEST_F(ReplayScriptTest, LinesItCannotRead) {
    const struct {
        const char* line;
        const char* reason;
    } cases[] = {
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
        {"view", "missing view name"},
        {"view crossed red-cyan", "extra words"},
        {"view Crossed", "unknown view (the views are parallel, crossed, red-cyan)"},
        {"view anaglyph", "unknown view (the views are parallel, crossed, red-cyan)"},
        {"shot /nowhere/a.png", "cannot write the shot: no such folder"},
    };
    for (const auto& c : cases) {
        // What came before the bad line stays; nothing after it runs.
        EXPECT_EQ(replay(std::string("print\n# fine\n") + c.line + "\nprint\n"), kStart);
        EXPECT_EQ(status, kReplayBadLine) << c.line;
        EXPECT_EQ(err, std::string("zephlet-replay: line 3: ") + c.reason + ": " + c.line + "\n");
    }
}

// A view holds for every shot after it, as the window's would.
TEST_F(ReplayScriptTest, ViewChoosesWhatShotsShow) {
    for (const auto& [script, view] :
         {std::pair{"view red-cyan\n", StereoView::kRedCyan},
          {"view red-cyan\nframe\nview crossed\n", StereoView::kCrossed},
          {"view crossed\nview parallel\n", StereoView::kParallel}}) {
        replay(script);
        EXPECT_EQ(status, 0) << err;
        EXPECT_EQ(stereoView, view) << script;
    }
    stereoView = StereoView::kParallel;
}

}  // namespace
}  // namespace zephlet
