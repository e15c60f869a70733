// SDL's keys as the virtual-key codes the window procedure passes on.
#pragma once

#include <SDL_keyboard.h>

#include <cstdint>

#include "app/emulated_window_messages.h"
#include "game/player_controls.h"

namespace zephlet {

constexpr std::uint32_t VK_BACK = 0x08;
constexpr std::uint32_t VK_TAB = 0x09;
constexpr std::uint32_t VK_CLEAR = 0x0C;
constexpr std::uint32_t VK_RETURN = 0x0D;
constexpr std::uint32_t VK_SHIFT = 0x10;
constexpr std::uint32_t VK_CONTROL = 0x11;
constexpr std::uint32_t VK_MENU = 0x12;  // Alt
constexpr std::uint32_t VK_ESCAPE = 0x1B;
constexpr std::uint32_t VK_SPACE = 0x20;
constexpr std::uint32_t VK_LEFT = kKeyLeft;
constexpr std::uint32_t VK_UP = kKeyUp;
constexpr std::uint32_t VK_RIGHT = kKeyRight;
constexpr std::uint32_t VK_DOWN = kKeyDown;
constexpr std::uint32_t VK_NUMPAD0 = 0x60;
constexpr std::uint32_t VK_F1 = 0x70;

// Letters follow the keyboard layout, as the virtual-key codes of letters
// do; every other key goes by where it sits on the keyboard. SDL's own key
// codes are never passed on: those of '%', '&', '\'' and '(' are 0x25 to
// 0x28, the arrows' virtual-key codes.
std::uint32_t virtualKeyCode(const SDL_Keysym& key);

}  // namespace zephlet
