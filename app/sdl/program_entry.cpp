#include "app/sdl/program_entry.h"

#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <ctime>

#include "app/frame_loop.h"
#include "app/sdl/platform_window.h"
#include "app/shell_platform.h"
#include "app/window_procedure.h"
#include "game/level_scripts.h"
#include "render/frame_presentation.h"

namespace zephlet {

namespace {

int startUpFailure() {
    // Standard error first: without a display no box can show.
    std::fprintf(stderr, "%s\n", kRegistrationFailedText);
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, kRegistrationFailedCaption,
                             kRegistrationFailedText, nullptr);
    return -1;
}

}  // namespace

int winMain(InstanceHandle instance) {
    appInstance = instance;
    if (!registerWindowClass(windowProc)) {
        return startUpFailure();
    }
    // WM_CREATE, and with it the graphics resources, before the first paint.
    SDL_Window* window = nullptr;
    switch (createMainWindow(kWindowTitle, kWindowWidth, kWindowHeight, window)) {
        case WindowCreation::kCreated:
            break;
        case WindowCreation::kNoSurface:
            // A window that can show no frame is no better than none.
            unregisterWindowClass();
            return startUpFailure();
        case WindowCreation::kNoWindow:
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
