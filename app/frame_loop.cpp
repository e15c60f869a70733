#include "app/frame_loop.h"

#include <ctime>

#include "app/frame_pacing.h"
#include "app/shell_globals.h"
#include "app/shell_platform.h"
#include "game/level_scripts.h"
#include "render/frame_presentation.h"

namespace zephlet {

void runFrameLoop(WindowHandle window) {
    std::uint32_t startTime = frameClockMs();
    pumpOneMessage();
    // The window is destroyed inside a pump step, so the flag is tested right
    // after each one: no paint follows the release of the resources.
    while (!quitRequested) {
        clientRect = windowClientRect(window);
        invalidateRect(window, clientRect);
        updateWindow(window);
        const std::uint32_t rest = sleepMs(elapsedMs(startTime, frameClockMs()));
        if (rest > 0) {
            sleepFor(rest);
        }
        // Read after the sleep: an oversleep lengthens this frame only.
        startTime = frameClockMs();
        pumpOneMessage();
    }
}

void runShownWindow(WindowHandle window) {
    updateWindow(window);  // the first paint, and so the first tick
    clientRect = windowClientRect(window);
    // Seeded after the first tick, which therefore draws on the unseeded
    // source; no row is due in it.
    srand(static_cast<std::uint32_t>(std::time(nullptr)));
    runFrameLoop(window);
}

}  // namespace zephlet
