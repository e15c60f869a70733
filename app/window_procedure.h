// Where the window's messages meet the game: creation and destruction reach
// the graphics resources, paints the frame, keys the controls.
#pragma once

#include <cstdint>

struct SDL_Window;

namespace zephlet {

std::int32_t windowProc(SDL_Window* window, std::uint32_t message, std::uint32_t wParam,
                        std::int32_t lParam);

}  // namespace zephlet
