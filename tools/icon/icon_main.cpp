// zephlet-icon IN.bmp SCALE OUT.png: the picture enlarged SCALE times by
// whole pixels, without smoothing, with pure white made transparent (as the
// game keys its sprites), written as a PNG with alpha for the icon theme.
#include <SDL.h>
#include <SDL_image.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

namespace {

constexpr Uint32 kFormat = SDL_PIXELFORMAT_ARGB8888;
constexpr Uint32 kWhite = 0xFFFFFFFF;
constexpr int kMaxScale = 16;

Uint32 pixelAt(const SDL_Surface* surface, int x, int y) {
    Uint32 value = 0;
    std::memcpy(&value, static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * 4,
                sizeof value);
    return value;
}

SDL_Surface* enlarge(const SDL_Surface* picture, int scale) {
    SDL_Surface* icon =
        SDL_CreateRGBSurfaceWithFormat(0, picture->w * scale, picture->h * scale, 32, kFormat);
    if (icon == nullptr) {
        return nullptr;
    }
    for (int y = 0; y < picture->h; ++y) {
        for (int x = 0; x < picture->w; ++x) {
            const Uint32 pixel = pixelAt(picture, x, y);
            SDL_Rect block{x * scale, y * scale, scale, scale};
            SDL_FillRect(icon, &block, pixel == kWhite ? 0 : pixel);
        }
    }
    return icon;
}

}  // namespace

int main(int argc, char** argv) {
    const int scale = argc == 4 ? std::atoi(argv[2]) : 0;
    if (scale < 1 || scale > kMaxScale) {
        std::cerr << "usage: zephlet-icon IN.bmp SCALE OUT.png (SCALE 1 to " << kMaxScale << ")\n";
        return 2;
    }
    SDL_Surface* loaded = SDL_LoadBMP(argv[1]);
    SDL_Surface* picture =
        loaded != nullptr ? SDL_ConvertSurfaceFormat(loaded, kFormat, 0) : nullptr;
    SDL_Surface* icon = picture != nullptr ? enlarge(picture, scale) : nullptr;
    int status = 0;
    if (icon == nullptr) {
        std::cerr << "zephlet-icon: " << argv[1] << ": " << SDL_GetError() << '\n';
        status = 1;
    } else if (IMG_SavePNG(icon, argv[3]) != 0) {
        std::cerr << "zephlet-icon: " << argv[3] << ": " << IMG_GetError() << '\n';
        status = 1;
    }
    SDL_FreeSurface(icon);
    SDL_FreeSurface(picture);
    SDL_FreeSurface(loaded);
    return status;
}
