// zephlet-replay's "shot": the picture it writes, and that taking one
// leaves the run exactly as it would have gone without it.
#include "tools/replay/replay_shot.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "game/game_state.h"
#include "tools/replay/replay_script.h"

namespace zephlet {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kYellow = 0xFFFF00;

// One pixel of a decoded picture as 0xRRGGBB.
std::uint32_t pixelAt(SDL_Surface* picture, int x, int y) {
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(picture, SDL_PIXELFORMAT_XRGB8888, 0);
    const auto* row = static_cast<const Uint8*>(rgb->pixels) + y * rgb->pitch;
    std::uint32_t value = 0;
    std::memcpy(&value, row + x * 4, sizeof value);
    SDL_FreeSurface(rgb);
    return value & 0xFFFFFF;
}

struct Played {
    int status;
    std::string out;
    std::string err;
};

class ReplayShotTest : public ::testing::Test {
  protected:
    static void TearDownTestSuite() { releaseShotResources(); }

    void SetUp() override {
        resetGame();
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::path(::testing::TempDir()) / (std::string("zephlet_shot_") + test->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override {
        fs::remove_all(dir);
        resetGame();
    }

    // Plays a script in this process, from the state at program start.
    static Played play(const std::string& script) {
        resetGame();
        std::istringstream in(script);
        std::ostringstream out;
        std::ostringstream err;
        ReplayOptions options;
        options.writeShot = writeShot;
        const int status = runReplay(in, out, err, options);
        return {status, out.str(), err.str()};
    }

    fs::path dir;
};

TEST_F(ReplayShotTest, DriverWritesTheClientAreaAsPng) {
    const fs::path script = dir / "level1.replay";
    const fs::path shot = dir / "level1.png";
    std::ofstream(script) << "seed 7\nframe 100\nclient 900 650\nshot " << shot.string() << '\n';
    const std::string command = std::string("\"") + ZEPHLET_REPLAY + "\" < \"" + script.string() +
                                "\" > \"" + (dir / "out.txt").string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0);

    SDL_Surface* picture = IMG_Load(shot.string().c_str());
    ASSERT_NE(picture, nullptr) << IMG_GetError();
    EXPECT_EQ(picture->w, 900);
    EXPECT_EQ(picture->h, 650);
    EXPECT_EQ(pixelAt(picture, 850, 20), kWhite) << "right of the back buffer";
    EXPECT_EQ(pixelAt(picture, 400, 640), kWhite) << "below the back buffer";
    EXPECT_EQ(pixelAt(picture, 120, 300), kWhite) << "the gap";
    EXPECT_EQ(pixelAt(picture, 5, 5), kWhite) << "the heading's box";
    EXPECT_NE(pixelAt(picture, 2, 300), kWhite) << "the ground";
    EXPECT_EQ(pixelAt(picture, 2, 300), pixelAt(picture, 152, 300)) << "same ground in both views";
    // The craft's nose and the yellow V's left arm, in both views.
    EXPECT_EQ(pixelAt(picture, 35 + 16, 500), kBlack);
    EXPECT_EQ(pixelAt(picture, 183 + 16, 500), kBlack);
    EXPECT_EQ(pixelAt(picture, 35 + 15, 511), kYellow);
    EXPECT_EQ(pixelAt(picture, 183 + 15, 511), kYellow);
    SDL_FreeSurface(picture);
}

TEST_F(ReplayShotTest, ShotLeavesTheRunAsItWas) {
    const std::string shot = "shot " + (dir / "moment.png").string() + '\n';
    const struct {
        const char* name;
        std::string before;
        std::string after;
    } cases[] = {
        {"during a caption", "seed 5\nframe 100\n", "frame 10\nprint\n"},
        {"past the caption", "seed 5\ndown 0x25\nframe 300\n", "frame 10\nprint\n"},
        // No frame has drawn the congratulation yet, so won is still false.
        {"cruise reached without a frame", "advance\nadvance\nadvance\nadvance\nadvance\nadvance\n",
         "print\nframe 2\nprint\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Played plain = play(c.before + c.after);
        const Played withShot = play(c.before + shot + c.after);
        ASSERT_EQ(withShot.status, 0) << withShot.err;
        EXPECT_EQ(withShot.out, plain.out);
        EXPECT_TRUE(fs::exists(dir / "moment.png"));
        fs::remove(dir / "moment.png");
    }
}

TEST_F(ReplayShotTest, UnwritableShotStopsTheRun) {
    const Played played =
        play("frame 3\nshot " + (dir / "missing" / "x.png").string() + "\nprint\n");
    EXPECT_EQ(played.status, kReplayBadLine);
    EXPECT_EQ(played.out, "");
    EXPECT_NE(played.err.find("line 2: cannot write the shot"), std::string::npos) << played.err;
}

}  // namespace
}  // namespace zephlet
