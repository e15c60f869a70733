#include "tools/artwork/artwork_drawing.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace zephlet {

namespace {

struct Point {
    int x;
    int y;
};

// Curves are traced in sixteenths of a pixel.
constexpr int kSub = 16;

// Pixels whose centre lies within `radius` sixteenths of the quadratic curve from `from` to `to`
// bent towards `bend` (all three given as pixel centres).
std::vector<Point> curvePixels(Point from, Point bend, Point to, int radius, int width,
                               int height) {
    constexpr int kSteps = 64;
    std::vector<Point> samples;
    int minX = width;
    int maxX = 0;
    int minY = height;
    int maxY = 0;
    for (int i = 0; i <= kSteps; ++i) {
        const int a = (kSteps - i) * (kSteps - i);
        const int b = 2 * i * (kSteps - i);
        const int c = i * i;
        auto coordinate = [&](int p0, int p1, int p2) {
            return ((a * p0 + b * p1 + c * p2) * kSub + kSteps * kSteps / 2) / (kSteps * kSteps) +
                   kSub / 2;
        };
        const Point s{coordinate(from.x, bend.x, to.x), coordinate(from.y, bend.y, to.y)};
        samples.push_back(s);
        minX = std::min(minX, (s.x - radius) / kSub);
        maxX = std::max(maxX, (s.x + radius) / kSub);
        minY = std::min(minY, (s.y - radius) / kSub);
        maxY = std::max(maxY, (s.y + radius) / kSub);
    }
    std::vector<Point> pixels;
    for (int y = std::max(minY, 0); y <= std::min(maxY, height - 1); ++y) {
        for (int x = std::max(minX, 0); x <= std::min(maxX, width - 1); ++x) {
            const int cx = x * kSub + kSub / 2;
            const int cy = y * kSub + kSub / 2;
            const bool near = std::ranges::any_of(samples, [&](Point s) {
                return (s.x - cx) * (s.x - cx) + (s.y - cy) * (s.y - cy) <= radius * radius;
            });
            if (near) {
                pixels.push_back({x, y});
            }
        }
    }
    return pixels;
}

// Pixels whose centre lies inside the polygon (even-odd rule); vertices sit on pixel corners.
std::vector<Point> polygonPixels(std::span<const Point> corners, int width, int height) {
    std::vector<Point> pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Doubled coordinates put pixel centres on odd and corners on even numbers, so a
            // scan line never runs through a vertex.
            const int px = 2 * x + 1;
            const int py = 2 * y + 1;
            bool inside = false;
            for (size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
                const int ax = 2 * corners[j].x;
                const int ay = 2 * corners[j].y;
                const int bx = 2 * corners[i].x;
                const int by = 2 * corners[i].y;
                if ((ay > py) != (by > py)) {
                    const int lhs = (px - ax) * (by - ay);
                    const int rhs = (py - ay) * (bx - ax);
                    if (by > ay ? lhs < rhs : lhs > rhs) {
                        inside = !inside;
                    }
                }
            }
            if (inside) {
                pixels.push_back({x, y});
            }
        }
    }
    return pixels;
}

void paint(Picture& picture, std::span<const Point> pixels, Rgb colour) {
    for (const Point p : pixels) {
        picture.at(p.x, p.y) = colour;
    }
}

// Small integer hash; the artwork must not depend on any library's random numbers.
uint32_t hash(uint32_t x, uint32_t y, uint32_t seed) {
    uint32_t h = x * 0x8da6b343u ^ y * 0xd8163841u ^ seed * 0xcb1ab31fu;
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    h *= 0x297a2d39u;
    h ^= h >> 15;
    return h;
}

// ---- Craft ----

// The arrowhead widens from its point (row 0, column 16) to columns 6-25 in row 24; the wings
// sweep on to columns 0-1 and 30-31 in row 31 around a notch whose apex is columns 15-17 of
// row 25.
constexpr int kBodyLastRow = 24;

bool isCraftBody(int x, int y) {
    if (y <= kBodyLastRow) {
        const int left = 16 - (y * 10 + 12) / 24;
        const int right = 16 + (y * 9 + 12) / 24;
        return x >= left && x <= right;
    }
    const int outerLeft = 6 - ((y - 24) * 6 + 3) / 7;
    const int outerRight = 25 + ((y - 24) * 6 + 3) / 7;
    const int notchLeft = 15 - ((y - 25) * 13 + 3) / 6;
    const int notchRight = 17 + ((y - 25) * 12 + 3) / 6;
    return (x >= outerLeft && x < notchLeft) || (x > notchRight && x <= outerRight);
}

// The yellow inverted V: apex columns 15-16 in rows 11-12, arms down to columns 11 and 20 in
// row 22.
bool isCraftStripe(int x, int y) {
    if (y < 11 || y > 22) {
        return false;
    }
    const int spread = ((y - 11) * 4 + 5) / 11;
    return x == 15 - spread || x == 16 + spread;
}

// ---- Obstacles ----

enum class ObstaclePart : uint8_t { Clear, Body, Cross, Dot };

// How far each corner of the disc is cut in from the side, from the outermost row inwards.
constexpr std::array<int, 6> kTopLeftCut{8, 5, 3, 2, 1, 1};
constexpr std::array<int, 6> kTopRightCut{6, 4, 3, 2, 1, 1};
constexpr std::array<int, 8> kBottomLeftCut{6, 4, 3, 2, 2, 1, 1, 1};
constexpr std::array<int, 8> kBottomRightCut{10, 7, 5, 4, 3, 2, 1, 1};  // cut deepest

// Top-left corners of the 4 x 4 rim dots: top, left, right, bottom.
constexpr std::array<Point, 4> kRimDots{{{14, 3}, {1, 12}, {25, 16}, {11, 26}}};

std::vector<ObstaclePart> obstacleShape() {
    std::vector<ObstaclePart> shape(kSpriteSize * kSpriteSize, ObstaclePart::Clear);
    auto at = [&](int x, int y) -> ObstaclePart& {
        return shape[static_cast<size_t>(y * kSpriteSize + x)];
    };
    for (int y = 0; y < kSpriteSize; ++y) {
        int left = 0;
        int right = kSpriteSize - 1;
        if (y < static_cast<int>(kTopLeftCut.size())) {
            left = kTopLeftCut[static_cast<size_t>(y)];
            right -= kTopRightCut[static_cast<size_t>(y)];
        }
        const int fromBottom = kSpriteSize - 1 - y;
        if (fromBottom < static_cast<int>(kBottomLeftCut.size())) {
            left = kBottomLeftCut[static_cast<size_t>(fromBottom)];
            right -= kBottomRightCut[static_cast<size_t>(fromBottom)];
        }
        for (int x = left; x <= right; ++x) {
            at(x, y) = ObstaclePart::Body;
        }
    }
    // Both bars bow upwards, so they cross a little above the centre.
    constexpr int kBarRadius = 36;  // bars 4 to 5 pixels thick
    for (const Point p :
         curvePixels({6, 6}, {17, 10}, {25, 25}, kBarRadius, kSpriteSize, kSpriteSize)) {
        at(p.x, p.y) = ObstaclePart::Cross;
    }
    for (const Point p :
         curvePixels({25, 6}, {14, 10}, {6, 25}, kBarRadius, kSpriteSize, kSpriteSize)) {
        at(p.x, p.y) = ObstaclePart::Cross;
    }
    for (const Point corner : kRimDots) {
        for (int dy = 0; dy < 4; ++dy) {
            for (int dx = 0; dx < 4; ++dx) {
                const bool cutCorner = (dx == 0 || dx == 3) && (dy == 0 || dy == 3);
                if (!cutCorner) {
                    at(corner.x + dx, corner.y + dy) = ObstaclePart::Dot;
                }
            }
        }
    }
    return shape;
}

Picture drawObstacle(Rgb body, Rgb cross) {
    const std::vector<ObstaclePart> shape = obstacleShape();
    Picture picture(kSpriteSize, kSpriteSize, kWhite);
    for (size_t i = 0; i < shape.size(); ++i) {
        switch (shape[i]) {
            case ObstaclePart::Clear:
                break;
            case ObstaclePart::Body:
                picture.pixels[i] = body;
                break;
            case ObstaclePart::Cross:
                picture.pixels[i] = cross;
                break;
            case ObstaclePart::Dot:
                picture.pixels[i] = kBlack;
                break;
        }
    }
    return picture;
}

// ---- Crashed craft ----

// The burst's jagged outline (red rim) and its yellow core, as polygons on pixel corners.
constexpr std::array<Point, 28> kBurstOutline{{
    {16, 0},  {18, 0},  {19, 3},  {23, 2},  {23, 6},  {31, 5},  {31, 7},
    {26, 10}, {29, 13}, {26, 15}, {31, 20}, {24, 20}, {24, 24}, {20, 23},
    {18, 27}, {16, 24}, {14, 27}, {12, 23}, {7, 23},  {7, 19},  {1, 18},
    {5, 14},  {3, 11},  {7, 9},   {4, 4},   {9, 5},   {10, 1},  {14, 4},
}};
constexpr std::array<Point, 22> kBurstCore{{
    {19, 3},  {20, 7},  {23, 7},  {22, 11}, {26, 12}, {23, 14}, {24, 17}, {21, 18},
    {22, 22}, {18, 20}, {16, 24}, {14, 20}, {11, 21}, {11, 18}, {7, 18},  {9, 15},
    {8, 13},  {10, 11}, {8, 7},   {12, 8},  {13, 4},  {16, 7},
}};

// Thin red trails falling from the burst through the notch to the bottom edge.
struct Trail {
    Point top;
    Point bottom;
};
constexpr std::array<Trail, 2> kTrails{{{{15, 25}, {11, 31}}, {{17, 25}, {21, 31}}}};

// ---- Ground ----

// One yellow stroke: a curve from `from` to `to` bent towards `bend`.
struct Stroke {
    Point from;
    Point bend;
    Point to;
};

// 2.4 pixels either side of the curve: strokes come out 4 to 5 pixels thick.
constexpr int kStrokeRadius = 38;

// Alternately in the left half (x 12-47) and the right half (x 47-99), one about every 41 rows,
// clear of rows 0-10 and 790-799 so that stacked strips never cut a stroke.
constexpr std::array<Stroke, 19> kGroundStrokes{{
    {{14, 33}, {24, 11}, {44, 17}},    {{52, 60}, {74, 82}, {96, 66}},
    {{16, 97}, {20, 123}, {44, 119}},  {{58, 160}, {70, 134}, {95, 140}},
    {{17, 176}, {42, 178}, {42, 206}}, {{50, 239}, {72, 217}, {94, 237}},
    {{18, 288}, {22, 260}, {45, 262}}, {{56, 306}, {64, 334}, {92, 328}},
    {{14, 354}, {30, 380}, {44, 350}}, {{55, 413}, {80, 407}, {88, 388}},
    {{16, 430}, {26, 460}, {44, 454}}, {{52, 478}, {76, 502}, {96, 478}},
    {{15, 535}, {28, 507}, {44, 523}}, {{56, 556}, {62, 584}, {92, 578}},
    {{16, 622}, {40, 620}, {42, 596}}, {{55, 639}, {82, 638}, {91, 661}},
    {{16, 682}, {24, 710}, {46, 702}}, {{56, 744}, {70, 717}, {94, 729}},
    {{15, 769}, {34, 797}, {44, 769}},
}};

constexpr int kBrightSharePercent = 36;  // of all pixels, yellow included

// Value noise on a lattice of `cell` pixels that wraps around both sides of the strip, so
// the last row continues into the first exactly as any row continues into the next.
int latticeNoise(int x, int y, int cell, uint32_t seed) {
    const int columns = kGroundWidth / cell;
    const int rows = kGroundHeight / cell;
    const int ix = x / cell;
    const int iy = y / cell;
    const int fx = x % cell;
    const int fy = y % cell;
    auto corner = [&](int cx, int cy) {
        return static_cast<int>(
            hash(static_cast<uint32_t>(cx % columns), static_cast<uint32_t>(cy % rows), seed) &
            255u);
    };
    const int top = corner(ix, iy) * (cell - fx) + corner(ix + 1, iy) * fx;
    const int bottom = corner(ix, iy + 1) * (cell - fx) + corner(ix + 1, iy + 1) * fx;
    return (top * (cell - fy) + bottom * fy) / (cell * cell);
}

}  // namespace

Picture drawCraft() {
    Picture picture(kSpriteSize, kSpriteSize, kWhite);
    for (int y = 0; y < kSpriteSize; ++y) {
        for (int x = 0; x < kSpriteSize; ++x) {
            if (isCraftStripe(x, y)) {
                picture.at(x, y) = kYellow;
            } else if (isCraftBody(x, y)) {
                picture.at(x, y) = kBlack;
            }
        }
    }
    return picture;
}

Picture drawIcon() {
    return drawCraft();
}

Picture drawPlainObstacle() {
    return drawObstacle(kRed, kViolet);
}
Picture drawBlueObstacle() {
    return drawObstacle(kBlue, kYellow);
}
Picture drawGreenObstacle() {
    return drawObstacle(kDarkGreen, kOrange);
}

Picture drawCrashedCraft() {
    Picture picture(kSpriteSize, kSpriteSize, kWhite);
    paint(picture, polygonPixels(kBurstOutline, kSpriteSize, kSpriteSize), kRed);
    paint(picture, polygonPixels(kBurstCore, kSpriteSize, kSpriteSize), kYellow);
    // Debris: lone black specks, only where yellow surrounds them on all eight sides.
    for (int y = 1; y < kSpriteSize - 1; ++y) {
        for (int x = 1; x < kSpriteSize - 1; ++x) {
            bool surrounded = true;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    surrounded = surrounded && picture.at(x + dx, y + dy) == kYellow;
                }
            }
            if (surrounded &&
                hash(static_cast<uint32_t>(x), static_cast<uint32_t>(y), 7) % 5 == 0) {
                picture.at(x, y) = kBlack;
            }
        }
    }
    for (int y = kBodyLastRow + 1; y < kSpriteSize; ++y) {
        for (int x = 0; x < kSpriteSize; ++x) {
            if (isCraftBody(x, y)) {
                picture.at(x, y) = kBlack;
            }
        }
    }
    for (const Trail& trail : kTrails) {
        const int rows = trail.bottom.y - trail.top.y;
        for (int y = trail.top.y; y <= trail.bottom.y; ++y) {
            const int x =
                trail.top.x +
                ((y - trail.top.y) * (trail.bottom.x - trail.top.x) * 2 + rows) / (2 * rows);
            picture.at(x, y) = kRed;
        }
    }
    return picture;
}

Picture drawGround() {
    Picture picture(kGroundWidth, kGroundHeight, kDarkGreen);
    std::vector<bool> yellow(picture.pixels.size(), false);
    for (const Stroke& s : kGroundStrokes) {
        for (const Point p :
             curvePixels(s.from, s.bend, s.to, kStrokeRadius, kGroundWidth, kGroundHeight)) {
            yellow[static_cast<size_t>(p.y * kGroundWidth + p.x)] = true;
        }
    }
    // Clusters from coarse noise, roughened by finer noise and a per-pixel speck.
    std::vector<int> speckle(picture.pixels.size());
    for (int y = 0; y < kGroundHeight; ++y) {
        for (int x = 0; x < kGroundWidth; ++x) {
            speckle[static_cast<size_t>(y * kGroundWidth + x)] =
                4 * latticeNoise(x, y, 20, 1) + 3 * latticeNoise(x, y, 10, 2) +
                2 * latticeNoise(x, y, 5, 3) +
                2 * static_cast<int>(hash(static_cast<uint32_t>(x), static_cast<uint32_t>(y), 4) &
                                     255u);
        }
    }
    // The threshold that turns the wanted share of all pixels bright, counted on the grass alone.
    std::vector<int> grass;
    for (size_t i = 0; i < speckle.size(); ++i) {
        if (!yellow[i]) {
            grass.push_back(speckle[i]);
        }
    }
    const size_t brightCount = picture.pixels.size() * kBrightSharePercent / 100;
    std::ranges::nth_element(grass, grass.end() - static_cast<std::ptrdiff_t>(brightCount));
    const int threshold = grass[grass.size() - brightCount];
    for (size_t i = 0; i < picture.pixels.size(); ++i) {
        if (yellow[i]) {
            picture.pixels[i] = kYellow;
        } else if (speckle[i] >= threshold) {
            picture.pixels[i] = kBrightGreen;
        }
    }
    return picture;
}

std::span<const ArtworkFile> artworkFiles() {
    static constexpr std::array<ArtworkFile, 7> kFiles{{
        {"craft.bmp", drawCraft},
        {"plain_obstacle.bmp", drawPlainObstacle},
        {"blue_obstacle.bmp", drawBlueObstacle},
        {"green_obstacle.bmp", drawGreenObstacle},
        {"crashed_craft.bmp", drawCrashedCraft},
        {"ground.bmp", drawGround},
        {"icon.bmp", drawIcon},
    }};
    return kFiles;
}

}  // namespace zephlet
