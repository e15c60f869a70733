// The renderer's pictures as the frame relies on them: the three copies with
// their clipping and white key, and the decoding of the artwork in both of
// the forms the platforms carry it.
#include "render/graphics_resources.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace zephlet {
namespace {

constexpr Pixel kGreen = makePixel(0, 128, 0);
constexpr Pixel kNearWhite = makePixel(254, 255, 255);

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
    // Which copy ('f' the white fill, 'o' opaque, 'k' keyed), to where.
    const struct {
        const char* name;
        char copy;
        int x, y;
        const char* expected;
    } cases[] = {
        {"fill, clipped", 'f', -1, 1, "gggg|wwgg|wwgg"},
        {"opaque copy past the top left", 'o', -1, -1, "oggg|gggg|gggg"},
        {"opaque copy past the bottom right", 'o', 3, 2, "gggg|gggg|gggo"},
        {"keyed copy", 'k', 1, 1, "gggg|ggng|ggng"},
        {"keyed copy past the right", 'k', 3, 0, "gggg|gggg|gggg"},
        {"wholly outside", 'o', 4, -2, "gggg|gggg|gggg"},
    };
    for (const auto& c : cases) {
        Bitmap target = makeBitmap(4, 3, kGreen);
        if (c.copy == 'f') {
            fillRect(target, c.x, c.y, c.x + 3, c.y + 8, kWhite);
        } else {
            (c.copy == 'o' ? copyOpaque : copyKeyedOnWhite)(target, c.x, c.y,
                                                            c.copy == 'o' ? opaque : source);
        }
        EXPECT_EQ(rows(target), c.expected) << c.name;
    }
}

void put32(std::vector<unsigned char>& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

// A 3 x 2 picture as a BMP file, rows padded to four bytes: bottom-up, or
// top-down for a negative height.
std::vector<unsigned char> bmpFile(int height = 2) {
    std::vector<unsigned char> bytes(54, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(bytes, 10, 54);
    put32(bytes, 14, 40);
    put32(bytes, 18, 3);
    put32(bytes, 22, static_cast<std::uint32_t>(height));
    bytes[26] = 1;
    bytes[28] = 24;
    // Blue, green, red per pixel: the top row white, (3, 2, 1), black.
    const std::vector<unsigned char> bottom{0, 0, 255, 0, 255, 0, 255, 0, 0, 0, 0, 0};
    const std::vector<unsigned char> top{255, 255, 255, 1, 2, 3, 0, 0, 0, 0, 0, 0};
    for (const auto* row : height > 0 ? std::vector{&bottom, &top} : std::vector{&top, &bottom}) {
        bytes.insert(bytes.end(), row->begin(), row->end());
    }
    return bytes;
}

TEST(BitmapTest, DecodesBmpFilesAndPackedDibsInEitherRowOrder) {
    const Bitmap expected{3,
                          2,
                          {kWhite, makePixel(3, 2, 1), makePixel(0, 0, 0), makePixel(255, 0, 0),
                           makePixel(0, 255, 0), makePixel(0, 0, 255)}};
    const std::vector<unsigned char> file = bmpFile();
    EXPECT_EQ(decodeDib(file), expected);
    EXPECT_EQ(decodeDib(std::vector<unsigned char>(file.begin() + 14, file.end())), expected);
    EXPECT_EQ(decodeDib(bmpFile(-2)), expected);
}

TEST(BitmapTest, MalformedPicturesAreRefused) {
    const std::pair<const char*, void (*)(std::vector<unsigned char>&)> cases[] = {
        {"empty", [](auto& b) { b.clear(); }},
        {"pixels cut short by one byte", [](auto& b) { b.pop_back(); }},
        {"32 bits per pixel", [](auto& b) { b[28] = 32; }},
        {"run-length compressed", [](auto& b) { put32(b, 30, 1); }},
        {"core header size", [](auto& b) { put32(b, 14, 12); }},
        {"zero width", [](auto& b) { put32(b, 18, 0); }},
        {"negative width", [](auto& b) { put32(b, 18, static_cast<std::uint32_t>(-3)); }},
        {"zero height", [](auto& b) { put32(b, 22, 0); }},
        {"absurd width", [](auto& b) { put32(b, 18, 0x7fffffff); }},
        {"most negative height", [](auto& b) { put32(b, 22, 0x80000000); }},
        {"pixel offset past the end", [](auto& b) { put32(b, 10, 0xffffffff); }},
        {"pixel offset inside the header", [](auto& b) { put32(b, 10, 20); }},
    };
    for (const auto& [name, spoil] : cases) {
        std::vector<unsigned char> bytes = bmpFile();
        spoil(bytes);
        // An exactly sized copy lets the address sanitizer catch any read past the end.
        const std::vector<unsigned char> exact(bytes.begin(), bytes.end());
        EXPECT_FALSE(decodeDib(exact)) << name;
    }
}

}  // namespace
}  // namespace zephlet
