#include "app/web/platform_window.h"

#include "app/web/browser_events.h"
#include "app/web/page_calls.h"
#include "app/web/platform_messages.h"

namespace zephlet {

struct BrowserCanvas {
    bool hidden = false;
};

namespace {

BrowserCanvas canvas;

}  // namespace

bool registerWindowClass(WindowProcedure procedure) {
    if (openCanvas() == 0) {
        return false;
    }
    setWindowProcedure(procedure);
    return true;
}

void unregisterWindowClass() {
    setWindowProcedure(nullptr);
    closeCanvas();
}

void showStartUpFailure(const char* caption, const char* text) {
    showFailureBox(caption, text);
}

WindowHandle createMainWindow() {
    sizeCanvas(kCanvasWidth, kCanvasHeight);
    canvas = {pageHidden() != 0};
    listenToPage();
    adoptMainWindow(&canvas);
    return &canvas;
}

// The canvas is on the page from the start, and keeps the last frame.
void showNativeWindow(WindowHandle /*window*/) {}
void destroyNativeWindow(WindowHandle /*window*/) {}

bool windowHidden(WindowHandle window) {
    return window == nullptr || window->hidden;
}

void setWindowHidden(WindowHandle window, bool hidden) {
    if (window != nullptr) {
        window->hidden = hidden;
    }
}

}  // namespace zephlet
