// zephlet.exe: the program's entry on Windows. The window class, the window,
// then the shared start-up from the shown window on.
#include "app/frame_loop.h"
#include "app/shell_globals.h"
#include "app/win32/command_line_box.h"
#include "app/win32/gamepads.h"
#include "app/win32/view_menu.h"
#include "app/win32/windows_api.h"
// After windows_api.h, which it needs: timeBeginPeriod.
#include <mmsystem.h>

#include "app/window_procedure.h"
#include "render/resource_numbers.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int showCommand) {
    using namespace zephlet;
    // Before anything of the window: a wrong argument is reported as such.
    const CommandLine command = readCommandLine(__argc, __argv);
    if (!command.play) {
        return answerCommandLine(command);
    }
    stereoView = command.view;
    appInstance = instance;

    WNDCLASSEXA windowClass{};
    // The record's real size: 48 on 32-bit Windows, larger on 64-bit, where 48
    // makes the registration fail.
    windowClass.cbSize = sizeof(WNDCLASSEXA);
    windowClass.style = 0;
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(ZEPHLET_ICON_RESOURCE));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kWindowClassName;
    if (RegisterClassExA(&windowClass) == 0) {
        MessageBoxA(nullptr, kRegistrationFailedText, kRegistrationFailedCaption,
                    MB_OK | MB_ICONWARNING);
        return -1;
    }

    // An overlapped window, which gets its title bar from the system. The
    // size is the outer one.
    constexpr DWORD kStyle = WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    HWND window = CreateWindowExA(WS_EX_CLIENTEDGE, kWindowClassName, kWindowTitle, kStyle,
                                  CW_USEDEFAULT, CW_USEDEFAULT, kWindowWidth, kWindowHeight,
                                  nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return -1;  // under Wine without a display too: no box can show then
    }
    addViewMenu(window);
    openGamepads(window, loadXInput());
    ShowWindow(window, showCommand);

    // Sleep to the millisecond while the game runs, not to the system's
    // default timer step of about 16 ms.
    timeBeginPeriod(1);
    runShownWindow(window);
    timeEndPeriod(1);

    UnregisterClassA(kWindowClassName, instance);
    return 0;
}
