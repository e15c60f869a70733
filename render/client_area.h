// The window's client rectangle, shared by the frame loop and the frame.
#pragma once

#include <cstdint>

struct SDL_Window;

namespace zephlet {

// Client pixels; left and top are always 0. Empty while minimised.
struct ClientRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

extern ClientRect clientRect;

// The client area of the window as it is now: its drawable size, or an
// empty rectangle while the window is minimised.
ClientRect windowClientRect(SDL_Window* window);

}  // namespace zephlet
