// The window side of the SDL layer: the video system standing in for the
// window class, and SDL's window behind the emulated main window.
#pragma once

#include <cstdint>

#include "app/emulated_window.h"
#include "render/client_area.h"

namespace zephlet {

// Starts the video system and prepares the icon and the arrow cursor every
// window of the class gets. False if the video system cannot start: no
// display, or no usable video driver. unregisterWindowClass (in
// emulated_window.h) frees what this made and stops the video system.
bool registerWindowClass(WindowProcedure procedure);

// Whether the driver's windows have a plain framebuffer of their own, which
// the game presents to; elsewhere SDL presents through its own texture.
bool presentsToPlainFramebuffer(const char* videoDriver);

enum class WindowCreation { kCreated, kNoWindow, kNoSurface };

// Creates the window hidden, resizable, with no position of its own, and
// delivers WM_CREATE before returning. Shown, its outer size becomes the one
// asked for where the window manager tells its frame's size. kNoSurface if the window has nothing
// the frame could be presented to; no window is left then.
WindowCreation createMainWindow(const char* title, int outerWidth, int outerHeight,
                                SDL_Window*& window);

// The main window by SDL's window id; null for any other.
SDL_Window* windowFromId(std::uint32_t windowId);

}  // namespace zephlet
