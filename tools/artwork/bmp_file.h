// 24-bit uncompressed BMP files, the format the game's artwork is kept in, and the
// Windows icon file made from one of them.
#pragma once

#include <compare>
#include <cstdint>
#include <span>
#include <vector>

namespace zephlet {

struct Rgb {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    friend auto operator<=>(const Rgb&, const Rgb&) = default;
};

// Pixels row by row from the top-left corner, y growing downwards.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;

    Picture() = default;
    Picture(int w, int h, Rgb fill);
    Rgb& at(int x, int y) { return pixels[static_cast<size_t>(y * width + x)]; }
    const Rgb& at(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
    friend bool operator==(const Picture&, const Picture&) = default;
};

// BITMAPFILEHEADER + BITMAPINFOHEADER, rows bottom-up, each padded to four bytes.
std::vector<uint8_t> encodeBmp(const Picture& picture);

// A .ico file of one 32 x 32 image in the standard 16 colours (4 bits per pixel) with its mask:
// white is transparent, every other pixel takes the nearest of the 16 colours.
std::vector<uint8_t> encodeIcon(const Picture& picture);

}  // namespace zephlet
