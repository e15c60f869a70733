#include "app/sdl/virtual_keys.h"

namespace zephlet {

namespace {

// The keypad's digit keys: with Num Lock on they are the keypad digits,
// with it off they move like the keys printed under the digits, so that
// 4, 8, 6 and 2 steer.
std::uint32_t keypadKey(SDL_Scancode scancode, bool numLock) {
    constexpr std::uint32_t kNavigation[] = {
        0x2D,      // 0: Insert
        0x23,      // 1: End
        VK_DOWN,   // 2
        0x22,      // 3: Page Down
        VK_LEFT,   // 4
        VK_CLEAR,  // 5
        VK_RIGHT,  // 6
        0x24,      // 7: Home
        VK_UP,     // 8
        0x21,      // 9: Page Up
    };
    // SDL numbers the keypad 1..9 and then 0.
    const auto digit = scancode == SDL_SCANCODE_KP_0
                           ? 0u
                           : static_cast<std::uint32_t>(scancode - SDL_SCANCODE_KP_1) + 1;
    return numLock ? VK_NUMPAD0 + digit : kNavigation[digit];
}

std::uint32_t keyAtPosition(SDL_Scancode scancode, bool numLock) {
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
        return 'A' + static_cast<std::uint32_t>(scancode - SDL_SCANCODE_A);
    }
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) {
        return '1' + static_cast<std::uint32_t>(scancode - SDL_SCANCODE_1);
    }
    if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12) {
        return VK_F1 + static_cast<std::uint32_t>(scancode - SDL_SCANCODE_F1);
    }
    if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24) {
        return VK_F1 + 12 + static_cast<std::uint32_t>(scancode - SDL_SCANCODE_F13);
    }
    if ((scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_0)) {
        return keypadKey(scancode, numLock);
    }
    switch (scancode) {
        case SDL_SCANCODE_0:
            return '0';
        case SDL_SCANCODE_RETURN:
            return VK_RETURN;
        case SDL_SCANCODE_KP_ENTER:
            return VK_RETURN;
        case SDL_SCANCODE_ESCAPE:
            return VK_ESCAPE;
        case SDL_SCANCODE_BACKSPACE:
            return VK_BACK;
        case SDL_SCANCODE_TAB:
            return VK_TAB;
        case SDL_SCANCODE_SPACE:
            return VK_SPACE;
        case SDL_SCANCODE_LEFT:
            return VK_LEFT;
        case SDL_SCANCODE_UP:
            return VK_UP;
        case SDL_SCANCODE_RIGHT:
            return VK_RIGHT;
        case SDL_SCANCODE_DOWN:
            return VK_DOWN;
        case SDL_SCANCODE_PAGEUP:
            return 0x21;
        case SDL_SCANCODE_PAGEDOWN:
            return 0x22;
        case SDL_SCANCODE_END:
            return 0x23;
        case SDL_SCANCODE_HOME:
            return 0x24;
        case SDL_SCANCODE_PRINTSCREEN:
            return 0x2C;
        case SDL_SCANCODE_INSERT:
            return 0x2D;
        case SDL_SCANCODE_DELETE:
            return 0x2E;
        case SDL_SCANCODE_KP_PERIOD:
            return numLock ? 0x6E : 0x2E;
        case SDL_SCANCODE_LSHIFT:
        case SDL_SCANCODE_RSHIFT:
            return VK_SHIFT;
        case SDL_SCANCODE_LCTRL:
        case SDL_SCANCODE_RCTRL:
            return VK_CONTROL;
        case SDL_SCANCODE_LALT:
        case SDL_SCANCODE_RALT:
            return VK_MENU;
        case SDL_SCANCODE_PAUSE:
            return 0x13;
        case SDL_SCANCODE_CAPSLOCK:
            return 0x14;
        case SDL_SCANCODE_LGUI:
            return 0x5B;
        case SDL_SCANCODE_RGUI:
            return 0x5C;
        case SDL_SCANCODE_APPLICATION:
            return 0x5D;
        case SDL_SCANCODE_KP_MULTIPLY:
            return 0x6A;
        case SDL_SCANCODE_KP_PLUS:
            return 0x6B;
        case SDL_SCANCODE_KP_MINUS:
            return 0x6D;
        case SDL_SCANCODE_KP_DIVIDE:
            return 0x6F;
        case SDL_SCANCODE_NUMLOCKCLEAR:
            return 0x90;
        case SDL_SCANCODE_SCROLLLOCK:
            return 0x91;
        case SDL_SCANCODE_MUTE:
            return 0xAD;
        case SDL_SCANCODE_VOLUMEDOWN:
            return 0xAE;
        case SDL_SCANCODE_VOLUMEUP:
            return 0xAF;
        case SDL_SCANCODE_AUDIONEXT:
            return 0xB0;
        case SDL_SCANCODE_AUDIOPREV:
            return 0xB1;
        case SDL_SCANCODE_AUDIOSTOP:
            return 0xB2;
        case SDL_SCANCODE_AUDIOPLAY:
            return 0xB3;
        // The punctuation keys, by their place on a US keyboard.
        case SDL_SCANCODE_SEMICOLON:
            return 0xBA;
        case SDL_SCANCODE_EQUALS:
            return 0xBB;
        case SDL_SCANCODE_COMMA:
            return 0xBC;
        case SDL_SCANCODE_MINUS:
            return 0xBD;
        case SDL_SCANCODE_PERIOD:
            return 0xBE;
        case SDL_SCANCODE_SLASH:
            return 0xBF;
        case SDL_SCANCODE_GRAVE:
            return 0xC0;
        case SDL_SCANCODE_LEFTBRACKET:
            return 0xDB;
        case SDL_SCANCODE_BACKSLASH:
        case SDL_SCANCODE_NONUSHASH:
            return 0xDC;
        case SDL_SCANCODE_RIGHTBRACKET:
            return 0xDD;
        case SDL_SCANCODE_APOSTROPHE:
            return 0xDE;
        case SDL_SCANCODE_NONUSBACKSLASH:
            return 0xE2;
        default:
            return kNoVirtualKey;
    }
}

}  // namespace

std::uint32_t virtualKeyCode(const SDL_Keysym& key) {
    if (key.sym >= SDLK_a && key.sym <= SDLK_z) {
        return 'A' + static_cast<std::uint32_t>(key.sym - SDLK_a);
    }
    return keyAtPosition(key.scancode, (key.mod & KMOD_NUM) != 0);
}

}  // namespace zephlet
