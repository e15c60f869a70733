// bare_window: the baseline for the game's CPU. A bare SDL2 program that
// does what any game window must: one event taken a frame, an 800 x 600
// buffer cleared, the client area presented through the same plain X11
// window surface, at the same 17 ms pace. Built and run by
// measure_window.sh beside the game.
#include <SDL.h>

#include <cstdint>
#include <vector>

int main() {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return 1;
    }
    SDL_Window* window =
        SDL_CreateWindow("bare", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 263, 575, 0);
    std::vector<std::uint32_t> buffer(800 * 600);
    bool running = window != nullptr;
    std::uint32_t start = SDL_GetTicks();
    std::uint32_t shade = 0;
    while (running) {
        SDL_Event event;
        if (SDL_PollEvent(&event) != 0 && event.type == SDL_QUIT) {
            running = false;
        }
        // A different fill each frame, so nothing can be skipped.
        shade = (shade + 1) & 0xFF;
        std::fill(buffer.begin(), buffer.end(), 0xFFFF00u | shade);
        SDL_Surface* surface = SDL_GetWindowSurface(window);
        int width = 0;
        int height = 0;
        SDL_GetWindowSizeInPixels(window, &width, &height);
        if (surface != nullptr && width > 0 && height > 0) {
            SDL_ConvertPixels(SDL_min(width, 800), SDL_min(height, 600), SDL_PIXELFORMAT_XRGB8888,
                              buffer.data(), 800 * 4, surface->format->format, surface->pixels,
                              surface->pitch);
            SDL_UpdateWindowSurface(window);
        }
        const std::uint32_t elapsed = SDL_GetTicks() - start;
        if (elapsed < 17) {
            SDL_Delay(17 - elapsed);
        }
        start = SDL_GetTicks();
    }
    SDL_Quit();
    return 0;
}
