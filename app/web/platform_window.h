// The window side of the browser layer: the page's canvas and its 2D
// context standing in for the window class, the one main window, and its
// paints.
#pragma once

#include "window_messages.h"

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

// Leaves the client area to be painted.
void showWindow(WindowHandle window);

// Calls the window's procedure at once. A paint marks the window painted.
MessageResult sendMessage(WindowHandle window, MessageId message, WordParam wParam,
                          LongParam lParam);

// Delivers WM_DESTROY; the canvas keeps the last frame.
void destroyWindow(WindowHandle window);

// The main window while it exists, else null.
WindowHandle mainWindow();

// Whether the page is hidden: another tab in front, the browser minimised.
bool windowHidden(WindowHandle window);
void setWindowHidden(WindowHandle window, bool hidden);

}  // namespace zephlet
