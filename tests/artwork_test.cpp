// Holds the committed artwork against its description: sizes, colours, the white that the sprite
// copy skips, the landmarks of each picture, and the bytes the drawing program writes today.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <ranges>
#include <set>
#include <string>
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

Picture loadResource(std::string_view name) {
    const std::optional<Picture> picture = decodeBmp(readResource(name));
    if (!picture) {
        ADD_FAILURE() << name << " is missing or not a 24-bit uncompressed BMP";
        return Picture(1, 1, kWhite);
    }
    return *picture;
}

struct Pixel {
    int x;
    int y;
};

// 8-connected regions of pixels for which `member` holds, in scan order of their first pixel.
template <typename Member>
std::vector<std::vector<Pixel>> components(const Picture& picture, Member member) {
    std::vector<bool> seen(picture.pixels.size(), false);
    std::vector<std::vector<Pixel>> found;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (seen[static_cast<size_t>(y * picture.width + x)] || !member(x, y)) {
                continue;
            }
            std::vector<Pixel> region{{x, y}};
            seen[static_cast<size_t>(y * picture.width + x)] = true;
            for (size_t i = 0; i < region.size(); ++i) {
                for (int dy = -1; dy <= 1; ++dy) {
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = region[i].x + dx;
                        const int ny = region[i].y + dy;
                        if (nx < 0 || ny < 0 || nx >= picture.width || ny >= picture.height) {
                            continue;
                        }
                        const auto index = static_cast<size_t>(ny * picture.width + nx);
                        if (!seen[index] && member(nx, ny)) {
                            seen[index] = true;
                            region.push_back({nx, ny});
                        }
                    }
                }
            }
            found.push_back(std::move(region));
        }
    }
    return found;
}

std::vector<int> columnsWhere(const Picture& picture, int y, auto member) {
    std::vector<int> columns;
    for (int x = 0; x < picture.width; ++x) {
        if (member(picture.at(x, y))) {
            columns.push_back(x);
        }
    }
    return columns;
}

std::vector<int> range(int first, int last) {
    std::vector<int> values;
    for (int v = first; v <= last; ++v) {
        values.push_back(v);
    }
    return values;
}

bool isWhite(Rgb c) {
    return c == kWhite;
}
bool isVisible(Rgb c) {
    return c != kWhite;
}

// A band 4 to 5 pixels thick: each of its pixels lies in some solid 3 x 3 block of it, and no
// solid 6 x 6 block fits anywhere, whatever the band's direction.
void expectBandThickness(const Picture& picture, const std::vector<Pixel>& band, Rgb colour) {
    auto solid = [&](int left, int top, int size) {
        for (int y = top; y < top + size; ++y) {
            for (int x = left; x < left + size; ++x) {
                if (x < 0 || y < 0 || x >= picture.width || y >= picture.height ||
                    picture.at(x, y) != colour) {
                    return false;
                }
            }
        }
        return true;
    };
    for (const Pixel p : band) {
        bool covered = false;
        for (int dy = -2; dy <= 0 && !covered; ++dy) {
            for (int dx = -2; dx <= 0 && !covered; ++dx) {
                covered = solid(p.x + dx, p.y + dy, 3);
            }
        }
        EXPECT_TRUE(covered) << "thinner than 3 pixels at " << p.x << "," << p.y;
        EXPECT_FALSE(solid(p.x, p.y, 6)) << "thicker than 5 pixels at " << p.x << "," << p.y;
    }
}

// ---- Every file ----

struct FileCase {
    std::string_view name;
    int width;
    int height;
    std::set<Rgb> colours;
};

void PrintTo(const FileCase& c, std::ostream* os) {
    *os << c.name;
}

const FileCase kFileCases[] = {
    {"craft.bmp", 32, 32, {kWhite, kBlack, kYellow}},
    {"plain_obstacle.bmp", 32, 32, {kWhite, kBlack, kRed, kViolet}},
    {"blue_obstacle.bmp", 32, 32, {kWhite, kBlack, kBlue, kYellow}},
    {"green_obstacle.bmp", 32, 32, {kWhite, kBlack, kDarkGreen, kOrange}},
    {"crashed_craft.bmp", 32, 32, {kWhite, kBlack, kRed, kYellow}},
    {"ground.bmp", 100, 800, {kDarkGreen, kBrightGreen, kYellow}},
    {"icon.bmp", 32, 32, {kWhite, kBlack, kYellow}},
};

class ArtworkFileTest : public testing::TestWithParam<FileCase> {};

TEST_P(ArtworkFileTest, HasItsSizeAndExactlyItsColours) {
    const Picture picture = loadResource(GetParam().name);
    EXPECT_EQ(picture.width, GetParam().width);
    EXPECT_EQ(picture.height, GetParam().height);
    const std::set<Rgb> used(picture.pixels.begin(), picture.pixels.end());
    EXPECT_EQ(used, GetParam().colours);
}

TEST_P(ArtworkFileTest, IsWhatTheDrawingProgramWritesNow) {
    const auto file = std::ranges::find(artworkFiles(), GetParam().name, &ArtworkFile::fileName);
    ASSERT_NE(file, artworkFiles().end());
    EXPECT_TRUE(readResource(GetParam().name) == encodeBmp(file->draw()))
        << "regenerate resources/ with zephlet-draw-artwork";
}

class ArtworkSpriteTest : public testing::TestWithParam<std::string_view> {};

TEST_P(ArtworkSpriteTest, WhiteIsOnlyTheSurround) {
    const Picture picture = loadResource(GetParam());
    // White reached from the edges through white is the surround; any other white would be a
    // hole punched into a shape.
    const auto white = components(picture, [&](int x, int y) { return isWhite(picture.at(x, y)); });
    ASSERT_FALSE(white.empty());
    for (const auto& region : white) {
        const bool touchesEdge = std::ranges::any_of(region, [](Pixel p) {
            return p.x == 0 || p.y == 0 || p.x == kSpriteSize - 1 || p.y == kSpriteSize - 1;
        });
        EXPECT_TRUE(touchesEdge) << "enclosed white at " << region[0].x << "," << region[0].y;
    }
}

std::string fileLabel(std::string_view name) {
    return std::string(name.substr(0, name.find('.')));
}

INSTANTIATE_TEST_SUITE_P(Artwork, ArtworkFileTest, testing::ValuesIn(kFileCases),
                         [](const auto& param) { return fileLabel(param.param.name); });
INSTANTIATE_TEST_SUITE_P(Artwork, ArtworkSpriteTest,
                         testing::Values("craft.bmp", "plain_obstacle.bmp", "blue_obstacle.bmp",
                                         "green_obstacle.bmp", "crashed_craft.bmp", "icon.bmp"),
                         [](const auto& param) { return fileLabel(param.param); });

// ---- Craft and icon ----

TEST(ArtworkCraft, ArrowheadWidensSteadilyFromItsPointToRow24) {
    const Picture craft = loadResource("craft.bmp");
    EXPECT_EQ(columnsWhere(craft, 0, isVisible), std::vector<int>{16});
    EXPECT_EQ(columnsWhere(craft, 24, isVisible), range(6, 25));
    std::vector<int> previous{16};
    for (int y = 1; y <= 24; ++y) {
        const std::vector<int> row = columnsWhere(craft, y, isVisible);
        ASSERT_EQ(row, range(row.front(), row.back())) << "row " << y << " has a gap";
        EXPECT_TRUE(row.front() <= previous.front() && row.front() >= previous.front() - 1);
        EXPECT_TRUE(row.back() >= previous.back() && row.back() <= previous.back() + 1);
        previous = row;
    }
}

TEST(ArtworkCraft, WingTipsReachTheBottomCornersAroundTheNotch) {
    const Picture craft = loadResource("craft.bmp");
    std::vector<int> row25 = range(5, 26);
    std::erase_if(row25, [](int x) { return x >= 15 && x <= 17; });
    EXPECT_EQ(columnsWhere(craft, 25, isVisible), row25);
    EXPECT_EQ(columnsWhere(craft, 31, isVisible), (std::vector<int>{0, 1, 30, 31}));
    // Below row 25 each row shows two wings, and the notch between them only widens.
    int notchLeft = 15;
    int notchRight = 17;
    for (int y = 26; y < kSpriteSize; ++y) {
        const std::vector<int> row = columnsWhere(craft, y, isVisible);
        const auto gap = std::ranges::adjacent_find(row, [](int a, int b) { return b != a + 1; });
        ASSERT_NE(gap, row.end()) << "no notch in row " << y;
        const std::vector<int> left(row.begin(), gap + 1);
        const std::vector<int> right(gap + 1, row.end());
        EXPECT_EQ(left, range(left.front(), left.back())) << "row " << y;
        EXPECT_EQ(right, range(right.front(), right.back())) << "row " << y;
        EXPECT_LE(left.back() + 1, notchLeft) << "row " << y;
        EXPECT_GE(right.front() - 1, notchRight) << "row " << y;
        notchLeft = left.back() + 1;
        notchRight = right.front() - 1;
    }
    for (int y = 25; y < kSpriteSize; ++y) {
        EXPECT_EQ(columnsWhere(craft, y, [](Rgb c) { return c == kYellow; }), std::vector<int>{});
    }
}

TEST(ArtworkCraft, YellowInvertedVRunsFromRows11And12DownToRow22) {
    const Picture craft = loadResource("craft.bmp");
    auto yellowIn = [&](int y) {
        return columnsWhere(craft, y, [](Rgb c) { return c == kYellow; });
    };
    EXPECT_EQ(yellowIn(11), (std::vector<int>{15, 16}));
    EXPECT_EQ(yellowIn(12), (std::vector<int>{15, 16}));
    EXPECT_EQ(yellowIn(22), (std::vector<int>{11, 20}));
    for (int y = 0; y < kSpriteSize; ++y) {
        const std::vector<int> row = yellowIn(y);
        if (y < 11 || y > 22) {
            EXPECT_TRUE(row.empty()) << "row " << y;
            continue;
        }
        ASSERT_EQ(row.size(), 2u) << "row " << y;
        EXPECT_EQ(row[0] + row[1], 31) << "the V is not mirrored in row " << y;
        if (y > 11) {
            EXPECT_TRUE(row[0] == yellowIn(y - 1)[0] || row[0] == yellowIn(y - 1)[0] - 1)
                << "the arm breaks in row " << y;
        }
        for (const int x : row) {
            for (const auto& [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}}) {
                EXPECT_EQ(craft.at(x + dx, y + dy) == kWhite, false) << "V leaves the body";
            }
        }
    }
}

TEST(ArtworkCraft, IconShowsTheCraftAlone) {
    EXPECT_EQ(loadResource("icon.bmp"), loadResource("craft.bmp"));
}

// ---- Obstacles ----

// What each pixel of an obstacle is, whatever its colours: 0 clear, 1 body, 2 cross, 3 dot.
std::vector<int> obstacleParts(const Picture& picture, Rgb body, Rgb cross) {
    std::vector<int> parts;
    for (const Rgb c : picture.pixels) {
        parts.push_back(c == kWhite ? 0 : c == body ? 1 : c == cross ? 2 : c == kBlack ? 3 : -1);
    }
    return parts;
}

std::vector<int> plainObstacleParts() {
    return obstacleParts(loadResource("plain_obstacle.bmp"), kRed, kViolet);
}

TEST(ArtworkObstacle, ThreeColouringsOfOneShape) {
    const std::vector<int> plain = plainObstacleParts();
    EXPECT_EQ(obstacleParts(loadResource("blue_obstacle.bmp"), kBlue, kYellow), plain);
    EXPECT_EQ(obstacleParts(loadResource("green_obstacle.bmp"), kDarkGreen, kOrange), plain);
}

TEST(ArtworkObstacle, DiscFillsTheCellButFourCorners) {
    const Picture disc = loadResource("plain_obstacle.bmp");
    EXPECT_EQ(columnsWhere(disc, 0, isVisible), range(8, 25));
    EXPECT_EQ(columnsWhere(disc, 31, isVisible), range(6, 21));
    for (int y = 0; y < kSpriteSize; ++y) {
        const std::vector<int> row = columnsWhere(disc, y, isVisible);
        EXPECT_EQ(row, range(row.front(), row.back())) << "row " << y << " has a gap";
        if (y >= 6 && y <= 23) {
            EXPECT_EQ(row, range(0, 31)) << "row " << y;
        }
    }
    auto whiteIn = [&](int left, int top) {
        return std::ranges::count_if(disc.pixels.begin(), disc.pixels.end(), [&](const Rgb& c) {
            const auto i = static_cast<int>(&c - disc.pixels.data());
            const int x = i % kSpriteSize;
            const int y = i / kSpriteSize;
            return isWhite(c) && x >= left && x < left + 16 && y >= top && y < top + 16;
        });
    };
    const auto lowerRight = whiteIn(16, 16);
    EXPECT_GT(lowerRight, whiteIn(0, 0));
    EXPECT_GT(lowerRight, whiteIn(16, 0));
    EXPECT_GT(lowerRight, whiteIn(0, 16));
}

TEST(ArtworkObstacle, FourRimDotsWithCutCorners) {
    const std::vector<int> parts = plainObstacleParts();
    auto part = [&](int x, int y) { return parts[static_cast<size_t>(y * kSpriteSize + x)]; };
    const std::array<Pixel, 4> dots{{{14, 3}, {1, 12}, {25, 16}, {11, 26}}};
    for (const Pixel dot : dots) {
        for (int dy = 0; dy < 4; ++dy) {
            for (int dx = 0; dx < 4; ++dx) {
                const bool corner = (dx == 0 || dx == 3) && (dy == 0 || dy == 3);
                EXPECT_EQ(part(dot.x + dx, dot.y + dy) == 3, !corner)
                    << "dot at " << dot.x << "," << dot.y << " offset " << dx << "," << dy;
            }
        }
    }
    EXPECT_EQ(std::ranges::count(parts, 3), 4 * 12) << "black outside the four dots";
}

TEST(ArtworkObstacle, CrossOfTwoBarsMeetsALittleAboveTheCentre) {
    const Picture disc = loadResource("plain_obstacle.bmp");
    const auto cross = components(disc, [&](int x, int y) { return disc.at(x, y) == kViolet; });
    ASSERT_EQ(cross.size(), 1u);
    // Rows where the two bars have merged into one run of cross colour.
    std::vector<int> mergedRows;
    for (int y = 0; y < kSpriteSize; ++y) {
        const std::vector<int> row = columnsWhere(disc, y, [](Rgb c) { return c == kViolet; });
        if (!row.empty() && row == range(row.front(), row.back())) {
            mergedRows.push_back(y);
        }
    }
    ASSERT_FALSE(mergedRows.empty());
    const int crossingRow = (mergedRows.front() + mergedRows.back()) / 2;
    EXPECT_GE(crossingRow, 10);
    EXPECT_LT(crossingRow, 15);
    // Away from where they meet, the bars fall apart into four arms, each a band.
    const auto arms = components(disc, [&](int x, int y) {
        return disc.at(x, y) == kViolet && (std::abs(x - 16) > 5 || std::abs(y - crossingRow) > 5);
    });
    EXPECT_EQ(arms.size(), 4u);
    for (const auto& arm : arms) {
        expectBandThickness(disc, arm, kViolet);
    }
    // The arms reach out towards all four diagonal rims.
    for (const auto& [x, y] : {std::pair{6, 6}, {25, 6}, {6, 24}, {24, 24}}) {
        EXPECT_EQ(disc.at(x, y), kViolet) << x << "," << y;
    }
    for (const Pixel p : cross[0]) {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                EXPECT_NE(disc.at(p.x + dx, p.y + dy), kWhite) << "cross touches the rim";
            }
        }
    }
}

// ---- Crashed craft ----

TEST(ArtworkCrash, WingTipsOfTheCraftStillShow) {
    const Picture craft = loadResource("craft.bmp");
    const Picture crash = loadResource("crashed_craft.bmp");
    for (int y = 25; y < kSpriteSize; ++y) {
        for (int x = 0; x < kSpriteSize; ++x) {
            EXPECT_EQ(crash.at(x, y) == kBlack, craft.at(x, y) == kBlack) << x << "," << y;
        }
    }
}

TEST(ArtworkCrash, JaggedBurstWithSpeckledCoreFillsMostOfTheCell) {
    const Picture crash = loadResource("crashed_craft.bmp");
    int top = kSpriteSize, bottom = 0, left = kSpriteSize, right = 0, area = 0;
    for (int y = 0; y <= 26; ++y) {
        for (int x = 0; x < kSpriteSize; ++x) {
            const Rgb c = crash.at(x, y);
            if (c == kRed || c == kYellow || (c == kBlack && y < 25)) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                left = std::min(left, x);
                right = std::max(right, x);
                ++area;
            }
        }
    }
    EXPECT_EQ(top, 0);
    EXPECT_EQ(bottom, 26);
    EXPECT_EQ(left, 1);
    EXPECT_EQ(right, 30);
    EXPECT_GT(area, 27 * 30 / 2);
    int specks = 0;
    for (int y = 1; y < kSpriteSize - 1; ++y) {
        for (int x = 1; x < kSpriteSize - 1; ++x) {
            const Rgb c = crash.at(x, y);
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    const Rgb n = crash.at(x + dx, y + dy);
                    if (c == kYellow) {
                        EXPECT_NE(n, kWhite) << "core outside the red rim at " << x << "," << y;
                    }
                    if (c == kBlack && y < 25 && (dx != 0 || dy != 0)) {
                        EXPECT_EQ(n, kYellow)
                            << "speck not single in the core at " << x << "," << y;
                    }
                }
            }
            specks += c == kBlack && y < 25 ? 1 : 0;
        }
    }
    EXPECT_GE(specks, 5);
    // Spikes: unlike a round burst, many rows and columns meet the burst more than once.
    int jaggedRows = 0;
    int jaggedColumns = 0;
    for (int y = 0; y <= 24; ++y) {
        const std::vector<int> row = columnsWhere(crash, y, isVisible);
        jaggedRows += row != range(row.front(), row.back()) ? 1 : 0;
    }
    for (int x = 0; x < kSpriteSize; ++x) {
        int runs = 0;
        for (int y = 0; y <= 24; ++y) {
            runs += isVisible(crash.at(x, y)) && (y == 0 || isWhite(crash.at(x, y - 1))) ? 1 : 0;
        }
        jaggedColumns += runs > 1 ? 1 : 0;
    }
    EXPECT_GE(jaggedRows, 6);
    EXPECT_GE(jaggedColumns, 6);
}

TEST(ArtworkCrash, TwoThinRedTrailsRunDownBetweenTheWingTips) {
    const Picture crash = loadResource("crashed_craft.bmp");
    for (int y = 27; y < kSpriteSize; ++y) {
        const std::vector<int> red = columnsWhere(crash, y, [](Rgb c) { return c == kRed; });
        ASSERT_EQ(red.size(), 2u) << "row " << y;
        EXPECT_GT(red[1] - red[0], 1) << "trails touch in row " << y;
        const std::vector<int> black = columnsWhere(crash, y, [](Rgb c) { return c == kBlack; });
        for (const int x : red) {
            // Between the wings: black on both sides further out.
            EXPECT_TRUE(std::ranges::any_of(black, [x](int b) { return b < x; }));
            EXPECT_TRUE(std::ranges::any_of(black, [x](int b) { return b > x; }));
        }
    }
    // Each trail hangs from the burst.
    const auto red = components(crash, [&](int x, int y) { return crash.at(x, y) == kRed; });
    EXPECT_EQ(red.size(), 1u);
}

// ---- Ground strip ----

class ArtworkGround : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        ground_ = new Picture(loadResource("ground.bmp"));
        strokes_ = new std::vector<std::vector<Pixel>>(
            components(*ground_, [](int x, int y) { return ground_->at(x, y) == kYellow; }));
    }
    static void TearDownTestSuite() {
        delete ground_;
        delete strokes_;
    }
    static const Picture& ground() { return *ground_; }
    static const std::vector<std::vector<Pixel>>& strokes() { return *strokes_; }

  private:
    static inline Picture* ground_ = nullptr;
    static inline std::vector<std::vector<Pixel>>* strokes_ = nullptr;
};

TEST_F(ArtworkGround, ColourSharesAreAsDescribed) {
    struct Share {
        Rgb colour;
        double percent;
        double tolerance;
    };
    for (const Share share : {Share{kDarkGreen, 58, 2}, {kBrightGreen, 36, 2}, {kYellow, 6, 1}}) {
        const auto count = std::ranges::count(ground().pixels, share.colour);
        EXPECT_NEAR(
            100.0 * static_cast<double>(count) / static_cast<double>(ground().pixels.size()),
            share.percent, share.tolerance);
    }
}

TEST_F(ArtworkGround, NineteenStrokesAlternateBetweenTheHalves) {
    ASSERT_EQ(strokes().size(), 19u);
    int previousCentre = 0;
    for (size_t i = 0; i < strokes().size(); ++i) {
        const auto& stroke = strokes()[i];
        const auto [minX, maxX] = std::ranges::minmax(stroke | std::views::transform(&Pixel::x));
        const auto [minY, maxY] = std::ranges::minmax(stroke | std::views::transform(&Pixel::y));
        SCOPED_TRACE("stroke " + std::to_string(i) + " at row " + std::to_string(minY));
        if (i % 2 == 0) {
            EXPECT_GE(minX, 10);
            EXPECT_LE(maxX, 48);
        } else {
            EXPECT_GE(minX, 46);
        }
        EXPECT_GT(minY, 10);
        EXPECT_LT(maxY, 790);
        const int centre = (minY + maxY) / 2;
        if (i > 0) {
            EXPECT_GE(centre - previousCentre, 30);
            EXPECT_LE(centre - previousCentre, 50);
        }
        previousCentre = centre;
        // Length between the two pixels farthest apart, counting both.
        Pixel end1 = stroke[0];
        Pixel end2 = stroke[0];
        auto squared = [](Pixel a, Pixel b) {
            return (a.x - b.x) * (a.x - b.x) + (a.y - b.y) * (a.y - b.y);
        };
        for (const Pixel a : stroke) {
            for (const Pixel b : stroke) {
                if (squared(a, b) > squared(end1, end2)) {
                    end1 = a;
                    end2 = b;
                }
            }
        }
        EXPECT_GE(squared(end1, end2), 19 * 19);
        EXPECT_LE(squared(end1, end2), 49 * 49);
        expectBandThickness(ground(), stroke, kYellow);
        // Curved: some of it strays further from the line between its ends than half a straight
        // band's thickness would.
        const double chord = std::sqrt(static_cast<double>(squared(end1, end2)));
        double stray = 0;
        for (const Pixel p : stroke) {
            const int cross =
                (end2.x - end1.x) * (p.y - end1.y) - (end2.y - end1.y) * (p.x - end1.x);
            stray = std::max(stray, std::abs(cross) / chord);
        }
        EXPECT_GE(stray, 5.0);
    }
}

TEST_F(ArtworkGround, StripJoinsItselfWithoutASeam) {
    auto mismatch = [&](int a, int b) {
        int differing = 0;
        for (int x = 0; x < kGroundWidth; ++x) {
            differing += ground().at(x, a) != ground().at(x, b) ? 1 : 0;
        }
        return differing;
    };
    std::vector<int> adjacent;
    for (int y = 0; y + 1 < kGroundHeight; ++y) {
        adjacent.push_back(mismatch(y, y + 1));
    }
    std::ranges::sort(adjacent);
    EXPECT_LE(mismatch(kGroundHeight - 1, 0), adjacent[adjacent.size() * 9 / 10]);
}

// ---- BMP files ----

TEST(ArtworkBmp, RoundTripsPaddedRows) {
    for (const int width : {1, 2, 3, 4, 5}) {
        Picture picture(width, 3, kWhite);
        for (size_t i = 0; i < picture.pixels.size(); ++i) {
            picture.pixels[i] = Rgb{static_cast<uint8_t>(i * 40), static_cast<uint8_t>(i), 7};
        }
        const std::vector<uint8_t> bytes = encodeBmp(picture);
        EXPECT_EQ(bytes.size(), 54u + static_cast<size_t>((width * 3 + 3) / 4 * 4 * 3));
        EXPECT_EQ(decodeBmp(bytes), picture) << "width " << width;
    }
}

void put32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
    for (size_t i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

TEST(ArtworkBmp, ReadsTopDownRows) {
    Picture picture(2, 2, kWhite);
    picture.at(0, 0) = kRed;
    std::vector<uint8_t> bytes = encodeBmp(picture);
    put32(bytes, 22, static_cast<uint32_t>(-2));
    const std::optional<Picture> flipped = decodeBmp(bytes);
    ASSERT_TRUE(flipped);
    EXPECT_EQ(flipped->at(0, 1), kRed);
    EXPECT_EQ(flipped->at(0, 0), kWhite);
}

struct MalformedCase {
    const char* name;
    void (*spoil)(std::vector<uint8_t>&);
};

void PrintTo(const MalformedCase& c, std::ostream* os) {
    *os << c.name;
}

const MalformedCase kMalformedCases[] = {
    {"Empty", [](auto& b) { b.clear(); }},
    {"HeaderCutShort", [](auto& b) { b.resize(30); }},
    {"PixelsCutShortByOneByte", [](auto& b) { b.pop_back(); }},
    {"NotBM", [](auto& b) { b[0] = 'X'; }},
    {"EightBitsPerPixel", [](auto& b) { b[28] = 8; }},
    {"ThirtyTwoBitsPerPixel", [](auto& b) { b[28] = 32; }},
    {"RunLengthCompressed", [](auto& b) { put32(b, 30, 1); }},
    {"CoreHeaderSize", [](auto& b) { put32(b, 14, 12); }},
    {"NoPlanes", [](auto& b) { b[26] = 0; }},
    {"ZeroWidth", [](auto& b) { put32(b, 18, 0); }},
    {"NegativeWidth", [](auto& b) { put32(b, 18, static_cast<uint32_t>(-32)); }},
    {"ZeroHeight", [](auto& b) { put32(b, 22, 0); }},
    {"AbsurdWidth", [](auto& b) { put32(b, 18, 0x7fffffff); }},
    {"AbsurdHeight", [](auto& b) { put32(b, 22, 0x40000000); }},
    {"MostNegativeHeight", [](auto& b) { put32(b, 22, 0x80000000); }},
    {"TallerThanTheData", [](auto& b) { put32(b, 22, 33); }},
    {"PixelOffsetPastTheEnd", [](auto& b) { put32(b, 10, 0xffffffff); }},
    {"PixelOffsetInsideTheHeader", [](auto& b) { put32(b, 10, 20); }},
};

class ArtworkBmpMalformed : public testing::TestWithParam<MalformedCase> {};

TEST_P(ArtworkBmpMalformed, IsRejected) {
    std::vector<uint8_t> bytes = encodeBmp(Picture(32, 32, kYellow));
    ASSERT_TRUE(decodeBmp(bytes));
    GetParam().spoil(bytes);
    // An exactly sized copy lets the address sanitizer catch any read past the end.
    const std::vector<uint8_t> exact(bytes.begin(), bytes.end());
    EXPECT_FALSE(decodeBmp(exact));
}

INSTANTIATE_TEST_SUITE_P(Artwork, ArtworkBmpMalformed, testing::ValuesIn(kMalformedCases),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace zephlet
