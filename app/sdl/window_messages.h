// On SDL the window procedure's messages are the shell's own.
#pragma once

#include "app/emulated_window_messages.h"
