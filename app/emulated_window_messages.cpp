#include "app/emulated_window_messages.h"

namespace zephlet {

Message keyMessage(WindowHandle window, const KeyEvent& key) {
    const bool system = key.alt || key.meta || key.virtualKey == VK_F10;
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
    return {window, message, key.virtualKey, static_cast<LongParam>(flags)};
}

}  // namespace zephlet
