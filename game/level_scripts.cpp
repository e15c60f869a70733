#include "game/level_scripts.h"

#include "game/game_state.h"

namespace zephlet {

namespace {

std::uint32_t state = 1;

void append(std::int32_t laneIndex, std::int32_t kind, std::int32_t altitudeIndex) {
    gameState.obstacles.push_back(makeObstacle(laneIndex, kind, altitudeIndex));
}

std::int32_t drawThird() {
    return rand() % 3;
}
bool drawEven() {
    return rand() % 2 == 0;
}

// Level 1: one or two plain obstacles in neighbouring lanes.
void makeOneOrTwoRow() {
    std::int32_t lane = drawThird();
    append(lane, Plain, drawThird());
    if (drawThird() != 0) {
        append(lane + 1, Plain, drawThird());
    }
}

// Levels 2 and 5: a full row; only altitude gets the craft through.
void makeFullPlainRow() {
    for (std::int32_t lane = 0; lane < 3; ++lane) {
        append(lane, Plain, drawThird());
    }
}

// Level 3: a full row with at most two blue obstacles.
void makeBlueRow() {
    int bluePlaced = 0;
    for (std::int32_t lane = 0; lane < 3; ++lane) {
        std::int32_t kind = Plain;
        if (bluePlaced < 2 && drawEven()) {
            kind = Blue;
            ++bluePlaced;
        }
        append(lane, kind, drawThird());
    }
}

// Level 4: plain, blue and green, each in a lane of its own. The third draw
// is thrown away, and a plain lane 0 puts blue in 1 and green in 2 (not 2
// and 1): both are part of the game's rows and must stay.
void makeMixedRow() {
    std::int32_t plainLane = drawThird();
    append(plainLane, Plain, drawThird());
    rand();
    std::int32_t blueLane = plainLane == 0 ? 1 : plainLane + 2;
    std::int32_t greenLane = plainLane == 0 ? 2 : plainLane + 1;
    append(blueLane, Blue, drawThird());
    append(greenLane, Green, drawThird());
}

// Level 6: one open lane, passable at one altitude only.
void makeOneWayRow() {
    std::int32_t openLane = drawThird();
    for (std::int32_t lane = 0; lane < 3; ++lane) {
        bool blue = drawEven();
        if (lane == openLane) {
            append(lane, blue ? Blue : Green, 1);
        } else {
            append(lane, blue ? Blue : Green, blue ? 2 : 0);
        }
    }
}

}  // namespace

void srand(std::uint32_t seed) {
    state = seed;
}

std::int32_t rand() {
    state = state * 214013u + 2531011u;  // wraps modulo 2^32
    return static_cast<std::int32_t>((state >> 16) & 0x7FFFu);
}

std::uint32_t randomState() {
    return state;
}

bool rowDue(std::uint32_t levelIndex, std::int32_t levelTick) {
    switch (levelIndex) {
        case 0:
        case 1:
            return levelTick % 90 == 0;
        case 2:
            return levelTick % 80 == 0;
        case 3:
            return levelTick % 70 == 0;
        case 4:
            // Pairs of rows 18 ticks apart: 72 and 90, 162 and 180, ...
            return levelTick % 90 == 0 || (levelTick + 18) % 90 == 0;
        case 5:
            return levelTick % 60 == 0;
        default:
            return false;
    }
}

void spawnObstacles() {
    const std::int32_t tick = gameState.levelTick;
    const std::uint32_t level = gameState.levelIndex;
    if (tick > kLastSpawnTick || level >= kCruiseLevelIndex || !rowDue(level, tick)) {
        return;
    }
    switch (level) {
        case 0:
            makeOneOrTwoRow();
            break;
        case 1:
        case 4:
            makeFullPlainRow();
            break;
        case 2:
            makeBlueRow();
            break;
        case 3:
            makeMixedRow();
            break;
        default:
            makeOneWayRow();
            break;
    }
}

}  // namespace zephlet
