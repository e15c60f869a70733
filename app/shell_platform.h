// What the frame loop asks of the platform, call by call. Each platform
// layer implements these with its own calls, in files of its own.
#pragma once

#include <cstdint>

#include "render/client_area.h"
#include "window_handle.h"

namespace zephlet {

// A millisecond count that wraps around at 32 bits.
std::uint32_t frameClockMs();

// Suspends the thread for at least that many milliseconds.
void sleepFor(std::uint32_t milliseconds);

// Adds the rectangle to what needs painting, without erasing first.
void invalidateRect(WindowHandle window, const ClientRect& rect);

// If something needs painting, has the window procedure paint it before
// returning; otherwise does nothing.
void updateWindow(WindowHandle window);

// Takes at most one waiting message and hands it to its window.
void pumpOneMessage();

}  // namespace zephlet
