// Holds the committed artwork against its description: sizes, colours, the white that the sprite
// copy skips, a few landmarks, and the bytes the drawing program writes today.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <ranges>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "tools/artwork/artwork_drawing.h"
#include "tools/artwork/bmp_file.h"

namespace zephlet {
namespace {

std::vector<uint8_t> readResource(std::string_view name) {
    std::ifstream in(std::string(ZEPHLET_RESOURCES_DIR) + "/" + std::string(name),
                     std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Picture load(std::string_view name) {
    // A missing or unreadable file fails every size check below.
    return decodeBmp(readResource(name)).value_or(Picture(1, 1, kWhite));
}

struct Pixel {
    int x, y;
};

// 8-connected regions of one colour, in scan order of their first pixel.
std::vector<std::vector<Pixel>> regions(const Picture& p, Rgb colour) {
    std::vector<bool> seen(p.pixels.size(), false);
    std::vector<std::vector<Pixel>> found;
    for (int start = 0; start < p.width * p.height; ++start) {
        if (seen[static_cast<size_t>(start)] || p.pixels[static_cast<size_t>(start)] != colour) {
            continue;
        }
        seen[static_cast<size_t>(start)] = true;
        std::vector<Pixel> region{{start % p.width, start / p.width}};
        for (size_t i = 0; i < region.size(); ++i) {
            for (int d = 0; d < 9; ++d) {
                const int x = region[i].x + d % 3 - 1;
                const int y = region[i].y + d / 3 - 1;
                const auto n = static_cast<size_t>(y * p.width + x);
                if (x >= 0 && y >= 0 && x < p.width && y < p.height && !seen[n] &&
                    p.pixels[n] == colour) {
                    seen[n] = true;
                    region.push_back({x, y});
                }
            }
        }
        found.push_back(std::move(region));
    }
    return found;
}

// Name, width, height and the exact set of colours.
const std::tuple<std::string_view, int, int, std::set<Rgb>> kFiles[] = {
    {"craft.bmp", 32, 32, {kWhite, kBlack, kYellow}},
    {"plain_obstacle.bmp", 32, 32, {kWhite, kBlack, kRed, kViolet}},
    {"blue_obstacle.bmp", 32, 32, {kWhite, kBlack, kBlue, kYellow}},
    {"green_obstacle.bmp", 32, 32, {kWhite, kBlack, kDarkGreen, kOrange}},
    {"crashed_craft.bmp", 32, 32, {kWhite, kBlack, kRed, kYellow}},
    {"ground.bmp", 100, 800, {kDarkGreen, kBrightGreen, kYellow}},
    {"icon.bmp", 32, 32, {kWhite, kBlack, kYellow}},
};

TEST(Artwork, EveryFileHasItsSizeColoursSurroundAndTheDrawnBytes) {
    for (const auto& [name, width, height, colours] : kFiles) {
        SCOPED_TRACE(name);
        const Picture picture = load(name);
        EXPECT_EQ(picture.width, width);
        EXPECT_EQ(picture.height, height);
        EXPECT_EQ(std::set<Rgb>(picture.pixels.begin(), picture.pixels.end()), colours);
        const auto file = std::ranges::find(artworkFiles(), name, &ArtworkFile::fileName);
        ASSERT_NE(file, artworkFiles().end());
        EXPECT_TRUE(readResource(name) == encodeBmp(file->draw()))
            << "regenerate resources/ with zephlet-draw-artwork";
        // White reached from the edges through white is the surround; any other white would be
        // a hole punched into a shape, and the sprite copy would let the ground through it.
        auto onEdge = [&](Pixel p) { return p.x % (width - 1) == 0 || p.y % (height - 1) == 0; };
        for (const auto& white : regions(picture, kWhite)) {
            EXPECT_TRUE(std::ranges::any_of(white, onEdge))
                << "enclosed white at " << white[0].x << "," << white[0].y;
        }
    }
}

TEST(Artwork, CraftPointsUpFromColumn16AndIsTheIcon) {
    const Picture craft = load("craft.bmp");
    for (int x = 0; x < kSpriteSize; ++x) {
        EXPECT_EQ(craft.at(x, 0) != kWhite, x == 16) << "the point, column " << x;
        EXPECT_EQ(craft.at(x, 24) != kWhite, x >= 6 && x <= 25) << "20 wide, column " << x;
    }
    EXPECT_EQ(load("icon.bmp"), craft);
    EXPECT_TRUE(readResource("zephlet.ico") == encodeIcon(drawIcon())) << "regenerate resources/";
}

TEST(Artwork, ThreeObstaclesAreColouringsOfOneShape) {
    // What each pixel is, whatever the colours: 0 clear, 1 body, 2 cross, 3 dot.
    auto parts = [](std::string_view name, Rgb body, Rgb cross) {
        std::vector<int> out;
        for (const Rgb c : load(name).pixels) {
            out.push_back(c == kWhite ? 0 : c == body ? 1 : c == cross ? 2 : c == kBlack ? 3 : -1);
        }
        return out;
    };
    const std::vector<int> plain = parts("plain_obstacle.bmp", kRed, kViolet);
    EXPECT_EQ(parts("blue_obstacle.bmp", kBlue, kYellow), plain);
    EXPECT_EQ(parts("green_obstacle.bmp", kDarkGreen, kOrange), plain);
}

TEST(Artwork, GroundStripIsAsDescribed) {
    const Picture ground = load("ground.bmp");
    for (const auto& [colour, percent, tolerance] :
         {std::tuple{kDarkGreen, 58.0, 2.0}, {kBrightGreen, 36.0, 2.0}, {kYellow, 6.0, 1.0}}) {
        const auto count = std::ranges::count(ground.pixels, colour);
        EXPECT_NEAR(100.0 * static_cast<double>(count) / static_cast<double>(ground.pixels.size()),
                    percent, tolerance);
    }
    const auto strokes = regions(ground, kYellow);
    ASSERT_EQ(strokes.size(), 19u);
    for (size_t i = 0; i < strokes.size(); ++i) {
        const auto [left, right] = std::ranges::minmax(strokes[i], {}, &Pixel::x);
        const auto [top, bottom] = std::ranges::minmax(strokes[i], {}, &Pixel::y);
        SCOPED_TRACE("stroke " + std::to_string(i) + " at row " + std::to_string(top.y));
        EXPECT_TRUE(i % 2 == 0 ? left.x >= 10 && right.x <= 48 : left.x >= 46) << "wrong half";
        EXPECT_TRUE(top.y > 10 && bottom.y < 790) << "in an end band";
    }
    // The strip scrolls round: row 799 meets row 0 no worse than most neighbouring rows meet.
    std::vector<int> differing(kGroundHeight, 0);  // from each row to the next, 799 to 0
    for (int y = 0; y < kGroundHeight; ++y) {
        for (int x = 0; x < kGroundWidth; ++x) {
            differing[static_cast<size_t>(y)] +=
                ground.at(x, y) != ground.at(x, (y + 1) % kGroundHeight);
        }
    }
    const int seam = differing.back();
    std::ranges::sort(differing);
    EXPECT_LE(seam, differing[differing.size() * 9 / 10]);
}

void put32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

TEST(ArtworkBmp, MalformedFilesAreRejected) {
    const std::pair<const char*, void (*)(std::vector<uint8_t>&)> cases[] = {
        {"empty", [](auto& b) { b.clear(); }},
        {"header cut short", [](auto& b) { b.resize(30); }},
        {"pixels cut short by one byte", [](auto& b) { b.pop_back(); }},
        {"not BM", [](auto& b) { b[0] = 'X'; }},
        {"32 bits per pixel", [](auto& b) { b[28] = 32; }},
        {"run-length compressed", [](auto& b) { put32(b, 30, 1); }},
        {"core header size", [](auto& b) { put32(b, 14, 12); }},
        {"zero width", [](auto& b) { put32(b, 18, 0); }},
        {"negative width", [](auto& b) { put32(b, 18, static_cast<uint32_t>(-32)); }},
        {"zero height", [](auto& b) { put32(b, 22, 0); }},
        {"absurd width", [](auto& b) { put32(b, 18, 0x7fffffff); }},
        {"most negative height", [](auto& b) { put32(b, 22, 0x80000000); }},
        {"pixel offset past the end", [](auto& b) { put32(b, 10, 0xffffffff); }},
        {"pixel offset inside the header", [](auto& b) { put32(b, 10, 20); }},
    };
    for (const auto& [name, spoil] : cases) {
        SCOPED_TRACE(name);
        std::vector<uint8_t> bytes = encodeBmp(Picture(32, 32, kYellow));
        ASSERT_TRUE(decodeBmp(bytes));
        spoil(bytes);
        // An exactly sized copy lets the address sanitizer catch any read past the end.
        const std::vector<uint8_t> exact(bytes.begin(), bytes.end());
        EXPECT_FALSE(decodeBmp(exact));
    }
}

}  // namespace
}  // namespace zephlet
