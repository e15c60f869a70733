#include "app/sdl/x11_window.h"

#include <X11/Xutil.h>

namespace zephlet {

void leavePlacementToWindowManager(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) == SDL_FALSE || info.subsystem != SDL_SYSWM_X11) {
        return;
    }
    XSizeHints* hints = XAllocSizeHints();
    if (hints == nullptr) {
        return;
    }
    long supplied = 0;
    if (XGetWMNormalHints(info.info.x11.display, info.info.x11.window, hints, &supplied) != 0) {
        hints->flags &= ~(USPosition | PPosition);
        XSetWMNormalHints(info.info.x11.display, info.info.x11.window, hints);
    }
    XFree(hints);
}

bool madeUpReleasesFollow(const SDL_SysWMmsg& message) {
    if (message.subsystem != SDL_SYSWM_X11) {
        return false;
    }
    const int type = message.msg.x11.event.type;
    return type == FocusIn || type == FocusOut || type == KeymapNotify;
}

}  // namespace zephlet
