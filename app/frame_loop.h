// The program's one loop: a paint, and so a tick, every 17 ms, with one
// waiting message taken between two paints.
#pragma once

struct SDL_Window;

namespace zephlet {

// Takes at most one waiting message and hands it to its window.
void pumpOneMessage();

// Runs until the window has been destroyed. The first pump step comes
// before the first paint of the loop.
void runFrameLoop(SDL_Window* window);

}  // namespace zephlet
