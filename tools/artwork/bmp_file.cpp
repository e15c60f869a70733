#include "tools/artwork/bmp_file.h"

namespace zephlet {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderSize = 40;
constexpr size_t kPixelOffset = kFileHeaderSize + kInfoHeaderSize;
constexpr uint32_t kPixelsPerMetre = 2835;  // 72 dpi

size_t rowStride(int width) {
    return (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
}

void putLe(std::vector<uint8_t>& out, uint32_t value, int byteCount) {
    for (int i = 0; i < byteCount; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

}  // namespace

Picture::Picture(int w, int h, Rgb fill)
    : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h), fill) {}

std::vector<uint8_t> encodeBmp(const Picture& picture) {
    const size_t stride = rowStride(picture.width);
    const auto imageSize = static_cast<uint32_t>(stride * static_cast<size_t>(picture.height));
    std::vector<uint8_t> out;
    out.reserve(kPixelOffset + imageSize);
    out.push_back('B');
    out.push_back('M');
    putLe(out, static_cast<uint32_t>(kPixelOffset) + imageSize, 4);
    putLe(out, 0, 4);  // reserved
    putLe(out, static_cast<uint32_t>(kPixelOffset), 4);
    putLe(out, static_cast<uint32_t>(kInfoHeaderSize), 4);
    putLe(out, static_cast<uint32_t>(picture.width), 4);
    putLe(out, static_cast<uint32_t>(picture.height), 4);  // positive: bottom-up rows
    putLe(out, 1, 2);                                      // planes
    putLe(out, 24, 2);                                     // bits per pixel
    putLe(out, 0, 4);                                      // BI_RGB, uncompressed
    putLe(out, imageSize, 4);
    putLe(out, kPixelsPerMetre, 4);
    putLe(out, kPixelsPerMetre, 4);
    putLe(out, 0, 4);  // colours used
    putLe(out, 0, 4);  // important colours
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            const Rgb& c = picture.at(x, y);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
        }
        out.resize(out.size() + stride - static_cast<size_t>(picture.width) * 3, 0);
    }
    return out;
}

std::vector<uint8_t> encodeIcon(const Picture& picture) {
    // The 16 colours every display of the icon's era could show, in their standard order.
    constexpr Rgb kPalette[16] = {
        {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
        {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
        {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
        {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
    };
    constexpr int kSide = 32;
    constexpr uint32_t kColourRowBytes = kSide / 2;  // two pixels a byte
    constexpr uint32_t kMaskRowBytes = kSide / 8;    // already a multiple of four
    constexpr uint32_t kImageSize =
        static_cast<uint32_t>(kInfoHeaderSize) + 16 * 4 + (kColourRowBytes + kMaskRowBytes) * kSide;
    constexpr uint32_t kImageOffset = 6 + 16;  // after the directory and its one entry
    auto nearest = [&](Rgb c) {
        uint8_t best = 0;
        int bestDistance = 1 << 30;
        for (uint8_t i = 0; i < 16; ++i) {
            const int dr = c.r - kPalette[i].r, dg = c.g - kPalette[i].g, db = c.b - kPalette[i].b;
            if (const int d = dr * dr + dg * dg + db * db; d < bestDistance) {
                best = i;
                bestDistance = d;
            }
        }
        return best;
    };
    const Rgb kTransparent{255, 255, 255};
    std::vector<uint8_t> out;
    putLe(out, 0, 2);  // reserved
    putLe(out, 1, 2);  // an icon, not a cursor
    putLe(out, 1, 2);  // one image
    out.insert(out.end(), {kSide, kSide, 16, 0});
    putLe(out, 1, 2);  // planes
    putLe(out, 4, 2);  // bits per pixel
    putLe(out, kImageSize, 4);
    putLe(out, kImageOffset, 4);
    putLe(out, static_cast<uint32_t>(kInfoHeaderSize), 4);
    putLe(out, kSide, 4);
    putLe(out, 2 * kSide, 4);  // the colour image and the mask, one above the other
    putLe(out, 1, 2);
    putLe(out, 4, 2);
    putLe(out, 0, 4);  // BI_RGB
    putLe(out, (kColourRowBytes + kMaskRowBytes) * kSide, 4);
    putLe(out, 0, 4);
    putLe(out, 0, 4);
    putLe(out, 16, 4);
    putLe(out, 0, 4);
    for (const Rgb& c : kPalette) {
        out.insert(out.end(), {c.b, c.g, c.r, 0});
    }
    // Transparent pixels are black in the colour image and set in the mask, so the screen shows
    // through unchanged.
    for (int y = kSide - 1; y >= 0; --y) {
        for (int x = 0; x < kSide; x += 2) {
            auto index = [&](int at) {
                const Rgb c = picture.at(at, y);
                return c == kTransparent ? uint8_t{0} : nearest(c);
            };
            out.push_back(static_cast<uint8_t>(index(x) << 4 | index(x + 1)));
        }
    }
    for (int y = kSide - 1; y >= 0; --y) {
        uint32_t bits = 0;
        for (int x = 0; x < kSide; ++x) {
            bits |= static_cast<uint32_t>(picture.at(x, y) == kTransparent) << (31 - x);
        }
        for (int shift = 24; shift >= 0; shift -= 8) {
            out.push_back(static_cast<uint8_t>(bits >> shift));
        }
    }
    return out;
}

}  // namespace zephlet
