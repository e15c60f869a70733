// The artwork by the resource numbers the program has always used. Where the
// bytes come from is the platform's business: the executable's resource
// section on Windows, compiled-in files elsewhere.
#pragma once

#include <span>

namespace zephlet {

enum BitmapResource : int {
    kCraftResource = 102,
    kPlainObstacleResource = 104,
    kBlueObstacleResource = 105,
    kGreenObstacleResource = 106,
    kCrashedCraftResource = 107,
    kBackgroundResource = 108,
};

// A BMP file or a packed DIB; empty if the program carries no such bitmap.
std::span<const unsigned char> bitmapResource(int number);

}  // namespace zephlet
