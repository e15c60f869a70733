// The arrow keys: one lane or one altitude step per press.
#pragma once

#include <cstdint>

namespace zephlet {

// Virtual-key codes of the arrow keys.
constexpr std::uint32_t kKeyLeft = 0x25;
constexpr std::uint32_t kKeyUp = 0x26;
constexpr std::uint32_t kKeyRight = 0x27;
constexpr std::uint32_t kKeyDown = 0x28;
// The four keys that steer; no other key has any effect.
constexpr std::uint32_t kArrowKeys[] = {kKeyLeft, kKeyUp, kKeyRight, kKeyDown};

constexpr bool isArrowKey(std::uint32_t virtualKey) {
    return virtualKey >= kKeyLeft && virtualKey <= kKeyDown;
}

// One latch per arrow key, set from an accepted press to the next release,
// so that the keyboard's auto-repeat moves the craft only once.
extern bool upLatch;
extern bool downLatch;
extern bool leftLatch;
extern bool rightLatch;

void pressKey(std::uint32_t virtualKey);
void releaseKey(std::uint32_t virtualKey);

// All four latches released, as at program start.
void resetControls();

}  // namespace zephlet
