// The program's one loop: a paint, and so a tick, every 17 ms, with one
// waiting message taken between two paints.
#pragma once

#include "window_handle.h"

namespace zephlet {

// Runs until the window has been destroyed. The first pump step comes
// before the first paint of the loop.
void runFrameLoop(WindowHandle window);

}  // namespace zephlet
