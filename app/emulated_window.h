// The one main window of the layers that stand in for the window calls (SDL,
// the browser), written once: its procedure, its paint-needed state, and
// show, send, dispatch and destroy (invalidate and update are the frame
// loop's calls, in shell_platform.h). Each layer adds only its own
// platform's calls, the ones declared last here.
#pragma once

#include "app/emulated_window_messages.h"

namespace zephlet {

// The procedure every window of the class gets; null once unregistered.
void setWindowProcedure(WindowProcedure procedure);

// Makes the platform's new window the main window and delivers WM_CREATE.
void adoptMainWindow(WindowHandle window);

// Shows the window and leaves its client area to be painted.
void showWindow(WindowHandle window);

// Calls the window's procedure at once. A paint marks the window painted.
MessageResult sendMessage(WindowHandle window, MessageId message, WordParam wParam,
                          LongParam lParam);

// Hands the message to its window's procedure; nothing for no window.
MessageResult dispatchMessage(const Message& message);

// Delivers WM_DESTROY, then lets the platform free the window.
void destroyWindow(WindowHandle window);

// The main window while it exists, else null.
WindowHandle mainWindow();

// The start-up's end on every such layer: shows the new main window, plays
// in it until it is gone, then undoes the window class. Returns 0.
int runMainWindow(WindowHandle window);

// The platform's own calls behind showWindow, destroyWindow and the end.
void showNativeWindow(WindowHandle window);
void destroyNativeWindow(WindowHandle window);
void unregisterWindowClass();

}  // namespace zephlet
