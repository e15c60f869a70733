#include "app/frame_loop.h"

#include <SDL_timer.h>

#include "app/frame_pacing.h"
#include "app/platform_messages.h"
#include "app/platform_window.h"
#include "app/shell_globals.h"

namespace zephlet {

void pumpOneMessage() {
    // No character messages are made from keys: text input is off, and the
    // game reads none.
    Message message;
    if (peekMessage(message)) {
        dispatchMessage(message);
    }
}

void runFrameLoop(SDL_Window* window) {
    std::uint32_t startTime = SDL_GetTicks();
    pumpOneMessage();
    // The window is destroyed inside a pump step, so the flag is tested right
    // after each one: no paint follows the release of the resources.
    while (!quitRequested) {
        clientRect = windowClientRect(window);
        invalidateRect(window, clientRect);
        updateWindow(window);
        const std::uint32_t rest = sleepMs(elapsedMs(startTime, SDL_GetTicks()));
        if (rest > 0) {
            SDL_Delay(rest);
        }
        // Read after the sleep: an oversleep lengthens this frame only.
        startTime = SDL_GetTicks();
        pumpOneMessage();
    }
}

}  // namespace zephlet
