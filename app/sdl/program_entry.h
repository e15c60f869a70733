// The program's entry on SDL: the video system, the window, the seed and the
// loop.
#pragma once

#include "app/shell_globals.h"

namespace zephlet {

// 0 after the window has been closed; -1 if the video system cannot start
// or the window cannot be made or shown.
int winMain(InstanceHandle instance);

}  // namespace zephlet
