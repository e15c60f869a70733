#include "render/graphics_resources.h"

#include "render/bitmap_resources.h"
#include "render/level_captions.h"
#include "render/stereo_view.h"

namespace zephlet {

Pixel whiteBrush = 0;
Bitmap backBuffer;
Bitmap* backBufferDC = nullptr;
const Bitmap* spriteDC = nullptr;
Bitmap craftBitmap;
Bitmap plainObstacleBitmap;
Bitmap blueObstacleBitmap;
Bitmap greenObstacleBitmap;
Bitmap crashedCraftBitmap;
Bitmap backgroundBitmap;

namespace {

Bitmap loadBitmap(int number) {
    return decodeDib(bitmapResource(number)).value_or(Bitmap{});
}

// Gives the memory back, not just the contents.
void release(Bitmap& bitmap) {
    bitmap = Bitmap{};
}

}  // namespace

void createGraphicsResources() {
    whiteBrush = kWhite;
    craftBitmap = loadBitmap(kCraftResource);
    plainObstacleBitmap = loadBitmap(kPlainObstacleResource);
    blueObstacleBitmap = loadBitmap(kBlueObstacleResource);
    greenObstacleBitmap = loadBitmap(kGreenObstacleResource);
    crashedCraftBitmap = loadBitmap(kCrashedCraftResource);
    backgroundBitmap = loadBitmap(kBackgroundResource);

    // Full colour from the start: the back buffer is never monochrome, and
    // its contents before the first frame do not matter.
    backBuffer = makeBitmap(kBackBufferWidth, kBackBufferHeight, 0);
    backBufferDC = &backBuffer;
    spriteDC = &craftBitmap;

    createCaptionLines();
}

void releaseGraphicsResources() {
    releaseCaptionLines();
    backBufferDC = nullptr;
    release(backBuffer);
    releaseViewedFrame();
    whiteBrush = 0;
    spriteDC = nullptr;
    release(craftBitmap);
    release(plainObstacleBitmap);
    release(blueObstacleBitmap);
    release(greenObstacleBitmap);
    release(backgroundBitmap);
    release(crashedCraftBitmap);
}

}  // namespace zephlet
