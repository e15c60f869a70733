// A BMP file's pixels as 0xRRGGBB values, top row first, read by the game's
// own decoder, for the probes that compare the window with the artwork.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "render/bitmap.h"

// Empty if the file is not a picture of that size.
inline std::vector<std::uint32_t> readBmpPixels(const char* path, int width, int height) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
    const auto picture = zephlet::decodeDib(bytes);
    if (!picture || picture->width != width || picture->height != height) {
        return {};
    }
    return picture->pixels;
}
