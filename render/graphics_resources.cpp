#include "render/graphics_resources.h"

#include "render/embedded_assets.h"
#include "render/level_captions.h"

namespace zephlet {

SDL_Color whiteBrush{};
SDL_Surface* backBuffer = nullptr;
SDL_Surface* backBufferDC = nullptr;
SDL_Surface* spriteDC = nullptr;
SDL_Surface* craftBitmap = nullptr;
SDL_Surface* plainObstacleBitmap = nullptr;
SDL_Surface* blueObstacleBitmap = nullptr;
SDL_Surface* greenObstacleBitmap = nullptr;
SDL_Surface* crashedCraftBitmap = nullptr;
SDL_Surface* backgroundBitmap = nullptr;
TTF_Font* captionFont = nullptr;

namespace {

// With SDL_ttf 2.20, DejaVu Sans Bold at 13 points has a 16-pixel cell: the
// caption lines' boxes then meet exactly at their 16-pixel pitch.
constexpr int kCaptionFontPoints = 13;

SDL_RWops* openEmbedded(EmbeddedFile file) {
    return SDL_RWFromConstMem(file.data, static_cast<int>(file.size));
}

SDL_Surface* loadArtwork(EmbeddedFile file, bool sprite) {
    SDL_Surface* loaded = SDL_LoadBMP_RW(openEmbedded(file), 1);
    SDL_Surface* converted = convertArtwork(loaded, sprite);
    SDL_FreeSurface(loaded);
    return converted;
}

void freeSurface(SDL_Surface*& surface) {
    SDL_FreeSurface(surface);
    surface = nullptr;
}

}  // namespace

SDL_Surface* convertArtwork(SDL_Surface* picture, bool sprite) {
    if (picture == nullptr) {
        return nullptr;
    }
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(picture, kBackBufferFormat, 0);
    if (converted == nullptr) {
        return nullptr;
    }
    // The copy overwrites what lies beneath: only the key lets it through.
    SDL_SetSurfaceBlendMode(converted, SDL_BLENDMODE_NONE);
    SDL_SetColorKey(converted, sprite ? SDL_TRUE : SDL_FALSE,
                    SDL_MapRGB(converted->format, 255, 255, 255));
    return converted;
}

void createGraphicsResources() {
    whiteBrush = SDL_Color{255, 255, 255, 255};

    craftBitmap = loadArtwork(craftBmp(), true);
    plainObstacleBitmap = loadArtwork(plainObstacleBmp(), true);
    blueObstacleBitmap = loadArtwork(blueObstacleBmp(), true);
    greenObstacleBitmap = loadArtwork(greenObstacleBmp(), true);
    crashedCraftBitmap = loadArtwork(crashedCraftBmp(), true);
    backgroundBitmap = loadArtwork(groundBmp(), false);

    // Full colour from the start, in the artwork's format, so that sprites
    // keep their colours and copies into it are plain row copies.
    backBuffer = SDL_CreateRGBSurfaceWithFormat(0, kBackBufferWidth, kBackBufferHeight, 32,
                                                kBackBufferFormat);
    backBufferDC = backBuffer;
    spriteDC = craftBitmap;

    // SDL_ttf reads the font lazily: the embedded bytes stay in place for the
    // font's whole life, which they do, being static.
    captionFont = TTF_OpenFontRW(openEmbedded(captionFontTtf()), 1, kCaptionFontPoints);

    createCaptionLines();
}

void releaseGraphicsResources() {
    releaseCaptionLines();
    TTF_CloseFont(captionFont);
    captionFont = nullptr;

    backBufferDC = nullptr;
    freeSurface(backBuffer);
    whiteBrush = SDL_Color{};
    spriteDC = nullptr;

    freeSurface(craftBitmap);
    freeSurface(plainObstacleBitmap);
    freeSurface(blueObstacleBitmap);
    freeSurface(greenObstacleBitmap);
    freeSurface(backgroundBitmap);
    freeSurface(crashedCraftBitmap);
}

}  // namespace zephlet
