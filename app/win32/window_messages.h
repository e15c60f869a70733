// The window procedure's messages on Windows are the system's own: the ids
// (WM_CREATE and the rest) and types come from <windows.h>, and the default
// handling is DefWindowProcA's, after the views' items in the window's menu
// (view_menu.cpp).
#pragma once

#include <cstdint>

#include "app/win32/windows_api.h"
#include "window_handle.h"

namespace zephlet {

// The types of WNDPROC, so that the shared windowProc is registered as it is.
using MessageId = UINT;
using WordParam = WPARAM;
using LongParam = LPARAM;
using MessageResult = LRESULT;

MessageResult defWindowProc(WindowHandle window, MessageId message, WordParam wParam,
                            LongParam lParam);

inline void postQuitMessage(std::int32_t exitCode) {
    PostQuitMessage(exitCode);
}

}  // namespace zephlet
