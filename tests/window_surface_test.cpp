// A paint on SDL's dummy video driver, whose window surface stands in for the
// screen: one tick, and the client area shown as the frame composed it in the
// chosen view, white beyond the back buffer, whatever the surface held before. And the replay's
// shot, the same frame written to a file without a tick.
#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "game/game_state.h"
#include "render/frame_composition.h"
#include "render/frame_presentation.h"
#include "render/graphics_resources.h"
#include "render/stereo_view.h"
#include "tools/replay/replay_script.h"
#include "tools/replay/replay_shot.h"

namespace zephlet {
namespace {

TEST(WindowSurfaceTest, PaintTicksOnceAndShowsTheClientAreaWhiteBeyondTheBackBuffer) {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    createGraphicsResources();
    const std::tuple<StereoView, int, int> cases[] = {{StereoView::kParallel, 1000, 700},
                                                      {StereoView::kParallel, 263, 575},
                                                      {StereoView::kCrossed, 263, 600},
                                                      {StereoView::kRedCyan, 1000, 700}};
    for (const auto& [view, width, height] : cases) {
        SCOPED_TRACE(std::string(stereoViewName(view)) + " " + std::to_string(width));
        resetGame();
        stereoView = view;
        SDL_Window* window = SDL_CreateWindow("Zephlet!", 0, 0, width, height, 0);
        ASSERT_NE(window, nullptr) << SDL_GetError();
        SDL_Surface* surface = SDL_GetWindowSurface(window);
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0x12, 0x34, 0x56));
        paintFrame(window);
        EXPECT_EQ(gameState.scrollOffset, 2) << "one tick";
        // Read back as the back buffer's layout, whatever the surface's.
        std::vector<Pixel> shown(static_cast<std::size_t>(width) * height);
        SDL_ConvertPixels(width, height, surface->format->format, surface->pixels, surface->pitch,
                          SDL_PIXELFORMAT_XRGB8888, shown.data(), width * 4);
        EXPECT_TRUE(shown == clientAreaPicture().pixels);
        SDL_DestroyWindow(window);
    }
    stereoView = StereoView::kParallel;
    releaseGraphicsResources();
    SDL_Quit();
}

// A shot leaves the game as it was, even where its caption is the
// congratulation, which no frame has drawn yet, so won is still false.
TEST(ReplayShotTest, ShotLeavesTheGameAsItWas) {
    resetGame();
    for (int level = 0; level < 6; ++level) {
        advanceLevel();
    }
    const std::string before = stateLine();
    const auto file = std::filesystem::path(::testing::TempDir()) / "zephlet_shot_test.png";
    EXPECT_EQ(writeShot(265, 600, file.string()), "");
    EXPECT_EQ(stateLine(), before);
    EXPECT_TRUE(std::filesystem::remove(file));
    releaseShotResources();
}

}  // namespace
}  // namespace zephlet
