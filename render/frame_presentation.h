// Where the frame meets the window. paintFrame is the same everywhere; the
// platform layer supplies the client rectangle and the one copy to the
// window (window_handle.h is the platform's, chosen by the build).
#pragma once

#include "render/client_area.h"
#include "window_handle.h"

namespace zephlet {

// The whole paint handling: one world tick, the client rectangle refreshed,
// the frame composed and presented.
void paintFrame(WindowHandle window);

// The client area of the window as it is now; empty while minimised.
ClientRect windowClientRect(WindowHandle window);

// Copies clientRect from the back buffer to the window in one copy, white
// beyond the back buffer.
void presentFrame(WindowHandle window);

}  // namespace zephlet
