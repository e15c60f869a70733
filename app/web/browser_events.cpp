#include "app/web/browser_events.h"

#include <algorithm>
#include <cmath>

#include "game/player_controls.h"

namespace zephlet {

namespace {

void sendArrow(WindowHandle window, std::uint32_t arrow, ArrowMessage message,
               std::deque<Message>& queue) {
    if (message != ArrowMessage::Nothing) {
        queue.push_back(keyMessage(window, {arrow, message == ArrowMessage::KeyDown}));
    }
}

// An axis from the browser's -1..1 onto the stick's scale, where half the
// travel is exactly the press edge.
std::int32_t stickAxis(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    return static_cast<std::int32_t>(std::clamp(value * 32768.0, -32768.0, 32767.0));
}

}  // namespace

std::uint32_t browserVirtualKey(std::uint32_t keyCode) {
    return keyCode > 0 && keyCode < kNoVirtualKey ? keyCode : kNoVirtualKey;
}

bool gameTakesKey(const Message& message) {
    const bool keyMessage = message.message == WM_KEYDOWN || message.message == WM_KEYUP;
    return keyMessage && isArrowKey(message.wParam);
}

std::uint32_t padArrowNamed(std::string_view name) {
    constexpr std::string_view kNames[] = {"left", "up", "right", "down"};
    for (std::size_t i = 0; i < std::size(kNames); ++i) {
        if (name == kNames[i]) {
            return kArrowKeys[i];
        }
    }
    return kNoVirtualKey;
}

void keyboardKey(PageArrows& arrows, WindowHandle window, const KeyEvent& key,
                 std::deque<Message>& queue) {
    if (changeArrow(arrows.held, kKeyboard, key.virtualKey, key.down) != ArrowMessage::Nothing) {
        queue.push_back(keyMessage(window, key));
    }
}

void padFinger(PageArrows& arrows, WindowHandle window, std::int32_t pointer, std::uint32_t arrow,
               bool down, std::deque<Message>& queue) {
    const ArrowSource finger{ArrowSourceKind::Finger, pointer};
    if (down) {
        sendArrow(window, arrow, changeArrow(arrows.held, finger, arrow, true), queue);
        return;
    }
    for (const std::uint32_t held : kArrowKeys) {
        sendArrow(window, held, changeArrow(arrows.held, finger, held, false), queue);
    }
}

void gamepadRead(PageArrows& arrows, WindowHandle window, std::size_t pad,
                 std::uint32_t dpadButtons, double x, double y, std::deque<Message>& queue) {
    if (pad >= arrows.gamepads.size()) {
        return;
    }
    GamepadReading reading{0, stickAxis(x), stickAxis(y)};
    constexpr std::uint32_t kStandardOrder[] = {kKeyUp, kKeyDown, kKeyLeft, kKeyRight};
    for (std::size_t button = 0; button < std::size(kStandardOrder); ++button) {
        if ((dpadButtons & (1u << button)) != 0) {
            reading.dpad |= arrowBit(kStandardOrder[button]);
        }
    }
    GamepadArrows& gamepad = arrows.gamepads[pad];
    const GamepadArrows next = readGamepad(gamepad, reading);
    changeGamepadArrows(arrows.held, static_cast<std::int32_t>(pad), gamepad.held, next.held,
                        [&](std::uint32_t arrow, ArrowMessage message) {
                            sendArrow(window, arrow, message, queue);
                        });
    gamepad = next;
}

}  // namespace zephlet
