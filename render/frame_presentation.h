// Where the frame meets the window. paintFrame is the same everywhere; the
// platform layer supplies the client rectangle and the one copy to the
// window (window_handle.h is the platform's, chosen by the build).
#pragma once

#include "render/bitmap.h"
#include "render/client_area.h"
#include "window_handle.h"

namespace zephlet {

// The whole paint handling: one world tick, the client rectangle refreshed,
// the frame composed, seen in the chosen view and presented.
void paintFrame(WindowHandle window);

// The client area of the window as it is now; empty while minimised.
ClientRect windowClientRect(WindowHandle window);

// Copies clientRect from the frame to the window, one copy for each block of
// shownColumns (the crossed view's bands change places in it), white beyond
// the frame's 800 x 600 (the back buffer's size).
void presentFrame(WindowHandle window, const Bitmap& frame);

}  // namespace zephlet
