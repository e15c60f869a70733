// The program's one loop: a paint, and so a tick, every 17 ms, with one
// waiting message taken between two paints.
#pragma once

#include "window_handle.h"

namespace zephlet {

// Runs until the window has been destroyed. The first pump step comes
// before the first paint of the loop.
void runFrameLoop(WindowHandle window);

// The start-up from the shown window on, the same on every platform: the
// first paint (and so the first tick), the client rectangle, the seed, then
// the loop until the window is gone.
void runShownWindow(WindowHandle window);

}  // namespace zephlet
