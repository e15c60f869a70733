// What the shared shell and the frame know of an SDL window: its pointer.
#pragma once

struct SDL_Window;

namespace zephlet {

using WindowHandle = SDL_Window*;
// What the program was started as: it stands where the module handle stands.
using InstanceHandle = const char*;

}  // namespace zephlet
