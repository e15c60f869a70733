// The renderer's resources as the frame relies on them: full-colour artwork keyed on pure white,
// the back buffer as target, the 16-pixel caption font and lines, and a release that leaves
// nothing.
#include "render/graphics_resources.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>

#include "render/level_captions.h"

namespace zephlet {
namespace {

// Colours as 0xRRGGBB, which is how the back buffer's format holds them too.
constexpr Uint32 kWhite = 0xffffff;
constexpr Uint32 kNearWhite = 0xfeffff;
constexpr Uint32 kDarkGreen = 0x008000;

Uint32 rgbAt(const SDL_Surface* s, int x, int y) {
    return static_cast<const Uint32*>(s->pixels)[y * s->pitch / 4 + x] & 0xffffff;
}

// Every test creates and releases once, so the suite creates and releases many times in one
// process: a double free or a leak across the cycle shows up under the sanitizers.
class GraphicsResourcesTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_EQ(TTF_Init(), 0) << TTF_GetError(); }
    static void TearDownTestSuite() { TTF_Quit(); }
    void SetUp() override { createGraphicsResources(); }
    void TearDown() override { releaseGraphicsResources(); }
};

// Name, surface, width, height, and whether it is a sprite keyed on white.
const std::tuple<const char*, SDL_Surface**, int, int, bool> kSurfaces[] = {
    {"craft", &craftBitmap, 32, 32, true},
    {"plain obstacle", &plainObstacleBitmap, 32, 32, true},
    {"blue obstacle", &blueObstacleBitmap, 32, 32, true},
    {"green obstacle", &greenObstacleBitmap, 32, 32, true},
    {"crashed craft", &crashedCraftBitmap, 32, 32, true},
    {"ground", &backgroundBitmap, 100, 800, false},
    {"back buffer", &backBuffer, 800, 600, false},
};

TEST_F(GraphicsResourcesTest, SurfacesHaveTheirSizesFullColourAndWhiteKeyOnSpritesOnly) {
    for (const auto& [name, surface, width, height, sprite] : kSurfaces) {
        SCOPED_TRACE(name);
        ASSERT_NE(*surface, nullptr);
        EXPECT_EQ((*surface)->w, width);
        EXPECT_EQ((*surface)->h, height);
        EXPECT_EQ((*surface)->format->format, kBackBufferFormat);
        Uint32 key = 0;
        EXPECT_EQ(SDL_GetColorKey(*surface, &key) == 0, sprite);
        EXPECT_EQ(key, sprite ? SDL_MapRGB((*surface)->format, 255, 255, 255) : 0);
    }
    EXPECT_EQ(backBufferDC, backBuffer);
    EXPECT_EQ(spriteDC, craftBitmap);
}

TEST_F(GraphicsResourcesTest, KeyedCopySkipsPureWhiteOnly) {
    // As SDL_LoadBMP gives it, 24 bits per pixel: the left half white, the right near-white.
    SDL_Surface* picture =
        SDL_CreateRGBSurfaceWithFormat(0, kSpriteSize, kSpriteSize, 24, SDL_PIXELFORMAT_BGR24);
    ASSERT_NE(picture, nullptr);
    SDL_FillRect(picture, nullptr, SDL_MapRGB(picture->format, 255, 255, 255));
    const SDL_Rect right{16, 0, 16, kSpriteSize};
    SDL_FillRect(picture, &right, SDL_MapRGB(picture->format, 254, 255, 255));
    SDL_Surface* sprite = convertArtwork(picture, true);
    SDL_FreeSurface(picture);
    SDL_FillRect(backBuffer, nullptr, kDarkGreen);
    SDL_Rect at{40, 50, kSpriteSize, kSpriteSize};
    ASSERT_EQ(SDL_BlitSurface(sprite, nullptr, backBuffer, &at), 0);
    SDL_FreeSurface(sprite);
    int wrong = 0;  // the cell and one column either side of it
    for (int y = 0; y < kSpriteSize; ++y) {
        for (int x = -1; x <= kSpriteSize; ++x) {
            wrong += rgbAt(backBuffer, at.x + x, at.y + y) !=
                     (x >= 16 && x < kSpriteSize ? kNearWhite : kDarkGreen);
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(GraphicsResourcesTest, BlueObstacleKeepsBlueAndYellowInTheBackBuffer) {
    SDL_FillRect(backBuffer, nullptr, kDarkGreen);
    SDL_Rect at{35, 200, kSpriteSize, kSpriteSize};
    ASSERT_EQ(SDL_BlitSurface(blueObstacleBitmap, nullptr, backBuffer, &at), 0);
    std::map<Uint32, int> count;
    for (int y = 0; y < kSpriteSize; ++y) {
        for (int x = 0; x < kSpriteSize; ++x) {
            ++count[rgbAt(backBuffer, at.x + x, at.y + y)];
        }
    }
    EXPECT_GT(count[0x0000ff], 100);
    EXPECT_GT(count[0xffff00], 30);
    EXPECT_EQ(count[kWhite], 0) << "the white surround must let the ground through";
}

TEST_F(GraphicsResourcesTest, ReleaseLeavesNothingAndIsSafeToRepeat) {
    releaseGraphicsResources();
    for (const auto& c : kSurfaces) {
        EXPECT_EQ(*std::get<1>(c), nullptr) << std::get<0>(c);
    }
    EXPECT_EQ(backBufferDC, nullptr);
    EXPECT_EQ(spriteDC, nullptr);
    EXPECT_EQ(captionFont, nullptr);
    for (const auto& row : captionLines) {
        EXPECT_EQ(std::ranges::count(row, nullptr), kCaptionLineCount);
    }
    // The fixture releases once more: harmless on nothing, and after a second creation.
    releaseGraphicsResources();
    createGraphicsResources();
    EXPECT_EQ(spriteDC, craftBitmap);
}

// The lines stand 16 apart and each box is the font's cell, so a caption is one white block.
// A heading, "  LEVEL n  ", shows two blank widths of white before the L.
TEST_F(GraphicsResourcesTest, CaptionLinesAreBoxesAsWideAsTheirText) {
    ASSERT_NE(captionFont, nullptr) << TTF_GetError();
    EXPECT_EQ(TTF_FontHeight(captionFont), kCaptionLineHeight);
    int blanks = 0;
    ASSERT_EQ(TTF_SizeText(captionFont, "  ", &blanks, nullptr), 0);
    ASSERT_GT(blanks, 0);
    for (int row = 0; row < kCaptionCount; ++row) {
        for (int index = 0; index < kCaptionLineCount; ++index) {
            const char* text = kCaptionTexts[row][index];
            SCOPED_TRACE(std::string("\"") + text + "\"");
            const SDL_Surface* line = captionLines[row][index];
            ASSERT_EQ(line == nullptr, text[0] == '\0');
            if (line == nullptr) {
                continue;
            }
            int width = 0;
            ASSERT_EQ(TTF_SizeText(captionFont, text, &width, nullptr), 0);
            EXPECT_EQ(line->w, width);
            EXPECT_EQ(line->h, kCaptionLineHeight);
            ASSERT_EQ(line->format->format, kBackBufferFormat);
            if (index == 0 && row < 6) {
                int ink = line->w;  // the first column with anything but white
                for (int y = 0; y < line->h; ++y) {
                    for (int x = 0; x < ink; ++x) {
                        ink = rgbAt(line, x, y) == kWhite ? ink : x;
                    }
                }
                EXPECT_GE(ink, blanks);
                EXPECT_LE(ink, blanks + 2);
            }
        }
    }
}

}  // namespace
}  // namespace zephlet
