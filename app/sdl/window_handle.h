// What the shared shell and the frame know of an SDL window: its pointer.
#pragma once

#include "app/emulated/instance_handle.h"

struct SDL_Window;

namespace zephlet {

using WindowHandle = SDL_Window*;

}  // namespace zephlet
