// The window side of the platform layer: the video system standing in for
// the window class, the one main window, and its paints.
#pragma once

#include <cstdint>

#include "app/window_messages.h"
#include "render/client_area.h"

namespace zephlet {

// Starts the video system and the font library, and prepares the icon and
// the arrow cursor every window of the class gets. False if the video system
// cannot start: no display, or no usable video driver.
bool registerWindowClass(WindowProcedure procedure);

// Frees what registration made and stops the video system.
void unregisterWindowClass();

// Creates the window hidden, resizable, at the place the platform chooses,
// and delivers WM_CREATE before returning. Null if SDL cannot make it.
SDL_Window* createMainWindow(const char* title, int outerWidth, int outerHeight);

// Shows the window, makes its outer size the one asked for where the window
// manager tells its frame's size, and leaves its client area to be painted.
void showWindow(SDL_Window* window);

// Adds the rectangle to what needs painting; an empty one adds nothing.
void invalidateRect(SDL_Window* window, const ClientRect& rect);

// If something needs painting and the client area is not empty, sends
// WM_PAINT and returns once it has been handled; otherwise sends nothing.
void updateWindow(SDL_Window* window);

// Calls the window's procedure at once. A paint marks the window painted.
std::int32_t sendMessage(SDL_Window* window, std::uint32_t message, std::uint32_t wParam,
                         std::int32_t lParam);

// Delivers WM_DESTROY, then destroys the window.
void destroyWindow(SDL_Window* window);

// The main window while it exists, else null; by SDL's window id too.
SDL_Window* mainWindow();
SDL_Window* windowFromId(std::uint32_t windowId);

}  // namespace zephlet
