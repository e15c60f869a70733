// The renderer's pictures as the frame relies on them: the three copies with
// their clipping and white key, the decoding of the artwork in both of the
// forms the platforms carry it, the resources' sizes and colours, the
// caption sheet against the font, and a release that leaves nothing.
#include "render/graphics_resources.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "render/level_captions.h"

namespace zephlet {
namespace {

constexpr Pixel kGreen = 0x008000;
constexpr Pixel kNearWhite = 0xFEFFFF;

// A 4 x 3 target of green, after one operation, as rows of characters:
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

TEST(BitmapTest, CopiesAndFillAreClippedAndTheKeyIsPureWhiteOnly) {
    Bitmap source = makeBitmap(2, 2, kWhite);  // a white column beside a near-white one
    source.at(1, 0) = source.at(1, 1) = kNearWhite;
    const Bitmap opaque = makeBitmap(2, 2, 1);
    const struct {
        const char* name;
        void (*draw)(Bitmap&, const Bitmap&, const Bitmap&);
        const char* expected;
    } cases[] = {
        {"fill, clipped",
         [](Bitmap& t, const Bitmap&, const Bitmap&) { fillRect(t, -1, 1, 2, 9, kWhite); },
         "gggg|wwgg|wwgg"},
        {"opaque copy past the top left",
         [](Bitmap& t, const Bitmap&, const Bitmap& o) { copyOpaque(t, -1, -1, o); },
         "oggg|gggg|gggg"},
        {"opaque copy past the bottom right",
         [](Bitmap& t, const Bitmap&, const Bitmap& o) { copyOpaque(t, 3, 2, o); },
         "gggg|gggg|gggo"},
        {"keyed copy",
         [](Bitmap& t, const Bitmap& s, const Bitmap&) { copyKeyedOnWhite(t, 1, 1, s); },
         "gggg|ggng|ggng"},
        {"keyed copy past the right",
         [](Bitmap& t, const Bitmap& s, const Bitmap&) { copyKeyedOnWhite(t, 3, 0, s); },
         "gggg|gggg|gggg"},
        {"wholly outside",
         [](Bitmap& t, const Bitmap&, const Bitmap& o) { copyOpaque(t, 4, -2, o); },
         "gggg|gggg|gggg"},
    };
    for (const auto& c : cases) {
        Bitmap target = makeBitmap(4, 3, kGreen);
        c.draw(target, source, opaque);
        EXPECT_EQ(rows(target), c.expected) << c.name;
    }
}

// A 3 x 2 picture as a BMP file, bottom-up rows padded to four bytes.
std::vector<unsigned char> bmpFile(int height = 2, int bits = 24) {
    std::vector<unsigned char> bytes{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0,
                                     3,   0,   0, 0, 0, 0, 0, 0, 1, 0, 0,  0, 0, 0, 0,  0, 0, 0,
                                     0,   0,   0, 0, 0, 0, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0};
    bytes[22] = static_cast<unsigned char>(height);
    bytes[25] = height < 0 ? 0xFF : 0;
    bytes[23] = bytes[24] = bytes[25];
    bytes[28] = static_cast<unsigned char>(bits);
    // Blue, green, red per pixel: the bottom row red, green, blue.
    const std::vector<unsigned char> bottom{0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0};
    const std::vector<unsigned char> top{255, 255, 255, 1, 2, 3, 0, 0, 0, 0, 0, 0};
    for (const auto* row : height > 0 ? std::vector{&bottom, &top} : std::vector{&top, &bottom}) {
        bytes.insert(bytes.end(), row->begin(), row->end());
    }
    return bytes;
}

TEST(BitmapTest, DecodesBmpFilesAndPackedDibsAndRefusesTheRest) {
    const Bitmap expected{3, 2, {kWhite, 0x030201, 0x000000, 0xFF0000, 0x00FF00, 0x0000FF}};
    const std::vector<unsigned char> file = bmpFile();
    const std::vector<unsigned char> packed(file.begin() + 14, file.end());
    std::vector<unsigned char> truncated = file;
    truncated.pop_back();
    const struct {
        const char* name;
        std::vector<unsigned char> bytes;
        bool decodes;
    } cases[] = {{"file", file, true},
                 {"packed DIB", packed, true},
                 {"top-down", bmpFile(-2), true},
                 {"truncated", truncated, false},
                 {"32 bits", bmpFile(2, 32), false},
                 {"no height", bmpFile(0), false},
                 {"empty", {}, false}};
    for (const auto& c : cases) {
        const auto decoded = decodeDib(c.bytes);
        ASSERT_EQ(decoded.has_value(), c.decodes) << c.name;
        if (c.decodes) {
            EXPECT_EQ(*decoded, expected) << c.name;
        }
    }
}

// Every test creates and releases, so the suite does both many times in one
// process: a double free or a leak across the cycle shows under the sanitizers.
class GraphicsResourcesTest : public ::testing::Test {
  protected:
    void SetUp() override { createGraphicsResources(); }
    void TearDown() override { releaseGraphicsResources(); }
};

TEST_F(GraphicsResourcesTest, ArtworkHasItsSizesAndColoursAndReleaseLeavesNothing) {
    const struct {
        const char* name;
        Bitmap* bitmap;
        int width, height;
    } bitmaps[] = {{"craft", &craftBitmap, 32, 32},
                   {"plain obstacle", &plainObstacleBitmap, 32, 32},
                   {"blue obstacle", &blueObstacleBitmap, 32, 32},
                   {"green obstacle", &greenObstacleBitmap, 32, 32},
                   {"crashed craft", &crashedCraftBitmap, 32, 32},
                   {"ground", &backgroundBitmap, 100, 800},
                   {"back buffer", &backBuffer, 800, 600}};
    for (const auto& b : bitmaps) {
        EXPECT_EQ(b.bitmap->width, b.width) << b.name;
        EXPECT_EQ(b.bitmap->height, b.height) << b.name;
    }
    EXPECT_EQ(backBufferDC, &backBuffer);
    EXPECT_EQ(spriteDC, &craftBitmap);
    EXPECT_EQ(whiteBrush, kWhite);

    std::map<Pixel, int> blue;
    for (Pixel pixel : blueObstacleBitmap.pixels) {
        ++blue[pixel];
    }
    EXPECT_GT(blue[0x0000FF], 100);
    EXPECT_GT(blue[0xFFFF00], 30);

    releaseGraphicsResources();
    for (const auto& b : bitmaps) {
        EXPECT_EQ(b.bitmap->pixels.capacity(), 0u) << b.name;
    }
    EXPECT_EQ(backBufferDC, nullptr);
    EXPECT_EQ(spriteDC, nullptr);
    EXPECT_EQ(captionLines[0][0].pixels.capacity(), 0u);
    createGraphicsResources();  // again after a release, for the fixture to release
    EXPECT_EQ(spriteDC, &craftBitmap);
}

}  // namespace
}  // namespace zephlet
