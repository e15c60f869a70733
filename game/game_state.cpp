#include "game/game_state.h"

#include <cstddef>
#include <utility>

#include "game/level_scripts.h"
#include "game/player_controls.h"

namespace zephlet {

namespace {

// Room for more obstacles than any level keeps in flight (level 5 peaks
// near 24), so appending never allocates while the game runs.
constexpr std::size_t kObstacleReserve = 64;

GameState initialGameState() {
    GameState state;
    state.obstacles.reserve(kObstacleReserve);
    return state;
}

}  // namespace

GameState gameState = initialGameState();

Obstacle makeObstacle(std::int32_t laneIndex, std::int32_t kind, std::int32_t altitudeIndex) {
    // Remainder first, so a negative index could never give a lane outside the three.
    std::int32_t lane = ((laneIndex % 3) + 3) % 3;
    return Obstacle{2 * altitudeIndex, kObstacleStartY, lane * kLaneWidth - kLaneWidth, kind};
}

void restartLevel() {
    gameState.playerAltitude = 0;
    gameState.scrollOffset = 800;
    gameState.playerLane = 0;
    gameState.crashed = false;
    gameState.crashTimer = 0;
    gameState.levelTick = 0;
    gameState.obstacles.clear();
}

void advanceLevel() {
    gameState.levelIndex += 1;
    gameState.levelTick = 0;
    gameState.obstacles.clear();
}

void resetGame() {
    gameState.obstacles.clear();
    ObstacleList kept = std::move(gameState.obstacles);
    gameState = GameState{};
    gameState.obstacles = std::move(kept);
    resetControls();
    srand(1);
}

}  // namespace zephlet
