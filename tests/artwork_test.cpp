// Holds the committed artwork to the bytes the drawing program writes, and to what the game
// needs of it: sizes, colours, the white surround that the sprite copy skips, a ground that wraps.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
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

// White that cannot be reached from the edges through white (8-neighbours): a hole punched
// into a shape, through which the sprite copy would let the ground show.
long enclosedWhite(const Picture& p) {
    std::vector<bool> seen(p.pixels.size(), false);
    std::vector<std::pair<int, int>> todo;
    for (int x = 0; x < p.width; ++x) {
        for (int y = 0; y < p.height; y += (x % (p.width - 1) == 0 ? 1 : p.height - 1)) {
            todo.emplace_back(x, y);
        }
    }
    long reached = 0;
    while (!todo.empty()) {
        const auto [x, y] = todo.back();
        todo.pop_back();
        const auto i = static_cast<size_t>(y * p.width + x);
        if (x < 0 || y < 0 || x >= p.width || y >= p.height || seen[i] || p.pixels[i] != kWhite) {
            continue;
        }
        seen[i] = true;
        ++reached;
        for (int d = 0; d < 9; ++d) {
            todo.emplace_back(x + d % 3 - 1, y + d / 3 - 1);
        }
    }
    return std::ranges::count(p.pixels, kWhite) - reached;
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

TEST(Artwork, EveryFileHasTheDrawnBytesItsSizeColoursAndNoHolesAndTheIconIsTheCraft) {
    for (const auto& [name, width, height, colours] : kFiles) {
        SCOPED_TRACE(name);
        const auto file = std::ranges::find(artworkFiles(), name, &ArtworkFile::fileName);
        ASSERT_NE(file, artworkFiles().end());
        EXPECT_TRUE(readResource(name) == encodeBmp(file->draw()))
            << "regenerate resources/ with zephlet-draw-artwork";
        const Picture picture = load(name);
        EXPECT_EQ(picture.width, width);
        EXPECT_EQ(picture.height, height);
        EXPECT_EQ(std::set<Rgb>(picture.pixels.begin(), picture.pixels.end()), colours);
        EXPECT_EQ(enclosedWhite(picture), 0);
    }
    EXPECT_EQ(load("icon.bmp"), load("craft.bmp"));
    EXPECT_TRUE(readResource("zephlet.ico") == encodeIcon(drawIcon())) << "regenerate resources/";
}

// The strip scrolls round: row 799 meets row 0 no worse than most neighbouring rows meet.
TEST(Artwork, TheGroundWrapsWithoutASeam) {
    const Picture ground = load("ground.bmp");
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
