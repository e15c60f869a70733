#include "app/sdl/program_entry.h"

#include <SDL.h>

#include <cstdio>

#include "app/sdl/platform_window.h"
#include "app/shell_platform.h"
#include "app/window_procedure.h"

namespace zephlet {

int winMain(InstanceHandle instance) {
    appInstance = instance;
    if (!registerWindowClass(windowProc)) {
        // Standard error first: without a display no box can show.
        std::fprintf(stderr, "%s\n", kRegistrationFailedText);
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, kRegistrationFailedCaption,
                                 kRegistrationFailedText, nullptr);
        return -1;
    }
    // WM_CREATE, and with it the graphics resources, before the first paint.
    SDL_Window* window = nullptr;
    const WindowCreation creation =
        createMainWindow(kWindowTitle, kWindowWidth, kWindowHeight, window);
    if (creation != WindowCreation::kCreated) {
        // A window that can show no frame is no better than none.
        std::fprintf(
            stderr, "Zephlet: the window %s: %s\n",
            creation == WindowCreation::kNoSurface ? "has no surface to draw on" : "cannot be made",
            SDL_GetError());
        unregisterWindowClass();
        return -1;
    }
    return runMainWindow(window);
}

}  // namespace zephlet
