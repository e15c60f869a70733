#include "tests/fake_renderer.h"

#include "app/shell_globals.h"
#include "game/game_state.h"
#include "game/world_tick.h"
#include "render/client_area.h"
#include "render/frame_presentation.h"
#include "render/graphics_resources.h"

namespace zephlet {

std::string calls;
void (*onPaint)() = [] {};

void record(const std::string& what) {
    calls += (calls.empty() ? "" : " ") + what + (quitRequested ? " flag" : "");
}

void createGraphicsResources() {
    record("create " + std::to_string(clientRect.right) + "x" + std::to_string(clientRect.bottom));
}

void releaseGraphicsResources() {
    record("release");
}

void paintFrame(WindowHandle /*window*/) {
    onPaint();
    tickWorld();
    const int altitude = gameState.playerAltitude;
    record(std::to_string(gameState.playerLane) +
           (altitude != 0 ? "^" + std::to_string(altitude) : ""));
    if (gameState.levelTick == 100) {
        quitRequested = true;  // a loop that would not end fails instead
    }
}

}  // namespace zephlet
