// What the shared shell and the frame know of the page's window: the canvas
// that stands for it.
#pragma once

#include "app/emulated/instance_handle.h"

namespace zephlet {

struct BrowserCanvas;
using WindowHandle = BrowserCanvas*;

}  // namespace zephlet
