#include "game/caption_rule.h"

#include "game/game_state.h"
#include "game/world_tick.h"

namespace zephlet {

bool captionShowing() {
    return gameState.levelTick < kCaptionTicks;
}

std::uint32_t chooseCaption() {
    if (gameState.levelIndex < kCongratulationRow) {
        return gameState.levelIndex;
    }
    gameState.won = true;
    return kCongratulationRow;
}

void advanceFrame() {
    tickWorld();
    if (captionShowing()) {
        chooseCaption();
    }
}

}  // namespace zephlet
