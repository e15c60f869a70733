#include "app/web/platform_window.h"

#include "app/shell_platform.h"
#include "app/web/browser_events.h"
#include "app/web/page_calls.h"
#include "app/web/platform_messages.h"

namespace zephlet {

struct BrowserCanvas {
    bool hidden = false;
    bool needsPaint = false;
};

namespace {

WindowProcedure windowProcedure = nullptr;
BrowserCanvas canvas;
WindowHandle mainWindowHandle = nullptr;

}  // namespace

bool registerWindowClass(WindowProcedure procedure) {
    if (openCanvas() == 0) {
        return false;
    }
    windowProcedure = procedure;
    return true;
}

void unregisterWindowClass() {
    windowProcedure = nullptr;
    closeCanvas();
}

void showStartUpFailure(const char* caption, const char* text) {
    showFailureBox(caption, text);
}

WindowHandle createMainWindow() {
    sizeCanvas(kCanvasWidth, kCanvasHeight);
    canvas = {pageHidden() != 0, false};
    mainWindowHandle = &canvas;
    listenToPage();
    sendMessage(mainWindowHandle, WM_CREATE, 0, 0);
    return mainWindowHandle;
}

void showWindow(WindowHandle window) {
    if (window == mainWindowHandle && window != nullptr) {
        window->needsPaint = true;
    }
}

void invalidateRect(WindowHandle window, const ClientRect& rect) {
    if (window == mainWindowHandle && window != nullptr && !rect.empty()) {
        window->needsPaint = true;
    }
}

void updateWindow(WindowHandle window) {
    // A hidden page has no client area, so nothing is painted and the game
    // stands still until the page shows again.
    if (window == mainWindowHandle && window != nullptr && window->needsPaint &&
        !canvasClientRect(window->hidden).empty()) {
        sendMessage(window, WM_PAINT, 0, 0);
    }
}

MessageResult sendMessage(WindowHandle window, MessageId message, WordParam wParam,
                          LongParam lParam) {
    if (window == nullptr || window != mainWindowHandle) {
        return 0;
    }
    if (message == WM_PAINT) {
        // The paint presents the whole client area.
        window->needsPaint = false;
    }
    return windowProcedure(window, message, wParam, lParam);
}

void destroyWindow(WindowHandle window) {
    if (window == nullptr || window != mainWindowHandle) {
        return;
    }
    sendMessage(window, WM_DESTROY, 0, 0);
    mainWindowHandle = nullptr;
}

WindowHandle mainWindow() {
    return mainWindowHandle;
}

bool windowHidden(WindowHandle window) {
    return window == nullptr || window->hidden;
}

void setWindowHidden(WindowHandle window, bool hidden) {
    if (window != nullptr) {
        window->hidden = hidden;
    }
}

}  // namespace zephlet
