// The window procedure's messages for the platforms that have none of their
// own (SDL, the browser): numbered as the platform the game was first
// written for numbers them, the record they travel in, and the default
// handling, which each such layer supplies.
#pragma once

#include <cstdint>

#include "window_handle.h"

namespace zephlet {

using MessageId = std::uint32_t;
using WordParam = std::uint32_t;
using LongParam = std::int32_t;
using MessageResult = std::int32_t;

// Message ids.
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
constexpr std::uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr std::uint32_t WM_LBUTTONUP = 0x0202;
constexpr std::uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr std::uint32_t WM_RBUTTONUP = 0x0205;
constexpr std::uint32_t WM_MBUTTONDOWN = 0x0207;
constexpr std::uint32_t WM_MBUTTONUP = 0x0208;
constexpr std::uint32_t WM_MOUSEWHEEL = 0x020A;
constexpr std::uint32_t WM_XBUTTONDOWN = 0x020B;
constexpr std::uint32_t WM_XBUTTONUP = 0x020C;

// WM_SIZE word parameter.
constexpr std::uint32_t SIZE_RESTORED = 0;
constexpr std::uint32_t SIZE_MINIMIZED = 1;
constexpr std::uint32_t SIZE_MAXIMIZED = 2;

// WM_SYSCOMMAND word parameter.
constexpr std::uint32_t SC_CLOSE = 0xF060;

// Key message long parameter: Alt was held, the key was already down, the
// key is being released.
constexpr std::uint32_t kKeyContextAlt = 1u << 29;
constexpr std::uint32_t kKeyWasDown = 1u << 30;
constexpr std::uint32_t kKeyReleased = 1u << 31;

// A message for a window; a message without a window reaches no procedure.
struct Message {
    WindowHandle window = nullptr;
    MessageId message = WM_NULL;
    WordParam wParam = 0;
    LongParam lParam = 0;
};

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
