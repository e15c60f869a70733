#include "render/level_captions.h"

#include "game/caption_rule.h"
#include "render/graphics_resources.h"

namespace zephlet {

namespace {

// Each line is copied opaquely, its white box with it, so that consecutive
// lines make one white block over the ground. A line is not clipped to its
// view: a long one runs on into the gap or past the right view.
void drawCaptionLines(std::uint32_t row, int x) {
    for (int k = 0; k < kCaptionLineCount; ++k) {
        SDL_Surface* line = captionLines[row][static_cast<std::size_t>(k)];
        if (line == nullptr) {
            continue;  // an empty line draws nothing, not even its box
        }
        SDL_Rect at{x, kCaptionTopY + kCaptionLineHeight * k, 0, 0};
        SDL_BlitSurface(line, nullptr, backBufferDC, &at);
    }
}

}  // namespace

void drawLevelCaption() {
    // Choosing the congratulation is what begins the cruise (it sets won).
    const std::uint32_t row = chooseCaption();
    drawCaptionLines(row, kCaptionLeftX);
    drawCaptionLines(row, kCaptionRightX);
}

}  // namespace zephlet
