#include "app/web/browser_events.h"

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
