#include "app/web/browser_events.h"

#include <algorithm>

#include "game/player_controls.h"

namespace zephlet {

std::uint32_t browserVirtualKey(std::uint32_t keyCode) {
    return keyCode > 0 && keyCode < kNoVirtualKey ? keyCode : kNoVirtualKey;
}

bool gameTakesKey(const Message& message) {
    const bool keyMessage = message.message == WM_KEYDOWN || message.message == WM_KEYUP;
    return keyMessage && message.wParam >= kKeyLeft && message.wParam <= kKeyDown;
}

std::optional<Message> padMessage(WindowHandle window, PadFingers& fingers, std::int32_t pointer,
                                  std::uint32_t keyCode, PadTouch touch) {
    const auto begin = fingers.held.begin();
    const auto end = begin + static_cast<std::ptrdiff_t>(fingers.count);
    const auto holds = [](std::uint32_t key) {
        return [key](const PadFingers::Finger& finger) { return finger.keyCode == key; };
    };
    const auto finger = std::find_if(
        begin, end, [pointer](const PadFingers::Finger& f) { return f.pointer == pointer; });
    if (touch == PadTouch::Press) {
        const bool arrow = keyCode >= kKeyLeft && keyCode <= kKeyDown;
        if (!arrow || finger != end || fingers.count == fingers.held.size()) {
            return std::nullopt;
        }
        const bool alreadyDown = std::any_of(begin, end, holds(keyCode));
        fingers.held[fingers.count++] = {pointer, keyCode};
        if (alreadyDown) {
            return std::nullopt;
        }
        return keyMessage(window, {keyCode, true});
    }
    if (finger == end) {
        return std::nullopt;
    }
    const std::uint32_t released = finger->keyCode;
    std::copy(finger + 1, end, finger);
    --fingers.count;
    const auto left = begin + static_cast<std::ptrdiff_t>(fingers.count);
    if (std::any_of(begin, left, holds(released))) {
        return std::nullopt;
    }
    return keyMessage(window, {released, false});
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
