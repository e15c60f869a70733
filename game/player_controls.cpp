#include "game/player_controls.h"

#include <algorithm>

#include "game/game_state.h"

namespace zephlet {

bool upLatch = false;
bool downLatch = false;
bool leftLatch = false;
bool rightLatch = false;

namespace {

constexpr std::int32_t kAltitudeStep = 2;
constexpr std::int32_t kTopAltitude = 4;

bool* latchFor(std::uint32_t virtualKey) {
    switch (virtualKey) {
        case kKeyLeft:
            return &leftLatch;
        case kKeyUp:
            return &upLatch;
        case kKeyRight:
            return &rightLatch;
        case kKeyDown:
            return &downLatch;
        default:
            return nullptr;
    }
}

}  // namespace

void pressKey(std::uint32_t virtualKey) {
    // A press during the crash pause is not accepted, so it leaves the latch
    // free: a key still held after the restart moves on its next repeat.
    if (gameState.crashed) {
        return;
    }
    bool* latch = latchFor(virtualKey);
    if (latch == nullptr || *latch) {
        return;
    }
    *latch = true;
    switch (virtualKey) {
        case kKeyLeft:
            gameState.playerLane = std::max(gameState.playerLane - kLaneWidth, -kLaneWidth);
            break;
        case kKeyRight:
            gameState.playerLane = std::min(gameState.playerLane + kLaneWidth, kLaneWidth);
            break;
        case kKeyUp:
            gameState.playerAltitude =
                std::min(gameState.playerAltitude + kAltitudeStep, kTopAltitude);
            break;
        default:
            gameState.playerAltitude = std::max(gameState.playerAltitude - kAltitudeStep, 0);
            break;
    }
}

void releaseKey(std::uint32_t virtualKey) {
    if (bool* latch = latchFor(virtualKey)) {
        *latch = false;
    }
}

void resetControls() {
    upLatch = false;
    downLatch = false;
    leftLatch = false;
    rightLatch = false;
}

}  // namespace zephlet
