// The views in the window's own menu (under the icon at the title bar's
// left, and Alt+Space): three radio items after the system's, the current
// one checked.
#pragma once

#include "app/win32/windows_api.h"

namespace zephlet {

// WM_SYSCOMMAND's ids: below the system's own (0xF000 and up), with the low
// four bits clear, as the system uses those.
enum ViewMenuItem : UINT {
    kParallelItem = 0x0010,
    kCrossedItem = 0x0020,
    kRedCyanItem = 0x0030,
};
// The bits of a WM_SYSCOMMAND that name the command.
constexpr WPARAM kSystemCommandMask = 0xFFF0;

void addViewMenu(HWND window);

// For the item's command: the item's view from the next frame on, and its
// check. False for any other command, which is left to the system.
bool chooseViewItem(HWND window, WPARAM command);

}  // namespace zephlet
