// XInput's pads as sources of the arrows: the system's XInput, loaded at run
// time, its four slots polled once a frame, and each pad's changes handed to
// the rule of app/arrow_sources.h.
#pragma once

#include <array>
#include <cstdint>

#include "app/arrow_sources.h"
#include "app/win32/windows_api.h"
// After windows_api.h, which it needs.
#include <xinput.h>

namespace zephlet {

using XInputGetStateCall = DWORD(WINAPI*)(DWORD slot, XINPUT_STATE* state);

// XInputGetState of the system folder's XInput (1.4, or 9.1.0 where there is
// none, as on Windows 7), never of a DLL beside the program; null without
// either, and the game plays with the keyboard.
XInputGetStateCall loadXInput();

// What each of XInput's slots held at the last poll.
struct GamepadSlots {
    std::array<GamepadArrows, XUSER_MAX_COUNT> arrows{};
    std::array<bool, XUSER_MAX_COUNT> connected{};
    std::uint32_t frame = 0;
};

// Asking an empty slot is slow on Windows: each one is asked about once a
// second, one slot in a frame.
constexpr std::uint32_t kEmptySlotFrames = 60;

// A pad as the rule reads it: XInput's thumb y points up, the rule's down.
GamepadReading gamepadReading(const XINPUT_GAMEPAD& pad);

using SendArrow = void (*)(std::uint32_t arrow, ArrowMessage message);

// One frame's poll of every connected slot and of the empty one whose turn
// it is. A pad that is gone releases what it held. While another window is
// in the foreground a pad's presses are not heard, its releases are.
void pollGamepads(GamepadSlots& slots, XInputGetStateCall getState, bool foreground,
                  HeldArrows& held, SendArrow send);

// The game's pads, read with getState (null: none), each change posted to
// the window as a key message that the pump tells from the keyboard's.
void openGamepads(HWND window, XInputGetStateCall getState);
void pollOpenGamepads(HeldArrows& held);
bool isGamepadKeyMessage(const MSG& message);

}  // namespace zephlet
