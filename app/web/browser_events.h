// What the page's events are to the window procedure: plain rules, with
// nothing of the browser in them, so that they are tested natively too.
#pragma once

#include <cstdint>

#include "app/emulated_window_messages.h"
#include "render/client_area.h"

namespace zephlet {

// The canvas is the desktop window's client area: 265 x 600 outside, less
// its frame and title bar. The page's markup takes its size from here.
constexpr std::int32_t kCanvasWidth = 263;
constexpr std::int32_t kCanvasHeight = 575;

// The browser's keyCode numbers the keys as virtual-key codes do, the
// arrows 0x25 to 0x28 included; a key with no code, or one beyond the
// codes, has none.
std::uint32_t browserVirtualKey(std::uint32_t keyCode);

// Whether the page keeps the key from the browser: only the arrows that
// reach the game, so that they never scroll the page. Every other key does
// what it does in any page, and with Alt or Meta held a key is the
// browser's, as Alt with a key is the system's on the desktop.
bool gameTakesKey(const Message& message);

// A hidden page is a minimised window, and showing it again restores it.
Message visibilityMessage(WindowHandle window, bool hidden);

// The canvas's client area: empty while the page is hidden, so that nothing
// is painted and the game stands still.
ClientRect canvasClientRect(bool hidden);

}  // namespace zephlet
