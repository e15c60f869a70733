// The one record of the game's changing state, and the obstacles it holds.
#pragma once

#include <cstdint>
#include <vector>

namespace zephlet {

enum ObstacleKind : std::int32_t {
    Plain = 1,  // hits only at the craft's own altitude
    Blue = 2,   // cannot be passed beneath
    Green = 3,  // cannot be passed above
};

struct Obstacle {
    std::int32_t altitude;  // 0, 2 or 4: also the stereo shift in pixels
    std::int32_t y;         // top edge of the sprite
    std::int32_t lane;      // -32, 0 or +32: pixel offset of the lane
    std::int32_t kind;      // an ObstacleKind

    friend bool operator==(const Obstacle&, const Obstacle&) = default;
};

// The obstacles in flight, oldest first. A vector whose capacity survives
// clear(), so that once a level has filled it the ticks allocate nothing.
// Removal during the walk compacts in place (see tickWorld).
using ObstacleList = std::vector<Obstacle>;

struct GameState {
    std::uint32_t levelIndex = 0;  // 0..5 are levels 1..6; 6 is the cruise
    std::int32_t levelTick = 0;
    bool crashed = false;
    std::int32_t crashTimer = 0;
    bool won = false;
    std::int32_t playerLane = 0;
    std::int32_t playerAltitude = 0;
    std::int32_t scrollOffset = 800;
    ObstacleList obstacles;
};

extern GameState gameState;

constexpr std::int32_t kLaneWidth = 32;
constexpr std::int32_t kObstacleStartY = -50;

// laneIndex is taken modulo 3 (the scripts pass 3 and 4 for lanes 0 and 1).
Obstacle makeObstacle(std::int32_t laneIndex, std::int32_t kind, std::int32_t altitudeIndex);

// After a crash pause: the same level again from its start.
void restartLevel();

// At the end of a level: the next one, the craft where it was.
void advanceLevel();

// Puts the whole game back as it is at program start: state, latches and
// random source. For tools and tests that play several runs in one process.
void resetGame();

}  // namespace zephlet
