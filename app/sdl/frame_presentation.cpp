// The frame's way to an SDL window: the window surface, in one copy.
#include "render/frame_presentation.h"

#include <SDL.h>

#include "render/graphics_resources.h"
#include "render/stereo_view.h"

namespace zephlet {

ClientRect windowClientRect(SDL_Window* window) {
    // A minimised window has no client area to paint.
    if ((SDL_GetWindowFlags(window) & SDL_WINDOW_MINIMIZED) != 0) {
        return {};
    }
    // Pixels, not window units: the window surface is this size on a
    // high-density display too.
    int width = 0;
    int height = 0;
    SDL_GetWindowSizeInPixels(window, &width, &height);
    return {0, 0, width, height};
}

void presentFrame(SDL_Window* window, const Bitmap& frame) {
    SDL_Surface* surface = SDL_GetWindowSurface(window);
    if (surface == nullptr) {
        return;  // the window's creation made sure there is one
    }
    // The surface may be smaller than the client rectangle for a moment while
    // the window is resized; nothing is written past it.
    const ClientRect client{0, 0, SDL_min(clientRect.right, surface->w),
                            SDL_min(clientRect.bottom, surface->h)};
    const ClientRect covered = coveredByBackBuffer(client);
    if (!covered.empty()) {
        // Rows copied as they are where the surface has the back buffer's
        // layout, SDL's XRGB8888, converted where it has another.
        static_assert(makePixel(0x12, 0x34, 0x56) == 0x00123456);
        for (const ShownColumns& block : shownColumns(covered.right)) {
            SDL_ConvertPixels(
                block.right - block.left, covered.bottom, SDL_PIXELFORMAT_XRGB8888,
                frame.pixels.data() + block.from, frame.width * static_cast<int>(sizeof(Pixel)),
                surface->format->format,
                static_cast<Uint8*>(surface->pixels) + block.left * surface->format->BytesPerPixel,
                surface->pitch);
        }
    }
    const Uint32 white = SDL_MapRGB(surface->format, 255, 255, 255);
    for (const ClientRect& beyond : beyondBackBuffer(client)) {
        if (!beyond.empty()) {
            const SDL_Rect area{beyond.left, beyond.top, beyond.right - beyond.left,
                                beyond.bottom - beyond.top};
            SDL_FillRect(surface, &area, white);
        }
    }
    SDL_UpdateWindowSurface(window);
}

}  // namespace zephlet
