// The frame's way to the page's canvas: the client area from the back
// buffer in one copy, through one ImageData over the layer's own pixels.
#include "render/frame_presentation.h"

#include <vector>

#include "app/web/browser_events.h"
#include "app/web/page_calls.h"
#include "app/web/platform_window.h"
#include "render/graphics_resources.h"
#include "render/stereo_view.h"

namespace zephlet {

namespace {

// The canvas wants its bytes R, G, B, A; the back buffer holds 0x00RRGGBB.
// Made once, the size of the whole back buffer.
std::vector<std::uint32_t> canvasPixels(static_cast<std::size_t>(kBackBufferWidth) *
                                        kBackBufferHeight);

constexpr std::uint32_t canvasPixel(Pixel pixel) {
    return 0xFF000000u | (pixel & 0x00FF00u) | (pixel >> 16 & 0xFFu) | (pixel & 0xFFu) << 16;
}

}  // namespace

ClientRect windowClientRect(WindowHandle window) {
    return canvasClientRect(windowHidden(window));
}

void presentFrame(WindowHandle /*window*/, const Bitmap& frame) {
    const ClientRect covered = coveredByBackBuffer(clientRect);
    if (!covered.empty()) {
        // Kept in locals, so that the stores cannot be taken to change them
        // and the rows convert four pixels at a time.
        const std::int32_t width = covered.right;
        const std::int32_t height = covered.bottom;
        std::uint32_t* out = canvasPixels.data();
        for (const ShownColumns& block : shownColumns(width)) {
            const std::int32_t left = block.left;
            const std::int32_t right = block.right;
            const std::int32_t shift = block.from - block.left;
            std::uint32_t* rowOut = out;
            for (std::int32_t y = 0; y < height; ++y, rowOut += width) {
                const Pixel* row = frame.row(y) + shift;
                for (std::int32_t x = left; x < right; ++x) {
                    rowOut[x] = canvasPixel(row[x]);
                }
            }
        }
        putCanvasPixels(canvasPixels.data(), width, height);
    }
    for (const ClientRect& beyond : beyondBackBuffer(clientRect)) {
        if (!beyond.empty()) {
            fillCanvasWhite(beyond.left, beyond.top, beyond.right, beyond.bottom);
        }
    }
}

}  // namespace zephlet
