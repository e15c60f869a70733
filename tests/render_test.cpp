// The renderer against pictures worked out here: the three copies with their
// clipping and white key, the artwork decoded in both forms the platforms
// carry it, and the composed frame pixel by pixel in every view.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "game/caption_rule.h"
#include "game/game_state.h"
#include "render/client_area.h"
#include "render/frame_composition.h"
#include "render/graphics_resources.h"
#include "render/level_captions.h"
#include "render/stereo_view.h"

namespace zephlet {
namespace {

constexpr Pixel kGreen = makePixel(0, 128, 0);
constexpr Pixel kNearWhite = makePixel(254, 255, 255);

// A 4 x 3 target of green after one operation, as rows of characters:
// g green, w white, n near-white, o the opaque source's colour.
std::string rows(const Bitmap& bitmap) {
    const std::map<Pixel, char> names{{kGreen, 'g'}, {kWhite, 'w'}, {kNearWhite, 'n'}, {1, 'o'}};
    std::string text;
    for (int y = 0; y < bitmap.height; ++y) {
        for (int x = 0; x < bitmap.width; ++x) {
            text += names.at(bitmap.at(x, y));
        }
        text += y + 1 < bitmap.height ? "|" : "";
    }
    return text;
}

TEST(Bitmap, CopiesAndFillAreClippedAndTheKeyIsPureWhiteOnly) {
    // A pixel's bytes in memory: blue, green, red and a zero on the desktop;
    // red, green, blue and an opaque alpha in the page.
    const Pixel pixel = makePixel(1, 2, 3);
    std::vector<unsigned char> bytes(4);
    std::memcpy(bytes.data(), &pixel, 4);
    const std::vector<unsigned char> rgba{1, 2, 3, 255}, bgrx{3, 2, 1, 0};
    EXPECT_EQ(bytes, ZEPHLET_PIXEL_BYTES_RGBA ? rgba : bgrx);
    Bitmap source = makeBitmap(2, 2, kWhite);  // a white column beside a near-white one
    source.at(1, 0) = source.at(1, 1) = kNearWhite;
    const Bitmap opaque = makeBitmap(2, 2, 1);
    // Which copy ('f' the white fill, 'o' opaque, 'k' keyed), to where.
    // The last one wholly outside.
    const std::tuple<char, int, int, const char*> cases[] = {
        {'f', -1, 1, "gggg|wwgg|wwgg"}, {'o', -1, -1, "oggg|gggg|gggg"},
        {'o', 3, 2, "gggg|gggg|gggo"},  {'k', 1, 1, "gggg|ggng|ggng"},
        {'k', 3, 0, "gggg|gggg|gggg"},  {'o', 4, -2, "gggg|gggg|gggg"}};
    for (const auto& [copy, x, y, expected] : cases) {
        Bitmap target = makeBitmap(4, 3, kGreen);
        copy == 'f' ? fillRect(target, x, y, x + 3, y + 8, kWhite)
                    : (copy == 'o' ? copyOpaque : copyKeyedOnWhite)(target, x, y,
                                                                    copy == 'o' ? opaque : source);
        EXPECT_EQ(rows(target), expected) << copy << " at " << x << ", " << y;
    }
}

void put32(std::vector<unsigned char>& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

// A 3 x 2 picture as a BMP file, rows padded to four bytes: bottom-up, or
// top-down for a negative height. Blue, green, red per pixel: the top row
// white, (3, 2, 1), black.
std::vector<unsigned char> bmpFile(int height = 2) {
    std::vector<unsigned char> bytes(54, 0), top{255, 255, 255, 1, 2, 3, 0, 0, 0, 0, 0, 0},
        bottom{0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0};
    bytes[0] = 'B';
    bytes[1] = 'M';
    for (const auto& [at, value] :
         {std::pair{10, 54}, {14, 40}, {18, 3}, {22, height}, {26, 1}, {28, 24}}) {
        put32(bytes, std::size_t(at), static_cast<std::uint32_t>(value));
    }
    for (const auto* row : height > 0 ? std::vector{&bottom, &top} : std::vector{&top, &bottom}) {
        bytes.insert(bytes.end(), row->begin(), row->end());
    }
    return bytes;
}

TEST(Bitmap, DecodesBmpFilesAndPackedDibsInEitherRowOrderAndRefusesMalformedOnes) {
    const Bitmap expected{3,
                          2,
                          {kWhite, makePixel(3, 2, 1), makePixel(0, 0, 0), makePixel(255, 0, 0),
                           makePixel(0, 255, 0), makePixel(0, 0, 255)}};
    const std::vector<unsigned char> file = bmpFile();
    EXPECT_EQ(decodeDib(file), expected);
    EXPECT_EQ(decodeDib(std::vector<unsigned char>(file.begin() + 14, file.end())), expected);
    EXPECT_EQ(decodeDib(bmpFile(-2)), expected);

    // Spoilt at a field: empty, the pixels cut short by one byte, 32 bits per
    // pixel, run-length compressed, the core header's size, zero, negative and
    // absurd widths, zero and the most negative heights, the pixels' offset
    // past the end or inside the header.
    const std::pair<int, std::uint32_t> spoilt[] = {
        {-1, 0},          {-2, 0},          {28, 32}, {30, 1},          {14, 12},         {18, 0},
        {18, 0xfffffffd}, {18, 0x7fffffff}, {22, 0},  {22, 0x80000000}, {10, 0xffffffff}, {10, 20}};
    for (const auto& [at, value] : spoilt) {
        std::vector<unsigned char> bytes = bmpFile();
        at == -1   ? bytes.clear()
        : at == -2 ? bytes.pop_back()
                   : put32(bytes, std::size_t(at), value);
        // An exactly sized copy lets the address sanitizer catch any read past the end.
        EXPECT_FALSE(decodeDib(std::vector<unsigned char>(bytes.begin(), bytes.end()))) << at;
    }
}

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

enum Art { kCraft, kCrashed, kPlain, kBlue, kGreenArt };

// A sprite at its left edges in the two views.
struct Placed {
    Art art;
    int left, right, y;
};
const Placed kRest{kCraft, 35, 183, 500};  // the craft at lane 0, altitude 0

class Frame : public ::testing::Test {
  protected:
    void SetUp() override {
        resetGame();
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

// The middle lane at the lowest; the ground scrolled, in a client area larger
// or smaller than the back buffer (white wherever nothing reaches); the
// outer lanes at the highest, the right one into the gap; the crashed craft;
// an obstacle, wholly above, its bottom 12 rows; over and under the craft;
// the higher and the newer on top.
TEST_F(Frame, GroundAndSpritesInBothViewsStackInOrder) {
    // Lane, altitude, obstacles oldest first (altitude, y, lane, kind); every
    // sprite shown, bottom to top.
    using Row = std::tuple<int, int, std::vector<Obstacle>, std::vector<Placed>>;
    const Row cases[] = {
        {0, 0, {}, {kRest}},
        {-32, 4, {}, {{kCraft, 7, 147, 500}}},
        {32, 4, {}, {{kCraft, 71, 211, 500}}},
        {-32, 2, {}, {{kCrashed, 5, 149, 500}}},
        {0, 0, {{2, 100, 0, Plain}, {2, -48, 0, Plain}}, {kRest, {kPlain, 37, 181, 100}}},
        {0, 0, {{0, -20, 32, Green}}, {kRest, {kGreenArt, 67, 215, -20}}},
        {0, 2, {{2, 490, 0, Blue}}, {{kCraft, 37, 181, 500}, {kBlue, 37, 181, 490}}},
        {0, 4, {{2, 495, 0, Green}}, {{kGreenArt, 37, 181, 495}, {kCraft, 39, 179, 500}}},
        {0,
         0,
         {{4, 200, 0, Blue}, {0, 210, 0, Plain}, {2, 100, 0, Plain}, {2, 110, 0, Blue}},
         {kRest,
          {kPlain, 35, 183, 210},
          {kPlain, 37, 181, 100},
          {kBlue, 37, 181, 110},
          {kBlue, 39, 179, 200}}},
    };
    // Every row at each scroll and client size.
    const int clients[][3] = {
        {0, 800, 600}, {300, 1000, 700}, {300, 263, 575}, {300, 900, 40}, {800, 800, 600},
    };
    for (const auto& [scroll, width, height] : clients) {
        for (const auto& [lane, altitude, obstacles, shown] : cases) {
            gameState.playerLane = lane;
            gameState.playerAltitude = altitude;
            gameState.obstacles = obstacles;
            gameState.scrollOffset = scroll;
            gameState.crashed = shown[0].art == kCrashed;
            clientRect = {0, 0, width, height};
            composed();
            EXPECT_TRUE(clientAreaPicture() == expected(scroll, shown, -1, width, height))
                << lane << "," << altitude << ", scroll " << scroll << ", " << width << " x "
                << height;
        }
    }
}

TEST_F(Frame, CaptionShowsForTheFirst240TicksOverTheSprites) {
    // Level index, tick, the caption row shown (-1 none), won.
    const std::tuple<std::uint32_t, std::int32_t, int, bool> cases[] = {
        {0, 0, 0, false},   {0, 239, 0, false}, {0, 240, -1, false}, {4, 0, 4, false},
        {5, 100, 5, false}, {6, 0, 6, true},    {7, 0, 6, true}};
    for (const auto& [level, tick, row, won] : cases) {
        resetGame();
        gameState.levelIndex = level;
        gameState.levelTick = tick;
        gameState.obstacles = {{4, 10, -32, Blue}};  // under the first lines
        // Empty lines draw no box (level 5 has four lines): the caption
        // sheet's test holds that their pictures are empty.
        EXPECT_TRUE(composed() == expected(0, {kRest, {kBlue, 7, 147, 10}}, row))
            << "level index " << level << ", tick " << tick;
        EXPECT_EQ(gameState.won, won);
    }
}

// Whether every channel of the anaglyph is within 1 of Dubois's worked out
// here in double precision: sRGB decoded to linear light, the two matrices,
// clamped, encoded.
bool redCyanWithinOne(Pixel shown, Pixel left, Pixel right) {
    const double kLeft[3][3] = {
        {0.437, 0.449, 0.164}, {-0.062, -0.062, -0.024}, {-0.048, -0.050, -0.017}};
    const double kRight[3][3] = {
        {-0.011, -0.032, -0.007}, {0.377, 0.761, 0.009}, {-0.026, -0.093, 1.234}};
    auto channel = [](Pixel p, int c) {
        return double(c == 0 ? pixelRed(p) : c == 1 ? pixelGreen(p) : pixelBlue(p));
    };
    auto linear = [&](Pixel pixel, int c) {
        const double v = channel(pixel, c) / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    for (int c = 0; c < 3; ++c) {
        double sum = 0;
        for (int i = 0; i < 3; ++i) {
            sum += kLeft[c][i] * linear(left, i) + kRight[c][i] * linear(right, i);
        }
        const double v = std::clamp(sum, 0.0, 1.0);
        const double exact =
            255 * (v <= 0.0031308 ? 12.92 * v : 1.055 * std::pow(v, 1 / 2.4) - 0.055);
        if (std::abs(channel(shown, c) - exact) > 1.0) {
            return false;
        }
    }
    return true;
}

// Each view against the pair composed for a client area wider than it,
// mapped here pixel by pixel: crossed exact, red-cyan within 1. Composed over
// stale pixels, and narrower than the pair, as after a wider window was
// restored: what the view shows right of the client area is this frame's.
TEST_F(Frame, ViewsShowThePairRearranged) {
    const std::tuple<StereoView, int, int> cases[] = {
        {StereoView::kParallel, 263, 600}, {StereoView::kCrossed, 263, 600},
        {StereoView::kCrossed, 1000, 700}, {StereoView::kCrossed, 120, 300},
        {StereoView::kCrossed, 301, 600},  {StereoView::kRedCyan, 263, 600},
        {StereoView::kRedCyan, 1000, 700}, {StereoView::kRedCyan, 200, 575},
    };
    // Level 1's caption runs past x 262; sprites reach into the gap from both
    // views; an obstacle overlaps the craft.
    gameState.levelTick = 10;
    gameState.playerLane = 32;
    gameState.playerAltitude = 4;
    gameState.obstacles = {{4, 300, -32, Blue}, {0, 480, 32, Green}, {2, 100, 0, Plain}};
    const Bitmap pair = composed();
    // Pixels the frame may lack: black, white, a dark grey on the curve's
    // straight segment (bytes up to 10, which a pure power curve makes 0 or
    // far off), dark red on black, red and cyan, greens, blue on yellow, a
    // caption's grey; worked out, then kept. Greys stay grey.
    const Pixel black = makePixel(0, 0, 0), grey = makePixel(10, 10, 10);
    const Pixel pixels[][2] = {{black, black},
                               {kWhite, kWhite},
                               {grey, grey},
                               {makePixel(8, 0, 0), black},
                               {makePixel(255, 0, 0), makePixel(0, 255, 255)},
                               {makePixel(0, 128, 0), makePixel(0, 255, 0)},
                               {makePixel(0, 0, 255), makePixel(255, 255, 0)},
                               {makePixel(163, 163, 163), makePixel(163, 163, 163)}};
    for (int pass = 0; pass < 2; ++pass) {
        for (const auto& [left, right] : pixels) {
            EXPECT_TRUE(redCyanWithinOne(redCyanPixel(left, right), left, right))
                << std::hex << left << " " << right;
        }
    }
    for (const Pixel p : {black, grey, kWhite}) {
        EXPECT_EQ(redCyanPixel(p, p), p);
    }
    for (const auto& [view, width, height] : cases) {
        stereoView = view;
        clientRect = {0, 0, width, height};
        composed();
        const Bitmap picture = clientAreaPicture();
        ASSERT_TRUE(picture.width == width && picture.height == height);
        int wrong = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const Pixel shown = picture.at(x, y);
                if (x >= kBackBufferWidth || y >= kBackBufferHeight) {
                    wrong += shown != kWhite;
                } else if (view == StereoView::kParallel) {
                    wrong += shown != pair.at(x, y);
                } else if (view == StereoView::kCrossed) {
                    wrong += shown != pair.at(x < 150 ? x + 150 : x < 300 ? x - 150 : x, y);
                } else if (x < 75 || x >= 225) {
                    wrong += shown != kWhite;
                } else {
                    wrong += !redCyanWithinOne(shown, pair.at(x - 75, y), pair.at(x + 75, y));
                }
            }
        }
        EXPECT_EQ(wrong, 0) << stereoViewName(view) << " " << width << " x " << height;
    }
}

}  // namespace
}  // namespace zephlet
