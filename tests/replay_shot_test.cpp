// zephlet-replay's "shot": the picture it writes, and that taking one
// leaves the run exactly as it would have gone without it.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace zephlet {
namespace {

namespace fs = std::filesystem;

// A folder of the test's own, so that tests run side by side keep apart.
fs::path folder() {
    const char* test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    return fs::path(::testing::TempDir()) / (std::string("zephlet_shot_") + test);
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

TEST(ReplayShotTest, DriverWritesTheClientAreaAsPng) {
    const std::string shot = (folder() / "level1.png").string();
    replay("seed 7\nframe 100\nclient 900 650\nshot " + shot + '\n');
    SDL_Surface* png = IMG_Load(shot.c_str());
    ASSERT_NE(png, nullptr) << IMG_GetError();
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(png, SDL_PIXELFORMAT_XRGB8888, 0);
    SDL_FreeSurface(png);
    EXPECT_TRUE(rgb->w == 900 && rgb->h == 650) << rgb->w << " x " << rgb->h;
    const auto pixel = [rgb](int x, int y) {
        return static_cast<const std::uint32_t*>(rgb->pixels)[y * rgb->pitch / 4 + x] & 0xFFFFFF;
    };
    EXPECT_EQ(pixel(850, 20), 0xFFFFFFu) << "right of the back buffer";
    EXPECT_EQ(pixel(400, 640), 0xFFFFFFu) << "below the back buffer";
    EXPECT_EQ(pixel(35 + 16, 500), 0u) << "the craft's nose, left view";
    EXPECT_EQ(pixel(183 + 16, 500), 0u) << "the craft's nose, right view";
    EXPECT_EQ(pixel(183 + 15, 511), 0xFFFF00u) << "the yellow V";
    SDL_FreeSurface(rgb);
    fs::remove_all(folder());
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
