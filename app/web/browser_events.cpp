#include "app/web/browser_events.h"

#include "game/player_controls.h"

namespace zephlet {

std::uint32_t browserVirtualKey(std::uint32_t keyCode) {
    return keyCode > 0 && keyCode < kNoVirtualKey ? keyCode : kNoVirtualKey;
}

bool gameTakesKey(const Message& message) {
    const bool keyMessage = message.message == WM_KEYDOWN || message.message == WM_KEYUP;
    return keyMessage && message.wParam >= kKeyLeft && message.wParam <= kKeyDown;
}

Message visibilityMessage(WindowHandle window, bool hidden) {
    return {window, WM_SIZE, hidden ? SIZE_MINIMIZED : SIZE_RESTORED, 0};
}

ClientRect canvasClientRect(bool hidden) {
    if (hidden) {
        return {};
    }
    return {0, 0, kCanvasWidth, kCanvasHeight};
}

}  // namespace zephlet
