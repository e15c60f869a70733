// One frame: the tick, the stereo pair composed in the back buffer, and its
// presentation in one copy.
#pragma once

#include <cstdint>

struct SDL_Surface;
struct SDL_Window;

namespace zephlet {

// Left edges of a sprite in the two views. The altitude shifts it right in
// the left view and left in the right one, which puts it that high above the
// ground in the fused picture.
struct SpriteColumns {
    std::int32_t left;
    std::int32_t right;
};
SpriteColumns spriteColumns(std::int32_t lane, std::int32_t altitude);

// The whole paint handling: one world tick, the client rectangle refreshed,
// the frame composed and presented.
void paintFrame(SDL_Window* window);

// Composes the current state for clientRect into the back buffer: the white
// clear, the ground strip, the three altitude layers and the caption. Needs
// no window.
void composeFrame();

// Draws the craft (if at this altitude) and then the obstacles of this
// altitude, oldest first, in both views.
void drawLayer(std::int32_t altitude);

// Copies clientRect from the back buffer to the window in one copy; any
// part of the client area beyond the back buffer is shown white.
void presentFrame(SDL_Window* window);

// The copy behind presentFrame, into any surface: clientRect's area of the
// back buffer to the target's top-left corner, white beyond 800 x 600.
void copyClientArea(SDL_Surface* target);

}  // namespace zephlet
