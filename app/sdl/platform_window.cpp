#include "app/sdl/platform_window.h"

#include <SDL.h>

#include <initializer_list>

#include "app/sdl/platform_messages.h"
#include "app/sdl/x11_window.h"
#include "app/shell_platform.h"
#include "render/embedded_files.h"
#include "render/frame_presentation.h"

namespace zephlet {

namespace {

#ifdef ZEPHLET_GL_WINDOW_SURFACE
constexpr const char* kPlainFramebuffer = "1";  // only to measure the other way
#else
constexpr const char* kPlainFramebuffer = "0";
#endif

struct WindowClass {
    SDL_Surface* icon = nullptr;
    SDL_Cursor* cursor = nullptr;
};

// The size the window was asked for, frame and title bar included.
struct OuterSize {
    int width = 0;
    int height = 0;
};

WindowClass windowClass;
OuterSize outerSize;

// The craft on white; white is see-through.
SDL_Surface* loadIcon() {
    const EmbeddedFile file = iconBmp();
    SDL_Surface* icon =
        SDL_LoadBMP_RW(SDL_RWFromConstMem(file.data, static_cast<int>(file.size)), 1);
    if (icon != nullptr) {
        SDL_SetColorKey(icon, SDL_TRUE, SDL_MapRGB(icon->format, 255, 255, 255));
    }
    return icon;
}

// SDL is told the client size, but the size the window is asked for is the
// outer one. The frame's size is known only once the window manager has
// framed the window, that is after it is shown; without a window manager,
// or one that does not say, the client area keeps the whole size.
void fitOuterSize(SDL_Window* window) {
    SDL_PumpEvents();  // the frame's size arrives as a property change
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;
    if (SDL_GetWindowBordersSize(window, &top, &left, &bottom, &right) != 0) {
        return;
    }
    if (top + left + bottom + right > 0) {
        SDL_SetWindowSize(window, outerSize.width - left - right, outerSize.height - top - bottom);
    }
}

// Where no display can be found, SDL falls back on drivers that show
// nothing, and the game would run unseen. That is no usable video driver,
// unless one of them was asked for by name, as the tests do.
bool showsNothing(const char* driver) {
    for (const char* headless : {"offscreen", "dummy", "evdev"}) {
        if (SDL_strcasecmp(driver, headless) == 0) {
            const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
            return asked == nullptr || SDL_strcasestr(asked, headless) == nullptr;
        }
    }
    return false;
}

}  // namespace

bool registerWindowClass(WindowProcedure procedure) {
    // A windowed game holds the screen saver off no more than any window.
    SDL_SetHintWithPriority(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1", SDL_HINT_OVERRIDE);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (showsNothing(driver)) {
        SDL_Quit();
        return false;
    }
    // Read when the first window surface is made, so it is set before then.
    // Overriding, so that no environment variable changes it.
    SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION,
                            presentsToPlainFramebuffer(driver) ? kPlainFramebuffer : "1",
                            SDL_HINT_OVERRIDE);
    quietUnusedEvents();
    startGamepads();
    setWindowProcedure(procedure);
    windowClass = {loadIcon(), SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW)};
    return true;
}

void unregisterWindowClass() {
    SDL_FreeCursor(windowClass.cursor);
    SDL_FreeSurface(windowClass.icon);
    windowClass = {};
    setWindowProcedure(nullptr);
    stopGamepads();
    SDL_Quit();
}

bool presentsToPlainFramebuffer(const char* videoDriver) {
    // X11 shared-memory images rather than an OpenGL texture: under Xvfb a
    // sixth of the memory, an eighth of the CPU and a first frame four times
    // sooner (tools/measure/measure_window.sh). Wayland and KMSDRM have no
    // plain framebuffer: there SDL's texture path is the only one.
    for (const char* plain : {"x11", "dummy", "offscreen"}) {
        if (SDL_strcasecmp(videoDriver, plain) == 0) {
            return true;
        }
    }
    return false;
}

WindowCreation createMainWindow(const char* title, int outerWidth, int outerHeight,
                                SDL_Window*& window) {
    window = SDL_CreateWindow(title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, outerWidth,
                              outerHeight, SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE);
    if (window == nullptr) {
        return WindowCreation::kNoWindow;
    }
    // A window with nothing to present to would tick on unseen.
    if (SDL_GetWindowSurface(window) == nullptr) {
        SDL_DestroyWindow(window);
        window = nullptr;
        return WindowCreation::kNoSurface;
    }
    leavePlacementToWindowManager(window);
    SDL_SetWindowIcon(window, windowClass.icon);
    SDL_SetCursor(windowClass.cursor);
    outerSize = {outerWidth, outerHeight};
    adoptMainWindow(window);
    return WindowCreation::kCreated;
}

void showNativeWindow(SDL_Window* window) {
    SDL_ShowWindow(window);
    fitOuterSize(window);
}

void destroyNativeWindow(SDL_Window* window) {
    SDL_DestroyWindow(window);
}

SDL_Window* windowFromId(std::uint32_t windowId) {
    SDL_Window* window = mainWindow();
    return window != nullptr && SDL_GetWindowID(window) == windowId ? window : nullptr;
}

}  // namespace zephlet
