// The artwork for platforms without a resource section: the BMP files
// compiled into the program.
#include "render/bitmap_resources.h"
#include "render/embedded_files.h"

namespace zephlet {

std::span<const unsigned char> bitmapResource(int number) {
    switch (number) {
        case kCraftResource:
            return craftBmp().bytes();
        case kPlainObstacleResource:
            return plainObstacleBmp().bytes();
        case kBlueObstacleResource:
            return blueObstacleBmp().bytes();
        case kGreenObstacleResource:
            return greenObstacleBmp().bytes();
        case kCrashedCraftResource:
            return crashedCraftBmp().bytes();
        case kBackgroundResource:
            return groundBmp().bytes();
        default:
            return {};
    }
}

}  // namespace zephlet
