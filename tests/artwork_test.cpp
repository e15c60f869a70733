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

// What the drawing program draws for the file: the committed bytes are held
// to its encoding, so this is what the game carries.
Picture load(std::string_view name) {
    const auto file = std::ranges::find(artworkFiles(), name, &ArtworkFile::fileName);
    return file == artworkFiles().end() ? Picture(1, 1, kWhite) : file->draw();
}

// White that cannot be reached from the edges through white (8-neighbours): a hole punched
// into a shape, through which the sprite copy would let the ground show. The reached white
// grows from the border until a pass adds none.
long enclosedWhite(const Picture& p) {
    std::vector<bool> reached(p.pixels.size(), false);
    long count = 0;
    for (long grown = 1; grown > 0; count += grown) {
        grown = 0;
        for (int i = 0; i < p.width * p.height; ++i) {
            const int x = i % p.width, y = i / p.width;
            bool open = x == 0 || y == 0 || x == p.width - 1 || y == p.height - 1;
            for (int d = 0; d < 9 && !open; ++d) {
                open = reached[size_t((y + d / 3 - 1) * p.width + x + d % 3 - 1)];
            }
            if (open && !reached[size_t(i)] && p.pixels[size_t(i)] == kWhite) {
                reached[size_t(i)] = true;
                ++grown;
            }
        }
    }
    return std::ranges::count(p.pixels, kWhite) - count;
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

// The ground's strip scrolls round: row 799 meets row 0 no worse than most
// neighbouring rows meet.
TEST(Artwork, EveryFileIsDrawnHasItsSizeAndColoursNoHolesAndTheGroundWraps) {
    for (const auto& [name, width, height, colours] : kFiles) {
        SCOPED_TRACE(name);
        const Picture picture = load(name);
        EXPECT_TRUE(readResource(name) == encodeBmp(picture))
            << "regenerate resources/ with zephlet-draw-artwork";
        EXPECT_EQ(picture.width, width);
        EXPECT_EQ(picture.height, height);
        EXPECT_EQ(std::set<Rgb>(picture.pixels.begin(), picture.pixels.end()), colours);
        EXPECT_EQ(enclosedWhite(picture), 0);
    }
    EXPECT_EQ(load("icon.bmp"), load("craft.bmp"));
    EXPECT_TRUE(readResource("zephlet.ico") == encodeIcon(drawIcon())) << "regenerate resources/";
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

}  // namespace
}  // namespace zephlet
