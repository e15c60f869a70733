// XInput for the program under Wine in the whole-program test: one pad, in
// slot 0, whose state is the file that ZEPHLET_SCRIPTED_PAD names, read at
// every call: "connected buttons thumbX thumbY", as XInput counts them. No
// file, no pad.
#include <cstdio>
#include <cstdlib>

#include "app/win32/windows_api.h"
// After windows_api.h, which it needs.
#include <xinput.h>

extern "C" __declspec(dllexport) DWORD WINAPI XInputGetState(DWORD slot, XINPUT_STATE* state) {
    const char* path = std::getenv("ZEPHLET_SCRIPTED_PAD");
    std::FILE* file = slot == 0 && path != nullptr ? std::fopen(path, "r") : nullptr;
    int connected = 0, buttons = 0, x = 0, y = 0;
    if (file != nullptr) {
        std::fscanf(file, "%d %d %d %d", &connected, &buttons, &x, &y);
        std::fclose(file);
    }
    *state = {};
    state->Gamepad.wButtons = static_cast<WORD>(buttons);
    state->Gamepad.sThumbLX = static_cast<SHORT>(x);
    state->Gamepad.sThumbLY = static_cast<SHORT>(y);
    return connected != 0 ? ERROR_SUCCESS : ERROR_DEVICE_NOT_CONNECTED;
}
