#include "game/world_tick.h"
#include "render/frame_composition.h"
#include "render/frame_presentation.h"
#include "render/graphics_resources.h"
#include "render/stereo_view.h"

namespace zephlet {

void paintFrame(WindowHandle window) {
    // Everything drawn below shows the state this tick left.
    tickWorld();
    clientRect = windowClientRect(window);
    composeFrame();
    presentFrame(window, viewedFrame(*backBufferDC, clientRect));
}

}  // namespace zephlet
