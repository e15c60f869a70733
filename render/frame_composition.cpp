#include "render/frame_composition.h"

#include <SDL.h>

#include "game/caption_rule.h"
#include "game/game_state.h"
#include "game/world_tick.h"
#include "render/client_area.h"
#include "render/graphics_resources.h"
#include "render/level_captions.h"

namespace zephlet {

namespace {

constexpr std::int32_t kLeftViewSpriteX = 35;
constexpr std::int32_t kRightViewSpriteX = 183;
constexpr int kRightViewX = 150;

// The whole of spriteDC to (x, y) of the back buffer. Sprites carry white as
// their colour key, the ground strip none, so one call serves both copies.
// SDL clips the target rectangle in place: each copy gets its own.
void copySpriteDC(int x, int y) {
    SDL_Rect at{x, y, 0, 0};
    SDL_BlitSurface(spriteDC, nullptr, backBufferDC, &at);
}

void drawSprite(SDL_Surface* bitmap, std::int32_t lane, std::int32_t altitude, std::int32_t top) {
    spriteDC = bitmap;
    const SpriteColumns columns = spriteColumns(lane, altitude);
    copySpriteDC(columns.left, top);
    copySpriteDC(columns.right, top);
}

SDL_Surface* obstacleBitmap(std::int32_t kind) {
    switch (kind) {
        case Blue:
            return blueObstacleBitmap;
        case Green:
            return greenObstacleBitmap;
        default:
            return plainObstacleBitmap;
    }
}

Uint32 white(const SDL_Surface* surface) {
    return SDL_MapRGB(surface->format, whiteBrush.r, whiteBrush.g, whiteBrush.b);
}

}  // namespace

SpriteColumns spriteColumns(std::int32_t lane, std::int32_t altitude) {
    return {kLeftViewSpriteX + lane + altitude, kRightViewSpriteX + lane - altitude};
}

void paintFrame(SDL_Window* window) {
    tickWorld();
    clientRect = windowClientRect(window);
    composeFrame();
    presentFrame(window);
}

void composeFrame() {
    const SDL_Rect client{0, 0, clientRect.right, clientRect.bottom};
    SDL_FillRect(backBufferDC, &client, white(backBufferDC));

    // Two copies per view, one strip length apart, so that every row of the
    // view shows ground row (row - scroll) mod 800.
    spriteDC = backgroundBitmap;
    const std::int32_t scroll = gameState.scrollOffset;
    copySpriteDC(0, scroll);
    copySpriteDC(0, scroll - kGroundHeightPixels);
    copySpriteDC(kRightViewX, scroll);
    copySpriteDC(kRightViewX, scroll - kGroundHeightPixels);

    // Higher layers later, so they cover the lower ones.
    drawLayer(0);
    drawLayer(2);
    drawLayer(4);

    if (captionShowing()) {
        drawLevelCaption();
    }
}

void drawLayer(std::int32_t altitude) {
    const GameState& state = gameState;
    // The craft first: an obstacle at its altitude is drawn over it.
    if (state.playerAltitude == altitude) {
        drawSprite(state.crashed ? crashedCraftBitmap : craftBitmap, state.playerLane,
                   state.playerAltitude, kCraftTop);
    }
    for (const Obstacle& obstacle : state.obstacles) {
        if (obstacle.altitude == altitude) {
            drawSprite(obstacleBitmap(obstacle.kind), obstacle.lane, obstacle.altitude, obstacle.y);
        }
    }
}

void presentFrame(SDL_Window* window) {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (surface == nullptr) {
        return;
    }
    copyClientArea(surface);
    SDL_UpdateWindowSurface(window);
}

void copyClientArea(SDL_Surface* target) {
    const SDL_Rect client{0, 0, clientRect.right, clientRect.bottom};
    SDL_Rect at{0, 0, 0, 0};
    SDL_BlitSurface(backBufferDC, &client, target, &at);

    // The back buffer ends at 800 x 600; a bigger client area (a maximised
    // window) shows white there rather than whatever the surface held.
    if (clientRect.right > kBackBufferWidth) {
        const SDL_Rect right{kBackBufferWidth, 0, clientRect.right - kBackBufferWidth,
                             clientRect.bottom};
        SDL_FillRect(target, &right, white(target));
    }
    if (clientRect.bottom > kBackBufferHeight) {
        const SDL_Rect below{0, kBackBufferHeight, SDL_min(clientRect.right, kBackBufferWidth),
                             clientRect.bottom - kBackBufferHeight};
        SDL_FillRect(target, &below, white(target));
    }
}

}  // namespace zephlet
