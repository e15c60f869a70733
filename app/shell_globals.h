// The application shell's own state, one of each for the whole run, and the
// names every platform gives its window.
#pragma once

#include "render/client_area.h"
#include "window_handle.h"

namespace zephlet {

// Stored first of all, before the window class is registered.
extern InstanceHandle appInstance;

// Set once, while the window is being destroyed; the frame loop ends on it.
extern bool quitRequested;

constexpr const char* kWindowClassName = "wndClass";
constexpr const char* kWindowTitle = "Zephlet!";

constexpr const char* kRegistrationFailedText = "Window class registration failed!";
constexpr const char* kRegistrationFailedCaption = "Error";

}  // namespace zephlet
