#include "tools/autopilot/autopilot.h"

#include <array>
#include <cstdlib>

#include "game/caption_rule.h"
#include "game/game_state.h"
#include "game/level_scripts.h"
#include "game/player_controls.h"
#include "game/world_tick.h"

namespace zephlet {

namespace {

// Far enough ahead to see two rows of level 5's pairs through the hit window;
// rows not yet spawned need 260 ticks to get there, so they never matter.
constexpr int kHorizon = 64;
constexpr int kCells = 9;

struct Cell {
    std::int32_t lane;
    std::int32_t altitude;
};

constexpr Cell cellAt(int index) {
    return Cell{(index / 3) * 32 - 32, (index % 3) * 2};
}

int indexOf(std::int32_t lane, std::int32_t altitude) {
    return ((lane + 32) / 32) * 3 + altitude / 2;
}

// Whether the craft at this cell is hit in the k-th tick from now.
bool blockedAt(int k, const Cell& cell) {
    for (const Obstacle& o : gameState.obstacles) {
        std::int32_t y = o.y + 2 * k;
        if (y <= kPictureHeight && inHitWindow(y) && o.lane == cell.lane &&
            hitsCraftAt(o, cell.altitude)) {
            return true;
        }
    }
    return false;
}

bool neighbours(int a, int b) {
    Cell ca = cellAt(a);
    Cell cb = cellAt(b);
    int steps = std::abs(ca.lane - cb.lane) / 32 + std::abs(ca.altitude - cb.altitude) / 2;
    return steps <= 1;
}

// The cell to be in for the next tick: the first step of a path that
// survives the longest, staying put whenever that is as good.
int nextCell(int current) {
    std::array<std::array<int, kCells>, kHorizon + 1> cameFrom{};
    for (auto& row : cameFrom) {
        row.fill(-1);
    }
    cameFrom[0][current] = current;
    int reached = 0;
    for (int k = 1; k <= kHorizon; ++k) {
        bool any = false;
        for (int cell = 0; cell < kCells; ++cell) {
            if (blockedAt(k, cellAt(cell))) {
                continue;
            }
            // Staying is tried first, so a quiet craft stays where it is.
            if (cameFrom[k - 1][cell] >= 0) {
                cameFrom[k][cell] = cell;
            } else {
                for (int from = 0; from < kCells; ++from) {
                    if (cameFrom[k - 1][from] >= 0 && neighbours(from, cell)) {
                        cameFrom[k][cell] = from;
                        break;
                    }
                }
            }
            any = any || cameFrom[k][cell] >= 0;
        }
        if (!any) {
            break;
        }
        reached = k;
    }
    if (reached == 0) {
        return current;  // nothing survives the next tick: stay and take it
    }
    int cell = cameFrom[reached][current] >= 0 ? current : 0;
    while (cameFrom[reached][cell] < 0) {
        ++cell;
    }
    for (int k = reached; k > 1; --k) {
        cell = cameFrom[k][cell];
    }
    return cell;
}

std::uint32_t keyToward(const Cell& from, const Cell& to) {
    if (to.lane < from.lane) {
        return kKeyLeft;
    }
    if (to.lane > from.lane) {
        return kKeyRight;
    }
    return to.altitude > from.altitude ? kKeyUp : kKeyDown;
}

struct ScriptWriter {
    std::string text;
    std::uint64_t pendingFrames = 0;

    void flushFrames() {
        if (pendingFrames == 1) {
            text += "frame\n";
        } else if (pendingFrames > 1) {
            text += "frame " + std::to_string(pendingFrames) + "\n";
        }
        pendingFrames = 0;
    }
    void line(const std::string& l) {
        flushFrames();
        text += l + "\n";
    }
};

std::string hex(std::uint32_t key) {
    const char* digits = "0123456789abcdef";
    return std::string("0x") + digits[(key >> 4) & 0xF] + digits[key & 0xF];
}

}  // namespace

AutopilotRun flyAutopilot(std::uint32_t seed, std::uint64_t cruiseFrames,
                          std::uint64_t frameLimit) {
    resetGame();
    AutopilotRun run;
    ScriptWriter out;
    out.text = "# zephlet-autopilot, seed " + std::to_string(seed) + "\n";
    // The game's first frame comes before the seeding, as in the window.
    advanceFrame();
    out.line("frame");
    out.line("seed " + std::to_string(seed));
    srand(seed);
    run.frames = 1;
    std::uint64_t cruising = 0;
    while (run.frames < frameLimit && cruising < cruiseFrames) {
        if (!gameState.crashed) {
            int current = indexOf(gameState.playerLane, gameState.playerAltitude);
            int target = nextCell(current);
            if (target != current) {
                std::uint32_t key = keyToward(cellAt(current), cellAt(target));
                pressKey(key);
                releaseKey(key);
                out.line("down " + hex(key));
                out.line("up " + hex(key));
            }
        }
        bool wasCrashed = gameState.crashed;
        advanceFrame();
        ++out.pendingFrames;
        ++run.frames;
        if (gameState.crashed && !wasCrashed) {
            ++run.crashes;
        }
        if (gameState.won) {
            ++cruising;
        }
    }
    out.line("print");
    run.won = gameState.won;
    run.script = std::move(out.text);
    return run;
}

}  // namespace zephlet
