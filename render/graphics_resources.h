// Everything drawing needs for the window's lifetime: the fill colour, the
// artwork, the back buffer and the caption font. Created once on window
// creation, released once on its destruction.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

namespace zephlet {

constexpr int kBackBufferWidth = 800;
constexpr int kBackBufferHeight = 600;
constexpr int kSpriteSize = 32;
constexpr int kGroundWidth = 100;
constexpr int kGroundHeightPixels = 800;

// The white fill colour: red, green and blue 255.
extern SDL_Color whiteBrush;

// The 800 x 600 full-colour surface every frame is composed into.
extern SDL_Surface* backBuffer;
// The drawing target (holds backBuffer from creation to release) and the
// current copy source (one artwork surface at a time).
extern SDL_Surface* backBufferDC;
extern SDL_Surface* spriteDC;

// The artwork. Sprites are 32 x 32 with pure white as their colour key; the
// 100 x 800 ground strip is opaque.
extern SDL_Surface* craftBitmap;
extern SDL_Surface* plainObstacleBitmap;
extern SDL_Surface* blueObstacleBitmap;
extern SDL_Surface* greenObstacleBitmap;
extern SDL_Surface* crashedCraftBitmap;
extern SDL_Surface* backgroundBitmap;

// DejaVu Sans Bold at the size whose line height is 16 pixels.
extern TTF_Font* captionFont;

// The back buffer's pixel format, which every artwork surface shares so that
// copies need no conversion. Never palettized.
constexpr Uint32 kBackBufferFormat = SDL_PIXELFORMAT_XRGB8888;

// Initialising SDL and SDL_ttf is the caller's job: creation needs TTF_Init()
// (surfaces need no video). Release runs with SDL_ttf still initialised.
void createGraphicsResources();
void releaseGraphicsResources();

// A copy of a loaded picture in the back buffer's format; a sprite gets pure
// white as its colour key, anything else stays opaque. Null in, null out.
SDL_Surface* convertArtwork(SDL_Surface* picture, bool sprite);

}  // namespace zephlet
