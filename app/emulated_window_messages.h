// The window procedure's messages for the platforms that have none of their
// own (SDL, the browser): numbered as Windows numbers them, so that the one
// window procedure reads the same ids everywhere; the record they travel in,
// the key messages' rule, and the default handling, which each such layer
// supplies.
#pragma once

#include <cstdint>

#include "window_handle.h"

namespace zephlet {

using MessageId = std::uint32_t;
using WordParam = std::uint32_t;
using LongParam = std::int32_t;
using MessageResult = std::int32_t;

// The messages the layers make and the window procedure or the frame loop
// reads; every other platform event becomes WM_NULL.
constexpr std::uint32_t WM_NULL = 0x0000;
constexpr std::uint32_t WM_CREATE = 0x0001;
constexpr std::uint32_t WM_DESTROY = 0x0002;
constexpr std::uint32_t WM_SIZE = 0x0005;
constexpr std::uint32_t WM_PAINT = 0x000F;
constexpr std::uint32_t WM_CLOSE = 0x0010;
constexpr std::uint32_t WM_QUIT = 0x0012;
constexpr std::uint32_t WM_KEYDOWN = 0x0100;
constexpr std::uint32_t WM_KEYUP = 0x0101;
constexpr std::uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr std::uint32_t WM_SYSKEYUP = 0x0105;
constexpr std::uint32_t WM_COMMAND = 0x0111;
constexpr std::uint32_t WM_SYSCOMMAND = 0x0112;
constexpr std::uint32_t WM_MOUSEMOVE = 0x0200;
constexpr std::uint32_t WM_LBUTTONUP = 0x0202;
constexpr std::uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr std::uint32_t WM_RBUTTONUP = 0x0205;

// WM_SIZE word parameter: what became of the window.
constexpr std::uint32_t SIZE_RESTORED = 0;
constexpr std::uint32_t SIZE_MINIMIZED = 1;

// WM_SYSCOMMAND word parameter.
constexpr std::uint32_t SC_CLOSE = 0xF060;

// Key message long parameter: Alt was held, the key was already down, the
// key is being released.
constexpr std::uint32_t kKeyContextAlt = 1u << 29;
constexpr std::uint32_t kKeyWasDown = 1u << 30;
constexpr std::uint32_t kKeyReleased = 1u << 31;

// The virtual-key codes the layers' own rules name.
constexpr std::uint32_t VK_F4 = 0x73;
constexpr std::uint32_t VK_F10 = 0x79;
// What a key with no virtual-key code of its own reports.
constexpr std::uint32_t kNoVirtualKey = 0xFF;

// A message for a window; a message without a window reaches no procedure.
struct Message {
    WindowHandle window = nullptr;
    MessageId message = WM_NULL;
    WordParam wParam = 0;
    LongParam lParam = 0;
};

// A key going down or up, as the layer's platform reports it.
struct KeyEvent {
    std::uint32_t virtualKey = kNoVirtualKey;
    bool down = false;
    bool repeat = false;  // down again while held
    bool alt = false;
    bool meta = false;  // the browser's keys; the desktop's Meta is no system key
};

// The key message the event stands for. F10, and keys with Alt or Meta
// held, are the system's keys: they go to the default handling, where Alt
// with F4 closes the window on the desktop.
Message keyMessage(WindowHandle window, const KeyEvent& key);

// Answers 0 for a message it handles itself, the default handling's result
// for any other.
using WindowProcedure = MessageResult (*)(WindowHandle window, MessageId message, WordParam wParam,
                                          LongParam lParam);

// The default handling: a close request destroys the window; on SDL Alt
// with F4 is a close request too. Everything else is left alone with
// result 0.
MessageResult defWindowProc(WindowHandle window, MessageId message, WordParam wParam,
                            LongParam lParam);

// Queues WM_QUIT with the exit code, for no window.
void postQuitMessage(std::int32_t exitCode);

}  // namespace zephlet
