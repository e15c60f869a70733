// The window procedure's messages on the layers that stand in for the window
// calls (SDL, the browser): the shell's own.
#pragma once

#include "app/emulated_window_messages.h"
