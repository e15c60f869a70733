// The program's entry: the video system, the window, the seed and the loop.
#pragma once

#include "app/shell_globals.h"

namespace zephlet {

constexpr const char* kWindowTitle = "Zephlet!";
// The outer size, frame and title bar included.
constexpr int kWindowWidth = 265;
constexpr int kWindowHeight = 600;

// 0 after the window has been closed; -1 if the video system cannot start
// or the window cannot be made.
int winMain(InstanceHandle instance);

}  // namespace zephlet
