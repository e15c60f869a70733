// zephlet-replay's "shot": taking one leaves the run exactly as it would have
// gone without it. What the picture shows is held by the frame composition's
// tests, and by the Windows program's window, compared with shots.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace zephlet {
namespace {

namespace fs = std::filesystem;

// A folder of the test's own and of this process's, so that tests run side
// by side keep apart, and so do test runs of other checkouts on the machine.
fs::path folder() {
    const char* test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    return fs::path(::testing::TempDir()) /
           (std::string("zephlet_shot_") + test + '_' + std::to_string(getpid()));
}

// Runs the driver on a script, from the state at program start; what it printed.
std::string replay(const std::string& script) {
    fs::create_directories(folder());
    std::ofstream(folder() / "run.replay") << script;
    const std::string command =
        "\"" ZEPHLET_REPLAY "\" < \"" + (folder() / "run.replay").string() + "\"";
    FILE* pipe = popen(command.c_str(), "r");
    std::string printed;
    for (int c = std::fgetc(pipe); c != EOF; c = std::fgetc(pipe)) {
        printed += static_cast<char>(c);
    }
    EXPECT_EQ(pclose(pipe), 0) << script;
    return printed;
}

TEST(ReplayShotTest, ShotLeavesTheRunAsItWas) {
    const std::string shot = "shot " + (folder() / "moment.png").string() + '\n';
    const struct {
        const char* name;
        std::string before, after;
    } cases[] = {
        {"during a caption", "seed 5\nframe 100\n", "frame 10\nprint\n"},
        {"past the caption", "seed 5\ndown 0x25\nframe 300\n", "frame 10\nprint\n"},
        // No frame has drawn the congratulation yet, so won is still false.
        {"cruise reached without a frame", "advance\nadvance\nadvance\nadvance\nadvance\nadvance\n",
         "print\nframe 2\nprint\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string plain = replay(c.before + c.after);
        ASSERT_NE(plain, "");
        EXPECT_EQ(replay(c.before + shot + c.after), plain);
        EXPECT_TRUE(fs::remove(folder() / "moment.png"));
    }
    fs::remove_all(folder());
}

}  // namespace
}  // namespace zephlet
