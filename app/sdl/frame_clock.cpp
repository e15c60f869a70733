// The frame loop's clock and sleep on SDL.
#include <SDL_timer.h>

#include "app/shell_platform.h"

namespace zephlet {

std::uint32_t frameClockMs() {
    return SDL_GetTicks();
}

void sleepFor(std::uint32_t milliseconds) {
    SDL_Delay(milliseconds);
}

}  // namespace zephlet
