// Every source of the four arrows under one rule, below the platform layers:
// the keyboard, each finger on the page's touch pad, each gamepad. An arrow
// is held while any source holds it; the window procedure hears of it when
// the first source presses it and when the last one lets go, so the game
// never learns where a press came from.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "game/player_controls.h"

namespace zephlet {

enum class ArrowSourceKind : std::uint8_t { Keyboard, Finger, Gamepad };

// One source: the keyboard, a finger by its pointer, a gamepad by its slot.
struct ArrowSource {
    ArrowSourceKind kind = ArrowSourceKind::Keyboard;
    std::int32_t id = 0;
    friend bool operator==(const ArrowSource&, const ArrowSource&) = default;
};

constexpr ArrowSource kKeyboard{};

// Which arrows each source holds: held or not, never a count, so a release
// that a source never reported (the keyboard's key-up lost to another
// window) is mended by that source's next press and release.
struct HeldArrows {
    struct Hold {
        ArrowSource source;
        std::uint32_t arrow = 0;
    };
    // The keyboard's four, ten fingers and eight pads holding all four, with room to spare.
    std::array<Hold, 64> holds{};
    std::size_t count = 0;
};

// What the window procedure gets for a source's press or release.
enum class ArrowMessage : std::uint8_t { Nothing, KeyDown, KeyUp };

// Records the source's press or release of the key. The keyboard's messages
// pass as they come (auto-repeat, a release never seen pressed, any key
// that is not an arrow) unless another source holds the arrow; every other
// source is heard only when it changes what it holds and nothing else holds
// the arrow. A press that finds no room is nothing, so no arrow is ever
// left held.
ArrowMessage changeArrow(HeldArrows& held, ArrowSource source, std::uint32_t virtualKey, bool down);

// Whether any source holds the arrow.
bool arrowHeld(const HeldArrows& held, std::uint32_t virtualKey);

// The arrows as bits, one for each of kArrowKeys.
using ArrowSet = std::uint32_t;
ArrowSet arrowBit(std::uint32_t virtualKey);

// A gamepad as one frame reads it: the d-pad's arrows, and the left stick on
// SDL's scale, -32768 to 32767, x to the right and y downwards.
struct GamepadReading {
    ArrowSet dpad = 0;
    std::int32_t stickX = 0;
    std::int32_t stickY = 0;
};

// An axis presses its direction past half its travel and releases it below
// about a third, so that a stick resting near the edge makes no moves.
constexpr std::int32_t kStickPress = 16384;
constexpr std::int32_t kStickRelease = 10923;

// What a gamepad holds, kept from frame to frame for the stick's two edges.
struct GamepadArrows {
    ArrowSet stick = 0;
    ArrowSet held = 0;  // the d-pad's and the stick's together
};

// What the pad holds after this reading: one direction per axis at a time.
GamepadArrows readGamepad(const GamepadArrows& previous, const GamepadReading& reading);

// Hands each arrow whose hold changed between two readings of one pad to
// the rule, and each message it gives to `send` (a layer's queue).
template <typename Send>
void changeGamepadArrows(HeldArrows& held, std::int32_t pad, ArrowSet before, ArrowSet after,
                         Send&& send) {
    for (const std::uint32_t arrow : kArrowKeys) {
        const bool down = (after & arrowBit(arrow)) != 0;
        if (down != ((before & arrowBit(arrow)) != 0)) {
            const ArrowMessage message =
                changeArrow(held, {ArrowSourceKind::Gamepad, pad}, arrow, down);
            if (message != ArrowMessage::Nothing) {
                send(arrow, message);
            }
        }
    }
}

}  // namespace zephlet
