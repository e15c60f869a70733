#include "app/window_procedure.h"

#include "app/shell_globals.h"
#include "game/player_controls.h"
#include "render/frame_presentation.h"
#include "render/graphics_resources.h"

namespace zephlet {

MessageResult windowProc(WindowHandle window, MessageId message, WordParam wParam,
                         LongParam lParam) {
    switch (message) {
        case WM_CREATE:
            // The resources are made for the client area the window has now.
            clientRect = windowClientRect(window);
            createGraphicsResources();
            return 0;
        case WM_DESTROY:
            // Released before the flag goes up, so that no paint can follow
            // a release; the quit is posted last.
            releaseGraphicsResources();
            quitRequested = true;
            postQuitMessage(0);
            return 0;
        case WM_PAINT:
            // Whatever brought the paint, it is a tick.
            paintFrame(window);
            return 0;
        case WM_KEYDOWN:
            // Every key, auto-repeat included: the controls' latches decide.
            pressKey(static_cast<std::uint32_t>(wParam));
            return 0;
        case WM_KEYUP:
            releaseKey(static_cast<std::uint32_t>(wParam));
            return 0;
        case WM_SIZE:
        case WM_COMMAND:
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            return 0;
        default:
            return defWindowProc(window, message, wParam, lParam);
    }
}

}  // namespace zephlet
