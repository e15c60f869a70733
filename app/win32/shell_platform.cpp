// The frame loop's window calls on Windows: the system's own.
#include "app/shell_platform.h"

#include "app/arrow_sources.h"
#include "app/win32/gamepads.h"
#include "app/win32/windows_api.h"

namespace zephlet {

namespace {

// One record, kept for every pump step.
MSG message;

// What the keyboard and each pad hold of the arrows.
HeldArrows heldArrows;

// Whether the window procedure hears the message: a keyboard's arrow goes
// through the rule, which hides it while a pad holds the same arrow.
bool heard(const MSG& taken) {
    const bool down = taken.message == WM_KEYDOWN;
    if ((!down && taken.message != WM_KEYUP) || isGamepadKeyMessage(taken)) {
        return true;
    }
    return changeArrow(heldArrows, kKeyboard, static_cast<std::uint32_t>(taken.wParam), down) !=
           ArrowMessage::Nothing;
}

}  // namespace

void invalidateRect(WindowHandle window, const ClientRect& rect) {
    const RECT area{rect.left, rect.top, rect.right, rect.bottom};
    InvalidateRect(window, &area, FALSE);
}

void updateWindow(WindowHandle window) {
    UpdateWindow(window);
}

void pumpOneMessage() {
    // The pads' changes join the queue behind what waits there.
    pollOpenGamepads(heldArrows);
    // Exactly one PeekMessageA: at most one message a frame, however many wait.
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) && heard(message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

}  // namespace zephlet
