// The application shell's own state, one of each for the whole run.
#pragma once

namespace zephlet {

// What the program was started as. It stands where the module handle stood
// and is stored first of all, before the video system starts.
using InstanceHandle = const char*;
extern InstanceHandle appInstance;

// Set once, while the window is being destroyed; the frame loop ends on it.
extern bool quitRequested;

}  // namespace zephlet
