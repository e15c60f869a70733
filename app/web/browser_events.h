// What the page's events are to the window procedure: plain rules, with
// nothing of the browser in them, so that they are tested natively too.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string_view>

#include "app/arrow_sources.h"
#include "app/emulated_window_messages.h"

namespace zephlet {

// The canvas is the desktop window's client area: 265 x 600 outside, less
// its frame and title bar. The page's script sizes the canvas from here.
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

// The arrow a button of the page's pad names in its data-arrow attribute
// ("left", "up", "right", "down"); kNoVirtualKey for any other name.
std::uint32_t padArrowNamed(std::string_view name);

// The pads the page reads, by the browser's index; a pad at a higher index
// is not read.
constexpr std::size_t kPageGamepads = 8;

// Every source of the arrows in the page: the keyboard, each finger on the
// pad by its pointer id, each gamepad by its index.
struct PageArrows {
    HeldArrows held;
    std::array<GamepadArrows, kPageGamepads> gamepads{};
};

// The messages each source's change puts in the layer's queue, through the
// rule that an arrow is held while any source holds it.
//
// A key of the keyboard: its own message, unless another source holds the
// arrow.
void keyboardKey(PageArrows& arrows, WindowHandle window, const KeyEvent& key,
                 std::deque<Message>& queue);
// A finger presses one of the pad's arrows, or lifts off or has its touch
// cancelled (an app switch, a gesture of the system's); either way it lets
// go of what it held, wherever it slid.
void padFinger(PageArrows& arrows, WindowHandle window, std::int32_t pointer, std::uint32_t arrow,
               bool down, std::deque<Message>& queue);
// One frame's reading of a gamepad: the standard mapping's buttons 12 to 15
// (up, down, left, right) as bits from bit 0, and its first two axes, -1 to
// 1 to the right and downwards. An absent pad reads all zero and so lets go.
// Axes beyond the range count as its end and anything not a number as the
// middle.
void gamepadRead(PageArrows& arrows, WindowHandle window, std::size_t pad,
                 std::uint32_t dpadButtons, double x, double y, std::deque<Message>& queue);

}  // namespace zephlet
