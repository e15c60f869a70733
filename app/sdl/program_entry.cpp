#include "app/sdl/program_entry.h"

#include <SDL.h>

#include <cstdio>

#include "app/frame_loop.h"
#include "app/sdl/platform_window.h"
#include "app/shell_platform.h"
#include "app/window_procedure.h"

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
    runShownWindow(window);
    unregisterWindowClass();
    return 0;
}

}  // namespace zephlet
