// The window side of the browser layer: the page's canvas and its 2D
// context standing in for the window class, and the canvas behind the
// emulated main window.
#pragma once

#include "app/emulated_window.h"

namespace zephlet {

// Finds the page's canvas and its 2D drawing context. False if the page
// can give none: then nothing can be drawn.
bool registerWindowClass(WindowProcedure procedure);
void unregisterWindowClass();

// Shows the start-up failure in the page, where the desktop shows its box.
void showStartUpFailure(const char* caption, const char* text);

// Sizes the canvas to the client area, sharp on a high-density screen,
// starts listening to the page, and delivers WM_CREATE before returning.
WindowHandle createMainWindow();

// Whether the page is hidden: another tab in front, the browser minimised.
bool windowHidden(WindowHandle window);
void setWindowHidden(WindowHandle window, bool hidden);

}  // namespace zephlet
