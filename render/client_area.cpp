#include "render/client_area.h"

#include <SDL.h>

namespace zephlet {

ClientRect clientRect;

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

}  // namespace zephlet
