#include "app/sdl/virtual_keys.h"

#include "game/player_controls.h"

namespace zephlet {

namespace {

// With Num Lock on, the keypad's digits are digits, which steer nothing.
std::uint32_t keypadArrow(const SDL_Keysym& key, std::uint32_t arrow) {
    return (key.mod & KMOD_NUM) != 0 ? kNoVirtualKey : arrow;
}

}  // namespace

std::uint32_t virtualKeyCode(const SDL_Keysym& key) {
    switch (key.scancode) {
        case SDL_SCANCODE_LEFT:
            return kKeyLeft;
        case SDL_SCANCODE_UP:
            return kKeyUp;
        case SDL_SCANCODE_RIGHT:
            return kKeyRight;
        case SDL_SCANCODE_DOWN:
            return kKeyDown;
        case SDL_SCANCODE_KP_4:
            return keypadArrow(key, kKeyLeft);
        case SDL_SCANCODE_KP_8:
            return keypadArrow(key, kKeyUp);
        case SDL_SCANCODE_KP_6:
            return keypadArrow(key, kKeyRight);
        case SDL_SCANCODE_KP_2:
            return keypadArrow(key, kKeyDown);
        case SDL_SCANCODE_F4:
            return VK_F4;
        case SDL_SCANCODE_F10:
            return VK_F10;
        case SDL_SCANCODE_LALT:
        case SDL_SCANCODE_RALT:
            return VK_MENU;
        default:
            return kNoVirtualKey;
    }
}

}  // namespace zephlet
