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

// 0x00RRGGBB, the layout of a 32-bit top-down DIB and of SDL's XRGB8888.
using Pixel = std::uint32_t;

constexpr Pixel makePixel(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
    return (red & 0xFFu) << 16 | (green & 0xFFu) << 8 | (blue & 0xFFu);
}
constexpr std::uint32_t pixelRed(Pixel pixel) {
    return pixel >> 16 & 0xFFu;
}
constexpr std::uint32_t pixelGreen(Pixel pixel) {
    return pixel >> 8 & 0xFFu;
}
constexpr std::uint32_t pixelBlue(Pixel pixel) {
    return pixel & 0xFFu;
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
