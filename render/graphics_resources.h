// Everything drawing needs for the window's lifetime: the fill colour, the
// artwork, the back buffer and the caption lines. Created once on window
// creation, released once on its destruction.
#pragma once

#include "render/bitmap.h"

namespace zephlet {

constexpr std::int32_t kBackBufferWidth = 800;
constexpr std::int32_t kBackBufferHeight = 600;
constexpr std::int32_t kSpriteSize = 32;
constexpr std::int32_t kGroundWidth = 100;
constexpr std::int32_t kGroundHeightPixels = 800;

// The white fill colour.
extern Pixel whiteBrush;

// The 800 x 600 full-colour picture every frame is composed into.
extern Bitmap backBuffer;
// The drawing target (backBuffer from creation to release) and the current
// copy source (one piece of artwork at a time).
extern Bitmap* backBufferDC;
extern const Bitmap* spriteDC;

// The artwork. Sprites are 32 x 32 and let pure white through; the
// 100 x 800 ground strip is copied opaque.
extern Bitmap craftBitmap;
extern Bitmap plainObstacleBitmap;
extern Bitmap blueObstacleBitmap;
extern Bitmap greenObstacleBitmap;
extern Bitmap crashedCraftBitmap;
extern Bitmap backgroundBitmap;

// Artwork the program does not carry comes out empty and draws nothing.
void createGraphicsResources();
void releaseGraphicsResources();

}  // namespace zephlet
