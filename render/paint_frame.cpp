#include "game/world_tick.h"
#include "render/frame_composition.h"
#include "render/frame_presentation.h"

namespace zephlet {

void paintFrame(WindowHandle window) {
    // Everything drawn below shows the state this tick left.
    tickWorld();
    clientRect = windowClientRect(window);
    composeFrame();
    presentFrame(window);
}

}  // namespace zephlet
