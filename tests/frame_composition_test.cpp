// The composed frame checked pixel by pixel against the artwork: sprite
// places in both views, stacking by altitude and age, the scrolled ground,
// the captions, and the presentation into a window surface.
#include "render/frame_composition.h"

#include <SDL.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "game/caption_rule.h"
#include "game/game_state.h"
#include "render/client_area.h"
#include "render/graphics_resources.h"
#include "render/level_captions.h"

namespace zephlet {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;

// A surface's pixels as 0xRRGGBB, whatever its format.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
    void set(int x, int y, std::uint32_t rgb) {
        if (x >= 0 && y >= 0 && x < width && y < height) {
            pixels[static_cast<std::size_t>(y * width + x)] = rgb;
        }
    }
};

Picture capture(SDL_Surface* surface) {
    // The conversion copies raw pixels: colour keys play no part in it.
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_XRGB8888, 0);
    Picture picture{rgb->w, rgb->h, {}};
    picture.pixels.resize(static_cast<std::size_t>(rgb->w * rgb->h));
    for (int y = 0; y < rgb->h; ++y) {
        std::memcpy(&picture.pixels[static_cast<std::size_t>(y * rgb->w)],
                    static_cast<const Uint8*>(rgb->pixels) + y * rgb->pitch,
                    static_cast<std::size_t>(rgb->w) * 4);
    }
    for (std::uint32_t& pixel : picture.pixels) {
        pixel &= 0xFFFFFF;
    }
    SDL_FreeSurface(rgb);
    return picture;
}

// Sprite copy: white source pixels let the picture beneath through.
void overlaySprite(Picture& picture, const Picture& sprite, int left, int top) {
    for (int y = 0; y < sprite.height; ++y) {
        for (int x = 0; x < sprite.width; ++x) {
            if (sprite.at(x, y) != kWhite) {
                picture.set(left + x, top + y, sprite.at(x, y));
            }
        }
    }
}

// Opaque copy: a caption line with its white box.
void overlayBox(Picture& picture, const Picture& box, int left, int top) {
    for (int y = 0; y < box.height; ++y) {
        for (int x = 0; x < box.width; ++x) {
            picture.set(left + x, top + y, box.at(x, y));
        }
    }
}

::testing::AssertionResult sameArea(const Picture& actual, const Picture& expected, int width,
                                    int height) {
    int differing = 0;
    std::ostringstream first;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (actual.at(x, y) != expected.at(x, y)) {
                if (differing++ == 0) {
                    first << std::hex << "first at (" << std::dec << x << ", " << y << "): 0x"
                          << std::hex << actual.at(x, y) << " instead of 0x" << expected.at(x, y);
                }
            }
        }
    }
    if (differing == 0) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << differing << " pixels differ, " << first.str();
}

enum class Art { Craft, Crashed, Plain, Blue, Green };

struct Placed {
    Art art;
    int x;
    int y;
};

class FrameCompositionTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_EQ(TTF_Init(), 0) << TTF_GetError(); }
    static void TearDownTestSuite() { TTF_Quit(); }

    void SetUp() override {
        resetGame();
        createGraphicsResources();
        ASSERT_NE(backBufferDC, nullptr);
        ground = capture(backgroundBitmap);
        craft = capture(craftBitmap);
        crashed = capture(crashedCraftBitmap);
        plain = capture(plainObstacleBitmap);
        blue = capture(blueObstacleBitmap);
        green = capture(greenObstacleBitmap);
        clientRect = {0, 0, kBackBufferWidth, kBackBufferHeight};
        gameState.scrollOffset = 0;
        gameState.levelTick = kCaptionTicks;  // past the caption, unless a test wants one
    }

    void TearDown() override {
        releaseGraphicsResources();
        resetGame();
    }

    // The back buffer after composing over stale pixels, so that a part the
    // frame forgets to draw shows up.
    Picture composed() {
        SDL_FillRect(backBufferDC, nullptr, SDL_MapRGB(backBufferDC->format, 0x12, 0x34, 0x56));
        composeFrame();
        return capture(backBufferDC);
    }

    // White, and both views showing ground row (row - scroll) mod 800.
    Picture groundOnly(std::int32_t scroll) const {
        Picture picture{kBackBufferWidth, kBackBufferHeight, {}};
        picture.pixels.assign(static_cast<std::size_t>(kBackBufferWidth * kBackBufferHeight),
                              kWhite);
        for (int row = 0; row < kBackBufferHeight; ++row) {
            const int groundRow = ((row - scroll) % 800 + 800) % 800;
            for (int x = 0; x < 100; ++x) {
                picture.set(x, row, ground.at(x, groundRow));
                picture.set(150 + x, row, ground.at(x, groundRow));
            }
        }
        return picture;
    }

    const Picture& art(Art which) const {
        switch (which) {
            case Art::Craft:
                return craft;
            case Art::Crashed:
                return crashed;
            case Art::Plain:
                return plain;
            case Art::Blue:
                return blue;
            case Art::Green:
                return green;
        }
        return craft;
    }

    Picture withSprites(Picture picture, const std::vector<Placed>& sprites) const {
        for (const Placed& sprite : sprites) {
            overlaySprite(picture, art(sprite.art), sprite.x, sprite.y);
        }
        return picture;
    }

    static void overlayCaption(Picture& picture, std::uint32_t row) {
        for (int k = 0; k < kCaptionLineCount; ++k) {
            SDL_Surface* line = captionLines[row][static_cast<std::size_t>(k)];
            if (line != nullptr) {
                const Picture box = capture(line);
                overlayBox(picture, box, 5, 5 + 16 * k);
                overlayBox(picture, box, 155, 5 + 16 * k);
            }
        }
    }

    Picture ground, craft, crashed, plain, blue, green;
};

TEST(SpriteColumnsTest, AltitudeShiftsTheViewsApart) {
    struct Case {
        std::int32_t lane, altitude, left, right;
    };
    const Case cases[] = {
        {0, 0, 35, 183},  {-32, 4, 7, 147}, {32, 4, 71, 211}, {0, 2, 37, 181}, {-32, 0, 3, 151},
        {32, 0, 67, 215}, {-32, 2, 5, 149}, {32, 2, 69, 213}, {0, 4, 39, 179},
    };
    for (const Case& c : cases) {
        const SpriteColumns columns = spriteColumns(c.lane, c.altitude);
        EXPECT_EQ(columns.left, c.left) << "lane " << c.lane << " altitude " << c.altitude;
        EXPECT_EQ(columns.right, c.right) << "lane " << c.lane << " altitude " << c.altitude;
    }
}

// Each case: the craft, the obstacles (oldest first), and every sprite the
// frame must show, bottom to top, at its place in the back buffer.
struct SpriteCase {
    const char* name;
    std::int32_t lane;
    std::int32_t altitude;
    bool crashed;
    std::vector<Obstacle> obstacles;  // altitude, y, lane, kind
    std::vector<Placed> shown;
};

TEST_F(FrameCompositionTest, SpritesStandAtTheirPlacesInBothViewsAndStackInOrder) {
    const SpriteCase cases[] = {
        {"craft, middle lane, lowest",
         0,
         0,
         false,
         {},
         {{Art::Craft, 35, 500}, {Art::Craft, 183, 500}}},
        {"craft, left lane, highest",
         -32,
         4,
         false,
         {},
         {{Art::Craft, 7, 500}, {Art::Craft, 147, 500}}},
        {"craft, right lane, highest, into the gap",
         32,
         4,
         false,
         {},
         {{Art::Craft, 71, 500}, {Art::Craft, 211, 500}}},
        {"crashed craft", -32, 2, true, {}, {{Art::Crashed, 5, 500}, {Art::Crashed, 149, 500}}},
        {"plain obstacle, middle lane, altitude 2",
         0,
         0,
         false,
         {{2, 100, 0, Plain}},
         {{Art::Craft, 35, 500},
          {Art::Craft, 183, 500},
          {Art::Plain, 37, 100},
          {Art::Plain, 181, 100}}},
        {"blue obstacle, left lane, altitude 0",
         0,
         0,
         false,
         {{0, 300, -32, Blue}},
         {{Art::Craft, 35, 500},
          {Art::Craft, 183, 500},
          {Art::Blue, 3, 300},
          {Art::Blue, 151, 300}}},
        {"green obstacle, right lane, altitude 4",
         0,
         0,
         false,
         {{4, 200, 32, Green}},
         {{Art::Craft, 35, 500},
          {Art::Craft, 183, 500},
          {Art::Green, 71, 200},
          {Art::Green, 211, 200}}},
        {"obstacle wholly above the picture",
         0,
         0,
         false,
         {{2, -48, 0, Plain}},
         {{Art::Craft, 35, 500}, {Art::Craft, 183, 500}}},
        {"obstacle showing its bottom 12 rows",
         0,
         0,
         false,
         {{0, -20, 32, Green}},
         {{Art::Craft, 35, 500},
          {Art::Craft, 183, 500},
          {Art::Green, 67, -20},
          {Art::Green, 215, -20}}},
        {"obstacle covers the craft at its altitude",
         0,
         2,
         false,
         {{2, 490, 0, Blue}},
         {{Art::Craft, 37, 500},
          {Art::Craft, 181, 500},
          {Art::Blue, 37, 490},
          {Art::Blue, 181, 490}}},
        {"craft covers a lower obstacle",
         0,
         4,
         false,
         {{2, 495, 0, Green}},
         {{Art::Green, 37, 495},
          {Art::Green, 181, 495},
          {Art::Craft, 39, 500},
          {Art::Craft, 179, 500}}},
        {"higher obstacle on top, though older",
         0,
         0,
         false,
         {{4, 200, 0, Blue}, {0, 210, 0, Plain}},
         {{Art::Craft, 35, 500},
          {Art::Craft, 183, 500},
          {Art::Plain, 35, 210},
          {Art::Plain, 183, 210},
          {Art::Blue, 39, 200},
          {Art::Blue, 179, 200}}},
        {"newer obstacle on top at one altitude",
         0,
         0,
         false,
         {{2, 100, 0, Plain}, {2, 110, 0, Blue}},
         {{Art::Craft, 35, 500},
          {Art::Craft, 183, 500},
          {Art::Plain, 37, 100},
          {Art::Plain, 181, 100},
          {Art::Blue, 37, 110},
          {Art::Blue, 181, 110}}},
        {"newer obstacle on top, other order",
         0,
         0,
         false,
         {{2, 100, 0, Blue}, {2, 110, 0, Plain}},
         {{Art::Craft, 35, 500},
          {Art::Craft, 183, 500},
          {Art::Blue, 37, 100},
          {Art::Blue, 181, 100},
          {Art::Plain, 37, 110},
          {Art::Plain, 181, 110}}},
    };
    for (const SpriteCase& c : cases) {
        SCOPED_TRACE(c.name);
        gameState.playerLane = c.lane;
        gameState.playerAltitude = c.altitude;
        gameState.crashed = c.crashed;
        gameState.obstacles = c.obstacles;
        EXPECT_TRUE(sameArea(composed(), withSprites(groundOnly(0), c.shown), kBackBufferWidth,
                             kBackBufferHeight));
    }
}

TEST_F(FrameCompositionTest, GroundScrollsDownBothViews) {
    const struct {
        std::int32_t scroll;
        int row;
        int groundRow;
    } cases[] = {
        {0, 0, 0},     {0, 599, 599},   {300, 0, 500}, {300, 299, 799},
        {300, 300, 0}, {300, 599, 299}, {800, 0, 0},   {800, 599, 599},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("scroll " + std::to_string(c.scroll) + ", row " + std::to_string(c.row));
        gameState.scrollOffset = c.scroll;
        const Picture frame = composed();
        for (int x = 0; x < 100; ++x) {
            ASSERT_EQ(frame.at(x, c.row), ground.at(x, c.groundRow)) << "left view, x " << x;
            ASSERT_EQ(frame.at(150 + x, c.row), ground.at(x, c.groundRow)) << "right view, x " << x;
        }
        const std::vector<Placed> craftAtRest{{Art::Craft, 35, 500}, {Art::Craft, 183, 500}};
        EXPECT_TRUE(sameArea(frame, withSprites(groundOnly(c.scroll), craftAtRest),
                             kBackBufferWidth, kBackBufferHeight));
    }
}

TEST_F(FrameCompositionTest, GapAndRightOfTheViewsAreWhiteWhereNothingReaches) {
    const Picture frame = composed();
    for (int y = 0; y < kBackBufferHeight; ++y) {
        for (int x = 100; x < 150; ++x) {
            ASSERT_EQ(frame.at(x, y), kWhite) << "gap at (" << x << ", " << y << ")";
        }
        for (int x = 250; x < kBackBufferWidth; ++x) {
            ASSERT_EQ(frame.at(x, y), kWhite) << "beyond at (" << x << ", " << y << ")";
        }
    }
}

TEST_F(FrameCompositionTest, CaptionShowsDuringTheFirst240TicksOfALevel) {
    const struct {
        std::int32_t levelTick;
        bool shown;
    } cases[] = {{0, true}, {239, true}, {240, false}, {1000, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE("level tick " + std::to_string(c.levelTick));
        gameState.levelTick = c.levelTick;
        Picture expected =
            withSprites(groundOnly(0), {{Art::Craft, 35, 500}, {Art::Craft, 183, 500}});
        if (c.shown) {
            overlayCaption(expected, 0);
        }
        EXPECT_TRUE(sameArea(composed(), expected, kBackBufferWidth, kBackBufferHeight));
    }
}

TEST_F(FrameCompositionTest, EachLevelShowsItsCaptionInBothViewsOverTheSprites) {
    const struct {
        std::uint32_t levelIndex;
        int lines;
        bool won;
    } cases[] = {{0, 6, false}, {1, 6, false}, {2, 5, false}, {3, 5, false},
                 {4, 4, false}, {5, 5, false}, {6, 5, true},  {7, 5, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE("level index " + std::to_string(c.levelIndex));
        resetGame();
        gameState.scrollOffset = 0;
        gameState.levelIndex = c.levelIndex;
        gameState.levelTick = 0;
        // An obstacle under the first lines: the caption is drawn over it.
        gameState.obstacles = {{4, 10, -32, Blue}};
        const std::uint32_t row = c.levelIndex < 6 ? c.levelIndex : 6;
        int lines = 0;
        for (SDL_Surface* line : captionLines[row]) {
            lines += line != nullptr ? 1 : 0;
        }
        EXPECT_EQ(lines, c.lines);
        Picture expected = withSprites(groundOnly(0), {{Art::Craft, 35, 500},
                                                       {Art::Craft, 183, 500},
                                                       {Art::Blue, 7, 10},
                                                       {Art::Blue, 147, 10}});
        overlayCaption(expected, row);
        EXPECT_TRUE(sameArea(composed(), expected, kBackBufferWidth, kBackBufferHeight));
        EXPECT_EQ(gameState.won, c.won);
    }
}

TEST_F(FrameCompositionTest, Level5CaptionLeavesTheLastTwoLinesEmpty) {
    gameState.levelIndex = 4;
    gameState.levelTick = 0;
    const Picture frame = composed();
    const Picture bare = groundOnly(0);
    // Lines 5 and 6 would have their boxes at y 69 and 85.
    for (int y = 69; y < 101; ++y) {
        for (int x = 0; x < 100; ++x) {
            ASSERT_EQ(frame.at(x, y), bare.at(x, y)) << "left view at (" << x << ", " << y << ")";
            ASSERT_EQ(frame.at(150 + x, y), bare.at(150 + x, y))
                << "right view at (" << 150 + x << ", " << y << ")";
        }
    }
    // Line 4 ("obstacles!") ends just above.
    EXPECT_EQ(frame.at(5, 68), kWhite);
}

TEST_F(FrameCompositionTest, HeadingBoxRunsTwoBlankWidthsEitherSideOfItsText) {
    gameState.levelTick = 0;
    int blanks = 0;
    int untilDigit = 0;
    int whole = 0;
    int height = 0;
    ASSERT_EQ(TTF_SizeText(captionFont, "  ", &blanks, &height), 0);
    ASSERT_EQ(TTF_SizeText(captionFont, "  LEVEL 1", &untilDigit, &height), 0);
    ASSERT_EQ(TTF_SizeText(captionFont, "  LEVEL 1  ", &whole, &height), 0);
    ASSERT_EQ(height, 16);
    int bearing = 0;  // the L's ink starts this far into its cell
    int unused = 0;
    ASSERT_EQ(TTF_GlyphMetrics(captionFont, 'L', &bearing, &unused, &unused, &unused, &unused), 0);
    const Picture frame = composed();
    const Picture bare = groundOnly(0);
    for (int left : {5, 155}) {
        SCOPED_TRACE("view at x " + std::to_string(left - 5));
        int firstInk = -1;
        int lastInk = -1;
        for (int x = left; x < left + whole; ++x) {
            for (int y = 5; y < 21; ++y) {
                if (frame.at(x, y) != kWhite) {
                    lastInk = x;
                    firstInk = firstInk < 0 ? x : firstInk;
                }
            }
        }
        EXPECT_EQ(firstInk - left, blanks + bearing) << "the L begins after two blanks";
        EXPECT_LT(lastInk, left + untilDigit) << "two blanks follow the digit";
        for (int y = 5; y < 21; ++y) {
            EXPECT_EQ(frame.at(left - 1, y), bare.at(left - 1, y)) << "box begins at x " << left;
            EXPECT_EQ(frame.at(left, y), kWhite);
            EXPECT_EQ(frame.at(left + whole - 1, y), kWhite);
        }
        // Where nothing lies below, the ground shows right after the box.
        EXPECT_EQ(frame.at(left + whole, 5), bare.at(left + whole, 5));
    }
}

// A real window on SDL's dummy video driver, whose window surface stands in
// for the screen.
class WindowFrameTest : public FrameCompositionTest {
  protected:
    static void SetUpTestSuite() {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        FrameCompositionTest::SetUpTestSuite();
    }
    static void TearDownTestSuite() {
        FrameCompositionTest::TearDownTestSuite();
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }

    void SetUp() override {
        FrameCompositionTest::SetUp();
        window = SDL_CreateWindow("Zephlet!", 0, 0, 265, 600, SDL_WINDOW_RESIZABLE);
        ASSERT_NE(window, nullptr) << SDL_GetError();
    }
    void TearDown() override {
        SDL_DestroyWindow(window);
        FrameCompositionTest::TearDown();
    }

    // The window surface at this size, filled with stale pixels.
    SDL_Surface* staleWindowSurface(int width, int height) {
        SDL_SetWindowSize(window, width, height);
        SDL_Surface* surface = SDL_GetWindowSurface(window);
        SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0x12, 0x34, 0x56));
        return surface;
    }

    SDL_Window* window = nullptr;
};

TEST_F(WindowFrameTest, PaintTicksOnceAndShowsTheComposedFrame) {
    SDL_Surface* surface = staleWindowSurface(265, 600);
    ASSERT_EQ(surface->w, 265);
    paintFrame(window);
    EXPECT_EQ(gameState.levelTick, kCaptionTicks + 1);
    EXPECT_EQ(gameState.scrollOffset, 2);
    EXPECT_EQ(clientRect.right, 265);
    EXPECT_EQ(clientRect.bottom, 600);
    const Picture shown = capture(SDL_GetWindowSurface(window));
    ASSERT_EQ(shown.width, 265);
    ASSERT_EQ(shown.height, 600);
    EXPECT_TRUE(sameArea(shown, capture(backBufferDC), 265, 600));
    EXPECT_TRUE(
        sameArea(shown, withSprites(groundOnly(2), {{Art::Craft, 35, 500}, {Art::Craft, 183, 500}}),
                 265, 600));
}

TEST_F(WindowFrameTest, ClientAreaBeyondTheBackBufferIsWhite) {
    staleWindowSurface(1000, 700);
    paintFrame(window);
    EXPECT_EQ(clientRect.right, 1000);
    EXPECT_EQ(clientRect.bottom, 700);
    const Picture shown = capture(SDL_GetWindowSurface(window));
    ASSERT_EQ(shown.width, 1000);
    ASSERT_EQ(shown.height, 700);
    EXPECT_TRUE(sameArea(shown, capture(backBufferDC), kBackBufferWidth, kBackBufferHeight));
    for (int y = 0; y < 700; ++y) {
        for (int x = y < kBackBufferHeight ? kBackBufferWidth : 0; x < 1000; ++x) {
            ASSERT_EQ(shown.at(x, y), kWhite) << "at (" << x << ", " << y << ")";
        }
    }
}

TEST_F(WindowFrameTest, CongratulationBeginsTheCruiseInTheFrameThatReachesIt) {
    staleWindowSurface(265, 600);
    gameState.levelIndex = 5;
    gameState.levelTick = 2220;
    paintFrame(window);
    EXPECT_EQ(gameState.levelIndex, 6u);
    EXPECT_EQ(gameState.levelTick, 0);
    EXPECT_TRUE(gameState.won);
    Picture expected = withSprites(groundOnly(2), {{Art::Craft, 35, 500}, {Art::Craft, 183, 500}});
    overlayCaption(expected, kCongratulationRow);
    EXPECT_TRUE(sameArea(capture(SDL_GetWindowSurface(window)), expected, 265, 600));

    paintFrame(window);
    EXPECT_EQ(gameState.levelTick, 0) << "the level clock stands still in the cruise";
}

}  // namespace
}  // namespace zephlet
