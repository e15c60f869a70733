// What the shared shell and the frame know of a Windows window and module:
// their handles, declared without <windows.h>.
#pragma once

struct HWND__;
struct HINSTANCE__;

namespace zephlet {

using WindowHandle = HWND__*;
using InstanceHandle = HINSTANCE__*;

}  // namespace zephlet
