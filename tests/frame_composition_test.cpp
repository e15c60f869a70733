// The composed frame checked pixel by pixel against the artwork: sprite
// places in both views, stacking by altitude and age, the scrolled ground,
// the captions, and the client area's picture in each view.
#include "render/frame_composition.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "game/caption_rule.h"
#include "game/game_state.h"
#include "render/client_area.h"
#include "render/graphics_resources.h"
#include "render/level_captions.h"
#include "render/stereo_view.h"

namespace zephlet {
namespace {

// The test's own copy, so that the copies under test are not their own
// measure: clipped to the target, a keyed one lets white through.
void paste(Bitmap& to, const Bitmap& from, int left, int top, bool keyed) {
    for (int y = std::max(0, -top); y < from.height && top + y < to.height; ++y) {
        for (int x = std::max(0, -left); x < from.width && left + x < to.width; ++x) {
            if (!keyed || from.at(x, y) != kWhite) {
                to.at(left + x, top + y) = from.at(x, y);
            }
        }
    }
}

// How many pixels of the expected picture the actual one does not show.
int differing(const Bitmap& actual, const Bitmap& expected) {
    int wrong = 0;
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            wrong +=
                x >= actual.width || y >= actual.height || actual.at(x, y) != expected.at(x, y);
        }
    }
    return wrong;
}

enum Art { kCraft, kCrashed, kPlain, kBlue, kGreen };

// A sprite at its left edges in the two views.
struct Placed {
    Art art;
    int left, right, y;
};
const Placed kRest{kCraft, 35, 183, 500};  // the craft at lane 0, altitude 0

class FrameCompositionTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resetGame();
        stereoView = StereoView::kParallel;
        createGraphicsResources();
        clientRect = {0, 0, kBackBufferWidth, kBackBufferHeight};
        gameState.levelTick = kCaptionTicks;  // past the caption, unless a test wants one
    }
    // Every test creates and releases, many times in one process: a release
    // that keeps anything, or frees it twice, shows here or under the sanitizers.
    void TearDown() override {
        stereoView = StereoView::kParallel;
        releaseGraphicsResources();
        for (const Bitmap* bitmap :
             {&craftBitmap, &plainObstacleBitmap, &blueObstacleBitmap, &greenObstacleBitmap,
              &crashedCraftBitmap, &backgroundBitmap, &backBuffer, &captionLines[0][0]}) {
            EXPECT_EQ(bitmap->pixels.capacity(), 0u);
        }
        EXPECT_EQ(backBufferDC, nullptr);
    }

    // The back buffer composed over stale pixels, so that a part the frame
    // forgets to draw shows up.
    static Bitmap composed() {
        std::fill(backBuffer.pixels.begin(), backBuffer.pixels.end(), 0x123456);
        composeFrame();
        return backBuffer;
    }

    // A client area white wherever nothing reaches: the gap, right of x 249,
    // beyond 800 x 600. The views (x 0..99, 150..249) show ground row
    // (row - scroll) mod 800, then the sprites bottom to top, then a caption
    // row's boxes if one is given.
    static Bitmap expected(std::int32_t scroll, const std::vector<Placed>& sprites, int row = -1,
                           int width = kBackBufferWidth, int height = kBackBufferHeight) {
        const Bitmap* art[] = {&craftBitmap, &crashedCraftBitmap, &plainObstacleBitmap,
                               &blueObstacleBitmap, &greenObstacleBitmap};
        Bitmap picture = makeBitmap(width, height, kWhite);
        for (int y = 0; y < std::min(height, kBackBufferHeight); ++y) {
            for (int x = 0; x < 100; ++x) {
                const Pixel ground = backgroundBitmap.at(x, ((y - scroll) % 800 + 800) % 800);
                picture.at(x, y) = ground;
                if (150 + x < width) {
                    picture.at(150 + x, y) = ground;
                }
            }
        }
        for (const Placed& sprite : sprites) {
            paste(picture, *art[sprite.art], sprite.left, sprite.y, true);
            paste(picture, *art[sprite.art], sprite.right, sprite.y, true);
        }
        for (int k = 0; row >= 0 && k < kCaptionLineCount; ++k) {
            const Bitmap& line = captionLines[std::size_t(row)][std::size_t(k)];
            paste(picture, line, 5, 5 + 16 * k, false);
            paste(picture, line, 155, 5 + 16 * k, false);
        }
        return picture;
    }
};

TEST_F(FrameCompositionTest, GroundAndSpritesInBothViewsStackInOrder) {
    struct Setup {
        const char* name;
        std::int32_t lane, altitude;
        std::vector<Obstacle> obstacles;  // oldest first: altitude, y, lane, kind
        std::int32_t scroll = 0;
        int width = kBackBufferWidth, height = kBackBufferHeight;  // the client area
    };
    // Each setup with every sprite it shows, bottom to top.
    const std::pair<Setup, std::vector<Placed>> cases[] = {
        {{"middle lane, lowest", 0, 0, {}}, {kRest}},
        // The client area: the back buffer, white wherever nothing reaches.
        {{"ground scrolled 300, client 1000 x 700", 0, 0, {}, 300, 1000, 700}, {kRest}},
        {{"client 263 x 575", 0, 0, {}, 300, 263, 575}, {kRest}},
        {{"client 900 x 40", 0, 0, {}, 300, 900, 40}, {kRest}},
        {{"ground scrolled 800", 0, 0, {}, 800}, {kRest}},
        {{"left lane, highest", -32, 4, {}}, {{kCraft, 7, 147, 500}}},
        {{"right lane, highest, into the gap", 32, 4, {}}, {{kCraft, 71, 211, 500}}},
        {{"crashed", -32, 2, {}}, {{kCrashed, 5, 149, 500}}},
        {{"obstacle", 0, 0, {{2, 100, 0, Plain}}}, {kRest, {kPlain, 37, 181, 100}}},
        {{"wholly above", 0, 0, {{2, -48, 0, Plain}}}, {kRest}},
        {{"bottom 12 rows", 0, 0, {{0, -20, 32, Green}}}, {kRest, {kGreen, 67, 215, -20}}},
        {{"over the craft", 0, 2, {{2, 490, 0, Blue}}},
         {{kCraft, 37, 181, 500}, {kBlue, 37, 181, 490}}},
        {{"under the craft", 0, 4, {{2, 495, 0, Green}}},
         {{kGreen, 37, 181, 495}, {kCraft, 39, 179, 500}}},
        {{"higher on top", 0, 0, {{4, 200, 0, Blue}, {0, 210, 0, Plain}}},
         {kRest, {kPlain, 35, 183, 210}, {kBlue, 39, 179, 200}}},
        {{"newer on top", 0, 0, {{2, 100, 0, Plain}, {2, 110, 0, Blue}}},
         {kRest, {kPlain, 37, 181, 100}, {kBlue, 37, 181, 110}}},
    };
    for (const auto& [setup, shown] : cases) {
        SCOPED_TRACE(setup.name);
        gameState.playerLane = setup.lane;
        gameState.playerAltitude = setup.altitude;
        gameState.obstacles = setup.obstacles;
        gameState.scrollOffset = setup.scroll;
        gameState.crashed = shown[0].art == kCrashed;
        clientRect = {0, 0, setup.width, setup.height};
        composed();
        EXPECT_EQ(differing(clientAreaPicture(),
                            expected(setup.scroll, shown, -1, setup.width, setup.height)),
                  0);
    }
}

TEST_F(FrameCompositionTest, CaptionShowsForTheFirst240TicksOverTheSprites) {
    const struct {
        std::uint32_t level;
        std::int32_t tick;
        int row;  // -1: none
        bool won;
    } cases[] = {{0, 0, 0, false},   {0, 239, 0, false}, {0, 240, -1, false}, {4, 0, 4, false},
                 {5, 100, 5, false}, {6, 0, 6, true},    {7, 0, 6, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE("level index " + std::to_string(c.level) + ", tick " + std::to_string(c.tick));
        resetGame();
        gameState.levelIndex = c.level;
        gameState.levelTick = c.tick;
        gameState.obstacles = {{4, 10, -32, Blue}};  // under the first lines
        const std::vector<Placed> sprites{kRest, {kBlue, 7, 147, 10}};
        // Empty lines draw no box (level 5 has four lines): the caption
        // sheet's test holds that their pictures are empty.
        EXPECT_EQ(differing(composed(), expected(0, sprites, c.row)), 0);
        EXPECT_EQ(gameState.won, c.won);
    }
}

// Dubois's anaglyph worked out here in double precision, as a byte before
// rounding: sRGB decoded to linear light, the two matrices, clamped, encoded.
double exactRedCyan(Pixel left, Pixel right, int channel) {
    const double kLeft[3][3] = {
        {0.437, 0.449, 0.164}, {-0.062, -0.062, -0.024}, {-0.048, -0.050, -0.017}};
    const double kRight[3][3] = {
        {-0.011, -0.032, -0.007}, {0.377, 0.761, 0.009}, {-0.026, -0.093, 1.234}};
    auto linear = [](std::uint32_t byte) {
        const double c = byte / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const double l[3] = {linear(pixelRed(left)), linear(pixelGreen(left)), linear(pixelBlue(left))};
    const double r[3] = {linear(pixelRed(right)), linear(pixelGreen(right)),
                         linear(pixelBlue(right))};
    double sum = 0;
    for (int i = 0; i < 3; ++i) {
        sum += kLeft[channel][i] * l[i] + kRight[channel][i] * r[i];
    }
    const double v = std::clamp(sum, 0.0, 1.0);
    return 255 * (v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1 / 2.4) - 0.055);
}

// How many channels of the anaglyph are more than 1 from the exact value.
int offByMoreThanOne(Pixel shown, Pixel left, Pixel right) {
    const std::uint32_t channels[3] = {pixelRed(shown), pixelGreen(shown), pixelBlue(shown)};
    int wrong = 0;
    for (int c = 0; c < 3; ++c) {
        wrong += std::abs(channels[c] - exactRedCyan(left, right, c)) > 1.0;
    }
    return wrong;
}

TEST_F(FrameCompositionTest, RedCyanPixelsFollowDuboisInLinearLight) {
    const struct {
        const char* name;
        Pixel left, right;
        Pixel shown;  // 0x01000000: only against the formula
    } cases[] = {
        {"black", makePixel(0, 0, 0), makePixel(0, 0, 0), makePixel(0, 0, 0)},
        {"white", kWhite, kWhite, makePixel(255, 255, 255)},
        // Bytes up to 10 are the curve's straight segment: a pure power
        // curve makes these 0 or far off.
        {"dark grey, the linear segment", makePixel(10, 10, 10), makePixel(10, 10, 10),
         makePixel(10, 10, 10)},
        {"dark red on black", makePixel(8, 0, 0), makePixel(0, 0, 0), 0x01000000},
        {"red left, cyan right", makePixel(255, 0, 0), makePixel(0, 255, 255), 0x01000000},
        {"the ground's greens", makePixel(0, 128, 0), makePixel(0, 255, 0), 0x01000000},
        {"an obstacle over the ground", makePixel(0, 0, 255), makePixel(255, 255, 0), 0x01000000},
        {"a caption's grey", makePixel(163, 163, 163), makePixel(163, 163, 163), 0x01000000},
    };
    for (int pass = 0; pass < 2; ++pass) {  // worked out, then kept
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            const Pixel shown = redCyanPixel(c.left, c.right);
            if (c.shown != 0x01000000) {
                EXPECT_EQ(shown, c.shown);
            }
            EXPECT_EQ(offByMoreThanOne(shown, c.left, c.right), 0);
        }
    }
}

// Each view against the pair composed for a client area wider than it,
// mapped here pixel by pixel: crossed exact, red-cyan within 1. Composed over
// stale pixels, and narrower than the pair, as after a wider window was
// restored: what the view shows right of the client area is this frame's.
TEST_F(FrameCompositionTest, ViewsShowThePairRearranged) {
    const struct {
        const char* name;
        StereoView view;
        int width, height;
    } cases[] = {
        {"parallel", StereoView::kParallel, 263, 600},
        {"crossed, default window", StereoView::kCrossed, 263, 600},
        {"crossed, maximised", StereoView::kCrossed, 1000, 700},
        {"crossed, narrower than a band", StereoView::kCrossed, 120, 300},
        {"crossed, one past the pair", StereoView::kCrossed, 301, 600},
        {"red-cyan, default window", StereoView::kRedCyan, 263, 600},
        {"red-cyan, maximised", StereoView::kRedCyan, 1000, 700},
        {"red-cyan, ending inside the anaglyph", StereoView::kRedCyan, 200, 575},
    };
    // Level 1's caption runs past x 262; sprites reach into the gap from both
    // views; an obstacle overlaps the craft.
    gameState.levelTick = 10;
    gameState.playerLane = 32;
    gameState.playerAltitude = 4;
    gameState.obstacles = {{4, 300, -32, Blue}, {0, 480, 32, Green}, {2, 100, 0, Plain}};
    clientRect = {0, 0, kBackBufferWidth, kBackBufferHeight};
    const Bitmap pair = composed();

    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        stereoView = c.view;
        clientRect = {0, 0, c.width, c.height};
        composed();
        const Bitmap picture = clientAreaPicture();
        ASSERT_EQ(picture.width, c.width);
        ASSERT_EQ(picture.height, c.height);
        int wrong = 0;
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                const Pixel shown = picture.at(x, y);
                if (x >= kBackBufferWidth || y >= kBackBufferHeight) {
                    wrong += shown != kWhite;
                } else if (c.view == StereoView::kParallel) {
                    wrong += shown != pair.at(x, y);
                } else if (c.view == StereoView::kCrossed) {
                    const int from = x < 150 ? x + 150 : x < 300 ? x - 150 : x;
                    wrong += shown != pair.at(from, y);
                } else if (x < 75 || x >= 225) {
                    wrong += shown != kWhite;
                } else {
                    wrong += offByMoreThanOne(shown, pair.at(x - 75, y), pair.at(x + 75, y)) != 0;
                }
            }
        }
        EXPECT_EQ(wrong, 0);
    }
    // Parallel and crossed are no pass at all: the window shows the back
    // buffer itself, crossed with its bands placed by the copy to the window.
    for (const StereoView view : {StereoView::kParallel, StereoView::kCrossed}) {
        stereoView = view;
        EXPECT_EQ(&viewedFrame(backBuffer, clientRect), &backBuffer);
    }
}

}  // namespace
}  // namespace zephlet
