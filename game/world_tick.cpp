#include "game/world_tick.h"

#include <cstddef>

#include "game/level_scripts.h"

namespace zephlet {

bool inHitWindow(std::int32_t y) {
    return y + 30 > kCraftTop && y < kCraftTop + 30;
}

bool hitsCraftAt(const Obstacle& obstacle, std::int32_t craftAltitude) {
    if (obstacle.altitude == craftAltitude) {
        return true;
    }
    if (obstacle.kind == Blue) {
        return craftAltitude < obstacle.altitude;
    }
    if (obstacle.kind == Green) {
        return craftAltitude > obstacle.altitude;
    }
    return false;
}

namespace {

// Moves every obstacle once, dropping those that left the picture or hit the
// craft. Survivors are compacted towards the front in their order, so the
// walk removes the obstacle at hand without disturbing the rest.
void passObstacles() {
    ObstacleList& obstacles = gameState.obstacles;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < obstacles.size(); ++i) {
        Obstacle obstacle = obstacles[i];
        obstacle.y += kFallStep;
        if (obstacle.y > kPictureHeight) {
            continue;  // gone below the picture, never tested in this tick
        }
        // A hit during the crash pause still removes the obstacle; the pause
        // itself is not started again.
        if (inHitWindow(obstacle.y) && obstacle.lane == gameState.playerLane &&
            hitsCraftAt(obstacle, gameState.playerAltitude)) {
            gameState.crashed = true;
            continue;
        }
        obstacles[kept++] = obstacle;
    }
    obstacles.resize(kept);
}

}  // namespace

void tickWorld() {
    gameState.scrollOffset += kScrollStep;
    if (gameState.scrollOffset >= kGroundHeight) {
        gameState.scrollOffset -= kGroundHeight;
    }

    if (!gameState.won) {
        gameState.levelTick += 1;
    }

    spawnObstacles();

    if (gameState.crashed) {
        gameState.crashTimer += 1;
        if (gameState.crashTimer > kCrashPauseTicks) {
            restartLevel();
        }
    }

    // Read crashed again: a level never ends during the pause; it restarts.
    if (gameState.levelTick > kLevelEndTick && !gameState.crashed) {
        advanceLevel();
    }

    passObstacles();
}

}  // namespace zephlet
