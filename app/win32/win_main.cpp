// zephlet.exe: the program's entry on Windows. The window class, the window,
// the seed and the frame loop, in the order the game has always started.
#include <cstdint>
#include <ctime>

#include "app/frame_loop.h"
#include "app/shell_globals.h"
#include "app/win32/windows_api.h"
// After windows_api.h, which it needs: timeBeginPeriod.
#include <mmsystem.h>

#include "app/window_procedure.h"
#include "game/level_scripts.h"
#include "render/frame_presentation.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int showCommand) {
    using namespace zephlet;
    // First of all: WM_CREATE loads the artwork from it.
    appInstance = instance;

    WNDCLASSEXA windowClass{};
    // The record's real size: 48 on 32-bit Windows, larger on 64-bit, where 48
    // makes the registration fail.
    windowClass.cbSize = sizeof(WNDCLASSEXA);
    windowClass.style = 0;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(101));
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kWindowClassName;
    if (RegisterClassExA(&windowClass) == 0) {
        MessageBoxA(nullptr, kRegistrationFailedText, kRegistrationFailedCaption,
                    MB_OK | MB_ICONWARNING);
        return -1;
    }

    // WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX: an overlapped
    // window, which gets its title bar from the system. The size is the outer one.
    constexpr DWORD kStyle = 0xF0000;
    HWND window = CreateWindowExA(WS_EX_CLIENTEDGE, kWindowClassName, kWindowTitle, kStyle,
                                  CW_USEDEFAULT, CW_USEDEFAULT, kWindowWidth, kWindowHeight,
                                  nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return -1;  // under Wine without a display too: no box can show then
    }
    ShowWindow(window, showCommand);
    UpdateWindow(window);  // the first paint, and so the first tick
    clientRect = windowClientRect(window);
    // Seeded after the first tick, which therefore draws on the unseeded
    // source; no row is due in it.
    zephlet::srand(static_cast<std::uint32_t>(std::time(nullptr)));

    // Sleep to the millisecond while the loop runs, not to the system's
    // default timer step of about 16 ms.
    timeBeginPeriod(1);
    runFrameLoop(window);
    timeEndPeriod(1);

    UnregisterClassA(kWindowClassName, instance);
    return 0;
}
