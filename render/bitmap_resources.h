// The artwork by its resource numbers. Where the bytes come from is the
// platform's business: the executable's resource section on Windows,
// compiled-in files elsewhere.
#pragma once

#include <span>

#include "render/resource_numbers.h"

namespace zephlet {

enum BitmapResource : int {
    kCraftResource = ZEPHLET_CRAFT_RESOURCE,
    kPlainObstacleResource = ZEPHLET_PLAIN_OBSTACLE_RESOURCE,
    kBlueObstacleResource = ZEPHLET_BLUE_OBSTACLE_RESOURCE,
    kGreenObstacleResource = ZEPHLET_GREEN_OBSTACLE_RESOURCE,
    kCrashedCraftResource = ZEPHLET_CRASHED_CRAFT_RESOURCE,
    kBackgroundResource = ZEPHLET_BACKGROUND_RESOURCE,
};

// A BMP file or a packed DIB; empty if the program carries no such bitmap.
std::span<const unsigned char> bitmapResource(int number);

}  // namespace zephlet
