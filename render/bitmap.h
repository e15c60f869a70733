// Plain 32-bit pictures and the three ways a frame draws with them: a white
// fill, an opaque copy and a 32 x 32 copy that lets white through. The same
// code composes the frame on every platform, so every platform shows the
// same pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zephlet {

// The layout is the build's choice. By default 0x00RRGGBB, the layout of a
// 32-bit top-down DIB and of SDL's XRGB8888. The page composes in its
// canvas's byte order instead, R, G, B, 0xFF in memory (0xFFBBGGRR on its
// little-endian machine), so that a frame reaches the canvas as it is.
#ifndef ZEPHLET_PIXEL_BYTES_RGBA
#define ZEPHLET_PIXEL_BYTES_RGBA 0
#endif
using Pixel = std::uint32_t;

struct PixelLayout {
    int redShift;
    int greenShift;
    int blueShift;
    Pixel opaque;  // the alpha byte, where the layout has one
};
inline constexpr PixelLayout kPixelLayout =
    ZEPHLET_PIXEL_BYTES_RGBA ? PixelLayout{0, 8, 16, 0xFF000000u} : PixelLayout{16, 8, 0, 0};

constexpr Pixel makePixel(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return kPixelLayout.opaque | (red & 0xFFu) << kPixelLayout.redShift |
           (green & 0xFFu) << kPixelLayout.greenShift | (blue & 0xFFu) << kPixelLayout.blueShift;
}
constexpr std::uint32_t pixelRed(Pixel pixel) {
    return pixel >> kPixelLayout.redShift & 0xFFu;
}
constexpr std::uint32_t pixelGreen(Pixel pixel) {
    return pixel >> kPixelLayout.greenShift & 0xFFu;
}
constexpr std::uint32_t pixelBlue(Pixel pixel) {
    return pixel >> kPixelLayout.blueShift & 0xFFu;
}

constexpr Pixel kWhite = makePixel(255, 255, 255);

struct Bitmap {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::vector<Pixel> pixels;  // rows top-down, width pixels each

    Pixel& at(std::int32_t x, std::int32_t y) {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
    Pixel at(std::int32_t x, std::int32_t y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
    const Pixel* row(std::int32_t y) const {
        return pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width);
    }
    friend bool operator==(const Bitmap&, const Bitmap&) = default;
};

Bitmap makeBitmap(std::int32_t width, std::int32_t height, Pixel fill);

// The rectangle [left, right) x [top, bottom), clipped to the target.
void fillRect(Bitmap& target, std::int32_t left, std::int32_t top, std::int32_t right,
              std::int32_t bottom, Pixel colour);

// The whole source to (x, y), opaque, clipped to the target.
void copyOpaque(Bitmap& target, std::int32_t x, std::int32_t y, const Bitmap& source);

// The whole source to (x, y), clipped, leaving the target unchanged wherever
// the source is exactly white.
void copyKeyedOnWhite(Bitmap& target, std::int32_t x, std::int32_t y, const Bitmap& source);

// A 24-bit uncompressed picture, as a BMP file or as the packed DIB a
// resource section holds (the same without its 14-byte file header), rows
// bottom-up or top-down. Nothing for anything else or for bytes that do not
// hold the whole picture.
std::optional<Bitmap> decodeDib(std::span<const unsigned char> bytes);

}  // namespace zephlet
