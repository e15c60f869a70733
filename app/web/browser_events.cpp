#include "app/web/browser_events.h"

#include <algorithm>

#include "game/player_controls.h"

namespace zephlet {

namespace {

// What a key with no code of its own, or one beyond the codes, reports.
constexpr std::uint32_t kNoVirtualKey = 0xFF;
constexpr std::uint32_t kF10 = 0x79;

}  // namespace

Message keyMessage(WindowHandle window, const BrowserKey& key) {
    const std::uint32_t virtualKey =
        key.keyCode > 0 && key.keyCode < kNoVirtualKey ? key.keyCode : kNoVirtualKey;
    // F10 alone is a system key on the desktop too.
    const bool system = key.alt || key.meta || virtualKey == kF10;
    std::uint32_t flags = 1;  // repeat count
    if (key.alt) {
        flags |= kKeyContextAlt;
    }
    if (!key.down) {
        flags |= kKeyWasDown | kKeyReleased;
    } else if (key.repeat) {
        flags |= kKeyWasDown;
    }
    const MessageId message =
        key.down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
    return {window, message, virtualKey, static_cast<LongParam>(flags)};
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
    if (hidden) {
        return {window, WM_SIZE, SIZE_MINIMIZED, 0};
    }
    const auto size =
        static_cast<std::uint32_t>(kCanvasHeight) << 16 | static_cast<std::uint32_t>(kCanvasWidth);
    return {window, WM_SIZE, SIZE_RESTORED, static_cast<LongParam>(size)};
}

ClientRect canvasClientRect(bool hidden) {
    if (hidden) {
        return {};
    }
    return {0, 0, kCanvasWidth, kCanvasHeight};
}

}  // namespace zephlet
