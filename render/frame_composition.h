// One frame: the tick, the stereo pair composed in the back buffer, and its
// presentation in one copy.
#pragma once

#include <cstdint>

struct SDL_Window;

namespace zephlet {

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

}  // namespace zephlet
