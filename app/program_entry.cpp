#include "app/program_entry.h"

#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <ctime>

#include "app/frame_loop.h"
#include "app/platform_window.h"
#include "app/window_procedure.h"
#include "game/level_scripts.h"

namespace zephlet {

int winMain(InstanceHandle instance) {
    appInstance = instance;
    if (!registerWindowClass(windowProc)) {
        // Standard error first: without a display no box can show.
        constexpr const char* kText = "Window class registration failed!";
        std::fprintf(stderr, "%s\n", kText);
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, "Error", kText, nullptr);
        return -1;
    }
    // WM_CREATE, and with it the graphics resources, before the first paint.
    SDL_Window* window = createMainWindow(kWindowTitle, kWindowWidth, kWindowHeight);
    if (window == nullptr) {
        std::fprintf(stderr, "Zephlet: the window cannot be made: %s\n", SDL_GetError());
        unregisterWindowClass();
        return -1;
    }
    showWindow(window);
    updateWindow(window);  // the first paint, and so the first tick
    clientRect = windowClientRect(window);
    // Seeded after the first tick, which therefore draws on the unseeded
    // source; no row is due in it.
    srand(static_cast<std::uint32_t>(std::time(nullptr)));
    runFrameLoop(window);
    unregisterWindowClass();
    return 0;
}

}  // namespace zephlet
