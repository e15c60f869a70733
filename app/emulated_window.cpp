#include "app/emulated_window.h"

#include "app/frame_loop.h"
#include "app/shell_platform.h"
#include "render/frame_presentation.h"

namespace zephlet {

namespace {

struct MainWindow {
    WindowHandle window = nullptr;
    bool needsPaint = false;
};

WindowProcedure windowProcedure = nullptr;
MainWindow mainWindowState;

bool isMainWindow(WindowHandle window) {
    return window != nullptr && window == mainWindowState.window;
}

}  // namespace

void setWindowProcedure(WindowProcedure procedure) {
    windowProcedure = procedure;
}

void adoptMainWindow(WindowHandle window) {
    mainWindowState = {window, false};
    sendMessage(window, WM_CREATE, 0, 0);
}

void showWindow(WindowHandle window) {
    if (!isMainWindow(window)) {
        return;
    }
    showNativeWindow(window);
    mainWindowState.needsPaint = true;
}

void invalidateRect(WindowHandle window, const ClientRect& rect) {
    if (isMainWindow(window) && !rect.empty()) {
        mainWindowState.needsPaint = true;
    }
}

void updateWindow(WindowHandle window) {
    // A minimised window (a hidden page) has no client area, so nothing is
    // painted and the game stands still until it comes back.
    if (isMainWindow(window) && mainWindowState.needsPaint && !windowClientRect(window).empty()) {
        sendMessage(window, WM_PAINT, 0, 0);
    }
}

MessageResult sendMessage(WindowHandle window, MessageId message, WordParam wParam,
                          LongParam lParam) {
    if (!isMainWindow(window)) {
        return 0;
    }
    if (message == WM_PAINT) {
        // The paint presents the whole client area.
        mainWindowState.needsPaint = false;
    }
    return windowProcedure(window, message, wParam, lParam);
}

MessageResult dispatchMessage(const Message& message) {
    return sendMessage(message.window, message.message, message.wParam, message.lParam);
}

void destroyWindow(WindowHandle window) {
    if (!isMainWindow(window)) {
        return;
    }
    sendMessage(window, WM_DESTROY, 0, 0);
    mainWindowState = {};
    destroyNativeWindow(window);
}

WindowHandle mainWindow() {
    return mainWindowState.window;
}

int runMainWindow(WindowHandle window) {
    showWindow(window);
    runShownWindow(window);
    unregisterWindowClass();
    return 0;
}

}  // namespace zephlet
