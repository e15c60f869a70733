// The frame loop's window calls on Windows: the system's own.
#include "app/shell_platform.h"

#include "app/win32/windows_api.h"

namespace zephlet {

namespace {

// One record, kept for every pump step.
MSG message;

}  // namespace

void invalidateRect(WindowHandle window, const ClientRect& rect) {
    const RECT area{rect.left, rect.top, rect.right, rect.bottom};
    InvalidateRect(window, &area, FALSE);
}

void updateWindow(WindowHandle window) {
    UpdateWindow(window);
}

void pumpOneMessage() {
    // Exactly one PeekMessageA: at most one message a frame, however many wait.
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace zephlet
