// The renderer's resources as the frame relies on them: full-colour artwork
// keyed on pure white, the back buffer and its target, the 16-pixel caption
// font and the caption lines rendered once, and a release that leaves nothing.
#include "render/graphics_resources.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>

#include "render/level_captions.h"

namespace zephlet {
namespace {

struct Rgb {
    Uint8 r;
    Uint8 g;
    Uint8 b;
    bool operator==(const Rgb&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Rgb& c) {
    return out << '(' << int{c.r} << ',' << int{c.g} << ',' << int{c.b} << ')';
}

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kDarkGreen{0, 128, 0};

// Reads one pixel of a 32-bit surface.
Rgb pixelAt(const SDL_Surface* surface, int x, int y) {
    Uint32 value = 0;
    std::memcpy(&value, static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * 4,
                sizeof value);
    Rgb c{};
    SDL_GetRGB(value, surface->format, &c.r, &c.g, &c.b);
    return c;
}

void fill(SDL_Surface* surface, Rgb c) {
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, c.r, c.g, c.b));
}

class GraphicsResourcesTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_EQ(TTF_Init(), 0) << TTF_GetError(); }
    static void TearDownTestSuite() { TTF_Quit(); }
    // Every test creates and releases once, so the suite as a whole creates
    // and releases many times in one process: a double free or a leak across
    // the cycle shows up under the sanitizers.
    void SetUp() override { createGraphicsResources(); }
    void TearDown() override { releaseGraphicsResources(); }
};

struct ArtworkCase {
    const char* name;
    SDL_Surface** surface;
    int width;
    int height;
    bool sprite;
};

const ArtworkCase kArtwork[] = {
    {"craft", &craftBitmap, kSpriteSize, kSpriteSize, true},
    {"plain obstacle", &plainObstacleBitmap, kSpriteSize, kSpriteSize, true},
    {"blue obstacle", &blueObstacleBitmap, kSpriteSize, kSpriteSize, true},
    {"green obstacle", &greenObstacleBitmap, kSpriteSize, kSpriteSize, true},
    {"crashed craft", &crashedCraftBitmap, kSpriteSize, kSpriteSize, true},
    {"ground", &backgroundBitmap, kGroundWidth, kGroundHeightPixels, false},
    {"back buffer", &backBuffer, kBackBufferWidth, kBackBufferHeight, false},
};

TEST_F(GraphicsResourcesTest, SurfacesHaveTheirSizesFullColourAndWhiteKeyOnSpritesOnly) {
    for (const ArtworkCase& c : kArtwork) {
        SCOPED_TRACE(c.name);
        const SDL_Surface* surface = *c.surface;
        ASSERT_NE(surface, nullptr);
        EXPECT_EQ(surface->w, c.width);
        EXPECT_EQ(surface->h, c.height);
        EXPECT_EQ(surface->format->format, kBackBufferFormat);
        EXPECT_FALSE(SDL_ISPIXELFORMAT_INDEXED(surface->format->format));
        EXPECT_GE(surface->format->BitsPerPixel, 24);

        Uint32 key = 0;
        const bool keyed = SDL_GetColorKey(*c.surface, &key) == 0;
        EXPECT_EQ(keyed, c.sprite);
        if (keyed) {
            EXPECT_EQ(key, SDL_MapRGB(surface->format, 255, 255, 255));
        }
        SDL_BlendMode mode{};
        SDL_GetSurfaceBlendMode(*c.surface, &mode);
        EXPECT_EQ(mode, SDL_BLENDMODE_NONE);
    }
}

TEST_F(GraphicsResourcesTest, TargetHoldsBackBufferAndSourceHoldsCraft) {
    EXPECT_EQ(backBufferDC, backBuffer);
    EXPECT_EQ(spriteDC, craftBitmap);
    EXPECT_EQ(whiteBrush.r, 255);
    EXPECT_EQ(whiteBrush.g, 255);
    EXPECT_EQ(whiteBrush.b, 255);
}

// The copy skips exactly white: a near-white pixel is part of the picture.
TEST_F(GraphicsResourcesTest, KeyedCopySkipsPureWhiteOnly) {
    struct Quadrant {
        Rgb source;
        bool skipped;
    };
    const Quadrant quadrants[4] = {
        {kWhite, true},
        {{254, 255, 255}, false},
        {{255, 255, 254}, false},
        {{0, 0, 0}, false},
    };
    // As SDL_LoadBMP gives it: 24 bits per pixel.
    SDL_Surface* picture =
        SDL_CreateRGBSurfaceWithFormat(0, kSpriteSize, kSpriteSize, 24, SDL_PIXELFORMAT_BGR24);
    ASSERT_NE(picture, nullptr);
    const int half = kSpriteSize / 2;
    for (int q = 0; q < 4; ++q) {
        SDL_Rect area{(q % 2) * half, (q / 2) * half, half, half};
        const Rgb c = quadrants[q].source;
        SDL_FillRect(picture, &area, SDL_MapRGB(picture->format, c.r, c.g, c.b));
    }

    for (const bool sprite : {true, false}) {
        SCOPED_TRACE(sprite ? "sprite" : "opaque");
        SDL_Surface* artwork = convertArtwork(picture, sprite);
        ASSERT_NE(artwork, nullptr);
        fill(backBuffer, kDarkGreen);
        SDL_Rect at{40, 50, kSpriteSize, kSpriteSize};
        ASSERT_EQ(SDL_BlitSurface(artwork, nullptr, backBuffer, &at), 0);
        for (int q = 0; q < 4; ++q) {
            SCOPED_TRACE(q);
            const Quadrant& quadrant = quadrants[q];
            const Rgb expected = sprite && quadrant.skipped ? kDarkGreen : quadrant.source;
            for (int y = 0; y < half; ++y) {
                for (int x = 0; x < half; ++x) {
                    ASSERT_EQ(
                        pixelAt(backBuffer, at.x + (q % 2) * half + x, at.y + (q / 2) * half + y),
                        expected);
                }
            }
        }
        // Nothing outside the 32 x 32 cell.
        EXPECT_EQ(pixelAt(backBuffer, at.x - 1, at.y), kDarkGreen);
        EXPECT_EQ(pixelAt(backBuffer, at.x + kSpriteSize, at.y + kSpriteSize), kDarkGreen);
        SDL_FreeSurface(artwork);
    }
    SDL_FreeSurface(picture);
    EXPECT_EQ(convertArtwork(nullptr, true), nullptr);
}

TEST_F(GraphicsResourcesTest, BlueObstacleKeepsBlueAndYellowInTheBackBuffer) {
    fill(backBuffer, kDarkGreen);
    SDL_Rect at{35, 200, kSpriteSize, kSpriteSize};
    ASSERT_EQ(SDL_BlitSurface(blueObstacleBitmap, nullptr, backBuffer, &at), 0);
    int blue = 0;
    int yellow = 0;
    int white = 0;
    for (int y = 0; y < kSpriteSize; ++y) {
        for (int x = 0; x < kSpriteSize; ++x) {
            const Rgb c = pixelAt(backBuffer, at.x + x, at.y + y);
            blue += c == Rgb{0, 0, 255};
            yellow += c == Rgb{255, 255, 0};
            white += c == kWhite;
        }
    }
    EXPECT_GT(blue, 100);
    EXPECT_GT(yellow, 30);
    EXPECT_EQ(white, 0) << "the white surround must let the ground through";
    EXPECT_EQ(pixelAt(backBuffer, at.x, at.y), kDarkGreen) << "a cut corner";
}

TEST_F(GraphicsResourcesTest, GroundIsCopiedOpaque) {
    fill(backBuffer, kWhite);
    SDL_Rect source{0, 0, kGroundWidth, kBackBufferHeight};
    SDL_Rect at{150, 0, kGroundWidth, kBackBufferHeight};
    ASSERT_EQ(SDL_BlitSurface(backgroundBitmap, &source, backBuffer, &at), 0);
    for (int y = 0; y < kBackBufferHeight; ++y) {
        for (int x = 0; x < kGroundWidth; ++x) {
            ASSERT_EQ(pixelAt(backBuffer, at.x + x, y), pixelAt(backgroundBitmap, x, y));
        }
    }
}

TEST_F(GraphicsResourcesTest, ReleaseLeavesNothingAndIsSafeToRepeat) {
    releaseGraphicsResources();
    for (const ArtworkCase& c : kArtwork) {
        EXPECT_EQ(*c.surface, nullptr) << c.name;
    }
    EXPECT_EQ(backBufferDC, nullptr);
    EXPECT_EQ(spriteDC, nullptr);
    EXPECT_EQ(captionFont, nullptr);
    for (const auto& row : captionLines) {
        for (const SDL_Surface* line : row) {
            EXPECT_EQ(line, nullptr);
        }
    }
    // The fixture releases once more: harmless on nothing.
    releaseGraphicsResources();
    createGraphicsResources();
    EXPECT_NE(backBuffer, nullptr);
    EXPECT_EQ(spriteDC, craftBitmap);
}

// The box of one line is the font's cell, and the lines stand 16 apart: the
// two must agree for the caption to be one unbroken white block.
TEST_F(GraphicsResourcesTest, CaptionFontCellIsTheLinePitch) {
    ASSERT_NE(captionFont, nullptr) << TTF_GetError();
    EXPECT_EQ(TTF_FontHeight(captionFont), kCaptionLineHeight);
}

bool columnIsWhite(const SDL_Surface* line, int x) {
    for (int y = 0; y < line->h; ++y) {
        if (pixelAt(line, x, y) != kWhite) {
            return false;
        }
    }
    return true;
}

TEST_F(GraphicsResourcesTest, CaptionLinesAreBlackTextOnWhiteBoxesAsWideAsTheText) {
    for (int row = 0; row < kCaptionCount; ++row) {
        for (int index = 0; index < kCaptionLineCount; ++index) {
            const char* text = kCaptionTexts[row][index];
            SCOPED_TRACE(std::string("\"") + text + "\"");
            const SDL_Surface* line = captionLines[row][index];
            if (text[0] == '\0') {
                EXPECT_EQ(line, nullptr);
                continue;
            }
            ASSERT_NE(line, nullptr);
            int width = 0;
            int height = 0;
            ASSERT_EQ(TTF_SizeText(captionFont, text, &width, &height), 0);
            EXPECT_EQ(line->w, width);
            EXPECT_EQ(line->h, kCaptionLineHeight);
            EXPECT_EQ(line->format->format, kBackBufferFormat);

            int white = 0;
            int dark = 0;
            for (int y = 0; y < line->h; ++y) {
                for (int x = 0; x < line->w; ++x) {
                    const Rgb c = pixelAt(line, x, y);
                    ASSERT_TRUE(c.r == c.g && c.g == c.b) << c << " at " << x << "," << y;
                    white += c == kWhite;
                    dark += c.r < 64;
                }
            }
            EXPECT_GT(white, 0);
            EXPECT_GT(dark, 0);
        }
    }
}

// "  LEVEL n  ": two blank widths of white before the L and after the digit.
TEST_F(GraphicsResourcesTest, HeadingBoxesCarryTheirBlanks) {
    int blanks = 0;
    int height = 0;
    ASSERT_EQ(TTF_SizeText(captionFont, "  ", &blanks, &height), 0);
    ASSERT_GT(blanks, 0);
    for (int row = 0; row < 6; ++row) {
        SCOPED_TRACE(kCaptionTexts[row][0]);
        const SDL_Surface* line = captionLines[row][0];
        ASSERT_NE(line, nullptr);
        for (int x = 0; x < blanks; ++x) {
            EXPECT_TRUE(columnIsWhite(line, x)) << "column " << x;
            EXPECT_TRUE(columnIsWhite(line, line->w - 1 - x)) << "column " << line->w - 1 - x;
        }
        // The ink begins and ends right at the blanks, within a glyph's
        // bearing, so the box is not wider than the text either.
        int first = 0;
        while (first < line->w && columnIsWhite(line, first)) {
            ++first;
        }
        int last = line->w - 1;
        while (last >= 0 && columnIsWhite(line, last)) {
            --last;
        }
        EXPECT_LE(first, blanks + 2);
        EXPECT_GE(last, line->w - blanks - 4);
    }
}

}  // namespace
}  // namespace zephlet
