#include "app/win32/gamepads.h"

#include <string>
#include <utility>

namespace zephlet {

namespace {

HWND gamepadWindow = nullptr;
XInputGetStateCall xinputGetState = nullptr;
GamepadSlots gamepadSlots;

// A pad's key messages carry a repeat count of 0, which no keyboard message
// has: the pump puts the keyboard's through the rule, and a pad's have been.
constexpr LPARAM kPadKeyDown = 0;
constexpr LPARAM kPadKeyUp = static_cast<LPARAM>(0xC0000000u);

void postArrow(std::uint32_t arrow, ArrowMessage message) {
    const bool down = message == ArrowMessage::KeyDown;
    PostMessageA(gamepadWindow, down ? WM_KEYDOWN : WM_KEYUP, arrow,
                 down ? kPadKeyDown : kPadKeyUp);
}

}  // namespace

XInputGetStateCall loadXInput() {
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return nullptr;
    }
    // A full path: the loader searches nothing, the program's folder least of all.
    for (const char* dll : {"\\xinput1_4.dll", "\\xinput9_1_0.dll"}) {
        if (HMODULE module = LoadLibraryA((std::string(folder, length) + dll).c_str())) {
            if (FARPROC call = GetProcAddress(module, "XInputGetState")) {
                return reinterpret_cast<XInputGetStateCall>(reinterpret_cast<void*>(call));
            }
            FreeLibrary(module);
        }
    }
    return nullptr;
}

GamepadReading gamepadReading(const XINPUT_GAMEPAD& pad) {
    ArrowSet dpad = 0;
    const std::pair<WORD, std::uint32_t> buttons[] = {{XINPUT_GAMEPAD_DPAD_LEFT, kKeyLeft},
                                                      {XINPUT_GAMEPAD_DPAD_UP, kKeyUp},
                                                      {XINPUT_GAMEPAD_DPAD_RIGHT, kKeyRight},
                                                      {XINPUT_GAMEPAD_DPAD_DOWN, kKeyDown}};
    for (const auto& [button, arrow] : buttons) {
        if ((pad.wButtons & button) != 0) {
            dpad |= arrowBit(arrow);
        }
    }
    // -(-32768) is one past the scale's top.
    const std::int32_t downwards = pad.sThumbLY == -32768 ? 32767 : -pad.sThumbLY;
    return {dpad, pad.sThumbLX, downwards};
}

void pollGamepads(GamepadSlots& slots, XInputGetStateCall getState, bool foreground,
                  HeldArrows& held, SendArrow send) {
    const std::uint32_t turn = slots.frame++ % kEmptySlotFrames;
    for (DWORD slot = 0; slot < XUSER_MAX_COUNT; ++slot) {
        if (!slots.connected[slot] && turn != slot * (kEmptySlotFrames / XUSER_MAX_COUNT)) {
            continue;
        }
        XINPUT_STATE state{};
        slots.connected[slot] = getState(slot, &state) == ERROR_SUCCESS;
        const GamepadArrows before = slots.arrows[slot];
        GamepadArrows& after = slots.arrows[slot];
        after = slots.connected[slot] ? readGamepad(before, gamepadReading(state.Gamepad))
                                      : GamepadArrows{};
        if (!foreground) {
            after = {after.stick & before.stick, after.held & before.held};
        }
        changeGamepadArrows(held, static_cast<std::int32_t>(slot), before.held, after.held, send);
    }
}

void openGamepads(HWND window, XInputGetStateCall getState) {
    gamepadWindow = window;
    xinputGetState = getState;
}

void pollOpenGamepads(HeldArrows& held) {
    if (xinputGetState != nullptr) {
        pollGamepads(gamepadSlots, xinputGetState, GetForegroundWindow() == gamepadWindow, held,
                     postArrow);
    }
}

bool isGamepadKeyMessage(const MSG& message) {
    return (message.message == WM_KEYDOWN || message.message == WM_KEYUP) &&
           (message.lParam & 0xFFFF) == 0;
}

}  // namespace zephlet
