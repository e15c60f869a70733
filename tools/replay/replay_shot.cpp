#include "tools/replay/replay_shot.h"

#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

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
        // Surfaces and fonts need no video, so no window and no display.
        if (TTF_Init() != 0) {
            return std::string("cannot start SDL_ttf: ") + TTF_GetError();
        }
        createGraphicsResources();
        resourcesReady = true;
        if (backBufferDC == nullptr) {
            return std::string("cannot create the back buffer: ") + SDL_GetError();
        }
    }

    // Drawing the congratulation sets won. Every frame that shows it has
    // already done so, but "advance" can reach the cruise without a frame;
    // a shot only looks, so it leaves won as the run had it.
    const bool wonBefore = gameState.won;
    clientRect = {0, 0, width, height};
    composeFrame();
    gameState.won = wonBefore;

    SDL_Surface* picture =
        SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, backBufferDC->format->format);
    if (picture == nullptr) {
        return SDL_GetError();
    }
    copyClientArea(picture);
    const int saved = IMG_SavePNG(picture, file.c_str());
    SDL_FreeSurface(picture);
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
    TTF_Quit();
    IMG_Quit();
    SDL_Quit();
    resourcesReady = false;
}

}  // namespace zephlet
