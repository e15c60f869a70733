// The frame's way to the page's canvas: the client area of the frame to show
// in one copy a block of shown columns. The page composes in the canvas's
// byte order, so the canvas takes the frame's rows as they are, with nothing
// converted.
#include "render/frame_presentation.h"

#include "app/web/browser_events.h"
#include "app/web/page_calls.h"
#include "app/web/platform_window.h"
#include "render/graphics_resources.h"
#include "render/stereo_view.h"

namespace zephlet {

static_assert(makePixel(1, 2, 3) == 0xFF030201u, "the canvas's bytes are R, G, B, A");

// Empty while the page is hidden, so that nothing is painted and the game
// stands still.
ClientRect windowClientRect(WindowHandle window) {
    if (windowHidden(window)) {
        return {};
    }
    return {0, 0, kCanvasWidth, kCanvasHeight};
}

void presentFrame(WindowHandle /*window*/, const Bitmap& frame) {
    const ClientRect covered = coveredByBackBuffer(clientRect);
    if (!covered.empty()) {
        // The crossed view's bands change places here, a block at a time.
        for (const ShownColumns& block : shownColumns(covered.right)) {
            putCanvasPixels(frame.pixels.data(), frame.width, frame.height, block.left, block.right,
                            block.from, covered.bottom);
        }
    }
    for (const ClientRect& beyond : beyondBackBuffer(clientRect)) {
        if (!beyond.empty()) {
            fillCanvasWhite(beyond.left, beyond.top, beyond.right, beyond.bottom);
        }
    }
}

}  // namespace zephlet
