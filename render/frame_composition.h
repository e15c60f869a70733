// One frame: the stereo pair composed in the back buffer, on any platform.
#pragma once

#include <cstdint>

#include "render/bitmap.h"

namespace zephlet {

// Left edges of a sprite in the two views. The altitude shifts it right in
// the left view and left in the right one, which puts it that high above the
// ground in the fused picture.
struct SpriteColumns {
    std::int32_t left;
    std::int32_t right;
};
SpriteColumns spriteColumns(std::int32_t lane, std::int32_t altitude);

// Composes the current state for clientRect into the back buffer: the white
// clear, the ground strip, the three altitude layers and the caption. Needs
// no window. In a view that rearranges the pair, the whole pair is composed
// however narrow the client area.
void composeFrame();

// Draws the craft (if at this altitude) and then the obstacles of this
// altitude, oldest first, in both views.
void drawLayer(std::int32_t altitude);

// What the window shows of the back buffer in the chosen view: clientRect's
// size, white beyond the back buffer. For pictures of the frame taken
// without a window.
Bitmap clientAreaPicture();

}  // namespace zephlet
