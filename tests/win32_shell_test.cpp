// The Win32 layer's own: XInput's pads read into the arrows, with XInput
// replaced; and the views in the window's menu, on a real window of Wine's
// null display driver (the frame each view shows is the whole-program test's).
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>

#include "app/shell_globals.h"
#include "app/shell_platform.h"
#include "app/win32/gamepads.h"
#include "app/win32/view_menu.h"
#include "app/window_procedure.h"
#include "game/game_state.h"
#include "render/stereo_view.h"

namespace zephlet {
namespace {

struct FakePad {
    bool connected;
    WORD buttons;
    SHORT x;
    SHORT y;  // XInput's: up is positive
};
std::array<FakePad, XUSER_MAX_COUNT> fakePads{};
int asks = 0;
std::string heard;

DWORD WINAPI fakeGetState(DWORD slot, XINPUT_STATE* state) {
    ++asks;
    const FakePad& pad = fakePads.at(slot);
    state->Gamepad.wButtons = pad.buttons;
    state->Gamepad.sThumbLX = pad.x;
    state->Gamepad.sThumbLY = pad.y;
    return pad.connected ? ERROR_SUCCESS : ERROR_DEVICE_NOT_CONNECTED;
}

void record(std::uint32_t arrow, ArrowMessage message) {
    heard += message == ArrowMessage::KeyDown ? '+' : '-';
    heard += "LURD"[arrow - kKeyLeft];
}

// The rows run in order, each a slot's pad as it stays for some frames, with
// the window in the foreground or not; what the window procedure would hear,
// and how often XInput was asked.
TEST(Gamepads, XInputStatesBecomeArrows) {
    constexpr WORD kUp = XINPUT_GAMEPAD_DPAD_UP, kLeft = XINPUT_GAMEPAD_DPAD_LEFT;
    constexpr WORD kRight = XINPUT_GAMEPAD_DPAD_RIGHT;
    constexpr bool kFront = true, kBehind = false;
    const struct {
        DWORD slot;
        FakePad pad;
        bool foreground;
        int frames;
        const char* heard;
        int asks;
    } rows[] = {
        {0, {true, kUp, 0, 0}, kFront, 1, "+U", 1},  // slot 0's turn first
        // An empty slot is asked once in 60 frames, each in its own frame.
        {0, {true, kUp, 0, 0}, kFront, 59, "", 59 + 3},
        // The stick up (XInput's y) past half, then back to the release edge.
        {0, {true, 0, 0, 16384}, kFront, 1, "", 1},
        {0, {true, 0, 0, 10923}, kFront, 1, "", 1},
        {0, {true, 0, 0, 10922}, kFront, 1, "-U", 1},
        {0, {true, 0, -32768, -32768}, kFront, 1, "+L+D", 1},
        {0, {true, kLeft, -32768, -32768}, kFront, 1, "", 1},
        // A pad plugged into slot 2 is found in its turn (the 26th of these
        // frames) and asked every frame from then on.
        {2, {true, kRight | kLeft, 0, 0}, kFront, 60, "+R", 60 + 2 + 35},
        // Slot 0 pulled out: its Down goes, its Left stays with slot 2.
        {0, {false, 0, 0, 0}, kFront, 1, "-D", 2},
        {2, {false, kUp, 0, 0}, kFront, 1, "-L-R", 1},
        {2, {true, kUp, 0, 0}, kFront, 1, "", 0},  // back, but not its turn
        // Behind another window: presses are not heard, releases are.
        {0, {true, 0, 0, 0}, kBehind, 60, "", 38 + 8 + 2},
        {2, {true, kUp, 0, 0}, kFront, 1, "+U", 2},
        {2, {true, 0, 0, 0}, kBehind, 1, "-U", 2},
        {2, {true, 0, 0, 32767}, kBehind, 1, "", 2},
    };
    GamepadSlots slots;
    HeldArrows held;
    for (const auto& row : rows) {
        SCOPED_TRACE(&row - rows);
        fakePads[row.slot] = row.pad;
        heard.clear();
        asks = 0;
        for (int frame = 0; frame < row.frames; ++frame) {
            pollGamepads(slots, fakeGetState, row.foreground, held, record);
        }
        EXPECT_EQ(heard, row.heard);
        EXPECT_EQ(asks, row.asks);
    }
    EXPECT_EQ(held.count, 0u);
    EXPECT_NE(loadXInput(), nullptr);  // the system's, by its full path
}

// The game's window as the game makes it, shown and in the foreground.
HWND openGameWindow() {
    appInstance = GetModuleHandleA(nullptr);
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(WNDCLASSEXA);
    windowClass.lpfnWndProc = windowProc;
    windowClass.hInstance = appInstance;
    windowClass.lpszClassName = kWindowClassName;
    RegisterClassExA(&windowClass);
    HWND window =
        CreateWindowExA(WS_EX_CLIENTEDGE, kWindowClassName, kWindowTitle,
                        WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0, 0,
                        kWindowWidth, kWindowHeight, nullptr, nullptr, appInstance, nullptr);
    addViewMenu(window);
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    return window;
}

// The pump with a pad of the replaced XInput beside the keyboard. The rows
// run in order, each a pad's d-pad and a keyboard message, then the pump
// steps that empty the queue; the craft's lane after them.
TEST(Gamepads, ThePumpHearsThePadAndTheKeyboardThroughOneRule) {
    HWND window = openGameWindow();
    openGamepads(window, fakeGetState);
    constexpr LPARAM kPress = 1;
    constexpr LPARAM kRepeat = 0x40000001;
    constexpr LPARAM kRelease = static_cast<LPARAM>(0xC0000001u);
    constexpr WORD kLeft = XINPUT_GAMEPAD_DPAD_LEFT;
    // A key's message follows from its lParam's release bit; key 0, none.
    const struct {
        WORD dpad;
        WPARAM key;
        LPARAM lParam;
        std::int32_t lane;
    } rows[] = {
        {0, VK_RIGHT, kPress, 32},
        {0, VK_RIGHT, kRelease, 32},
        {kLeft, 0, 0, 0},
        {kLeft, VK_LEFT, kPress, 0},
        // The pad lets go while the keyboard holds Left: no key-up, so the
        // keyboard's repeat moves nothing; its release and press do.
        {0, 0, 0, 0},
        {0, VK_LEFT, kRepeat, 0},
        {0, VK_LEFT, kRelease, 0},
        {0, VK_LEFT, kPress, -32},
        {0, VK_LEFT, kRelease, -32},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(&row - rows);
        fakePads = {FakePad{true, row.dpad, 0, 0}};
        if (row.key != 0) {
            PostMessageA(window, (row.lParam & 0x80000000) != 0 ? WM_KEYUP : WM_KEYDOWN, row.key,
                         row.lParam);
        }
        for (int step = 0; step < 4; ++step) {
            pumpOneMessage();
        }
        EXPECT_EQ(gameState.playerLane, row.lane);
    }
    DestroyWindow(window);
    quitRequested = false;
}

// Started in the crossed view, as --view crossed starts it.
TEST(WindowMenu, TheViewsAfterTheSystemsItems) {
    stereoView = StereoView::kCrossed;
    HWND window = openGameWindow();

    HMENU menu = GetSystemMenu(window, FALSE);
    const int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 5);
    EXPECT_GE(GetMenuItemID(menu, 0), static_cast<UINT>(SC_SIZE & 0xF000));  // the system's own
    EXPECT_EQ(GetMenuState(menu, count - 4, MF_BYPOSITION) & MF_SEPARATOR, UINT{MF_SEPARATOR});
    const std::pair<UINT, const char*> items[] = {{kParallelItem, "Parallel (eyes apart)"},
                                                  {kCrossedItem, "Crossed eyes"},
                                                  {kRedCyanItem, "Red-cyan glasses"}};
    const auto expectChecked = [&](UINT id) {
        for (int i = 0; i < 3; ++i) {
            const UINT position = count - 3 + i;
            char text[64] = {};
            GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
            const UINT state = GetMenuState(menu, position, MF_BYPOSITION);
            EXPECT_EQ(GetMenuItemID(menu, position), items[i].first);
            EXPECT_STREQ(text, items[i].second);
            EXPECT_EQ((state & MF_CHECKED) != 0, items[i].first == id) << text;
            EXPECT_TRUE(items[i].first != id || (state & MFT_RADIOCHECK) != 0) << text;
        }
    };
    expectChecked(kCrossedItem);

    // The system's low four bits do not matter.
    const std::pair<WPARAM, StereoView> choices[] = {{kRedCyanItem, StereoView::kRedCyan},
                                                     {kParallelItem | 0x2, StereoView::kParallel},
                                                     {kCrossedItem | 0xF, StereoView::kCrossed}};
    for (const auto& [command, view] : choices) {
        SCOPED_TRACE(stereoViewName(view));
        SendMessageA(window, WM_SYSCOMMAND, command, 0);
        EXPECT_EQ(stereoView, view);
        expectChecked(command & 0xFFF0);
    }

    // The system's own commands reach DefWindowProcA.
    SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_TRUE(quitRequested);
}

}  // namespace
}  // namespace zephlet
