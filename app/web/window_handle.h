// What the shared shell and the frame know of the page's window: the canvas
// that stands for it.
#pragma once

namespace zephlet {

struct BrowserCanvas;
using WindowHandle = BrowserCanvas*;
// What the program was started as: it stands where the module handle stands.
using InstanceHandle = const char*;

}  // namespace zephlet
