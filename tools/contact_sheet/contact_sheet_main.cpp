// zephlet-contact-sheet OUT.png: draws the artwork compiled into the game
// (the five sprites, the ground strip and the icon) side by side on a light
// grey sheet, four times enlarged without smoothing, and writes it as PNG.
#include <SDL.h>
#include <SDL_image.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <iostream>

#include "render/embedded_files.h"

namespace {

constexpr int kScale = 4;
constexpr int kGap = 16;  // sheet pixels around and between the pictures
constexpr Uint8 kSheetGrey = 0xD8;
constexpr Uint32 kFormat = SDL_PIXELFORMAT_XRGB8888;

SDL_Surface* loadPicture(zephlet::EmbeddedFile file) {
    SDL_Surface* loaded =
        SDL_LoadBMP_RW(SDL_RWFromConstMem(file.data, static_cast<int>(file.size)), 1);
    if (loaded == nullptr) {
        return nullptr;
    }
    SDL_Surface* picture = SDL_ConvertSurfaceFormat(loaded, kFormat, 0);
    SDL_FreeSurface(loaded);
    return picture;
}

Uint32 pixelAt(const SDL_Surface* surface, int x, int y) {
    Uint32 value = 0;
    std::memcpy(&value, static_cast<const Uint8*>(surface->pixels) + y * surface->pitch + x * 4,
                sizeof value);
    return value;
}

// Every source pixel becomes a kScale x kScale block: nearest neighbour, so
// single pixels stay crisp and countable.
void drawEnlarged(const SDL_Surface* picture, SDL_Surface* sheet, int left, int top) {
    for (int y = 0; y < picture->h; ++y) {
        for (int x = 0; x < picture->w; ++x) {
            SDL_Rect block{left + x * kScale, top + y * kScale, kScale, kScale};
            SDL_FillRect(sheet, &block, pixelAt(picture, x, y));
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: zephlet-contact-sheet OUT.png\n";
        return 2;
    }
    const std::array<zephlet::EmbeddedFile, 7> files{
        zephlet::craftBmp(),         zephlet::plainObstacleBmp(), zephlet::blueObstacleBmp(),
        zephlet::greenObstacleBmp(), zephlet::crashedCraftBmp(),  zephlet::groundBmp(),
        zephlet::iconBmp(),
    };
    std::array<SDL_Surface*, files.size()> pictures{};
    int width = kGap;
    int height = 0;
    int status = 0;
    for (std::size_t i = 0; i < files.size(); ++i) {
        pictures[i] = loadPicture(files[i]);
        if (pictures[i] == nullptr) {
            std::cerr << "zephlet-contact-sheet: picture " << i << ": " << SDL_GetError() << '\n';
            status = 1;
            break;
        }
        width += pictures[i]->w * kScale + kGap;
        height = SDL_max(height, pictures[i]->h * kScale);
    }
    SDL_Surface* sheet = nullptr;
    if (status == 0) {
        sheet = SDL_CreateRGBSurfaceWithFormat(0, width, height + 2 * kGap, 32, kFormat);
        if (sheet == nullptr) {
            std::cerr << "zephlet-contact-sheet: " << SDL_GetError() << '\n';
            status = 1;
        }
    }
    if (status == 0) {
        SDL_FillRect(sheet, nullptr, SDL_MapRGB(sheet->format, kSheetGrey, kSheetGrey, kSheetGrey));
        int left = kGap;
        for (const SDL_Surface* picture : pictures) {
            drawEnlarged(picture, sheet, left, kGap);
            left += picture->w * kScale + kGap;
        }
        if (IMG_SavePNG(sheet, argv[1]) != 0) {
            std::cerr << "zephlet-contact-sheet: " << argv[1] << ": " << IMG_GetError() << '\n';
            status = 1;
        }
    }
    SDL_FreeSurface(sheet);
    for (SDL_Surface* picture : pictures) {
        SDL_FreeSurface(picture);
    }
    return status;
}
