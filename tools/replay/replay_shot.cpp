#include "tools/replay/replay_shot.h"

#include <SDL.h>
#include <SDL_image.h>

#include "game/game_state.h"
#include "render/client_area.h"
#include "render/frame_composition.h"
#include "render/graphics_resources.h"

namespace zephlet {

namespace {

bool resourcesReady = false;

}  // namespace

std::string writeShot(int width, int height, const std::string& file) {
    if (!resourcesReady) {
        createGraphicsResources();
        resourcesReady = true;
    }

    // Drawing the congratulation sets won. Every frame that shows it has
    // already done so, but "advance" can reach the cruise without a frame;
    // a shot only looks, so it leaves won as the run had it.
    const bool wonBefore = gameState.won;
    clientRect = {0, 0, width, height};
    composeFrame();
    gameState.won = wonBefore;

    Bitmap picture = clientAreaPicture();
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        picture.pixels.data(), picture.width, picture.height, 32,
        picture.width * static_cast<int>(sizeof(Pixel)), SDL_PIXELFORMAT_XRGB8888);
    if (surface == nullptr) {
        return SDL_GetError();
    }
    const int saved = IMG_SavePNG(surface, file.c_str());
    SDL_FreeSurface(surface);
    if (saved != 0) {
        return IMG_GetError();
    }
    return {};
}

void releaseShotResources() {
    if (!resourcesReady) {
        return;
    }
    releaseGraphicsResources();
    IMG_Quit();
    SDL_Quit();
    resourcesReady = false;
}

}  // namespace zephlet
