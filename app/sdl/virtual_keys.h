// SDL's keys as the virtual-key codes the window procedure passes on.
#pragma once

#include <SDL_keyboard.h>

#include <cstdint>

#include "app/emulated_window_messages.h"

namespace zephlet {

constexpr std::uint32_t VK_MENU = 0x12;  // Alt

// The keys someone reads: the arrows, which the keypad's 4, 8, 6 and 2 are
// with Num Lock off, as on Windows; F4 and F10, and Alt, for the system's
// keys. Every other key is kNoVirtualKey, a key that does nothing. Keys go
// by where they sit on the keyboard: SDL's own key codes of '%', '&', '\''
// and '(' are 0x25 to 0x28, the arrows' virtual-key codes.
std::uint32_t virtualKeyCode(const SDL_Keysym& key);

}  // namespace zephlet
