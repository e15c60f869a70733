// The window procedure's table, with fakes of the platform's default
// handling and of the renderer around it: what every message answers, what
// it does, and in which order the window's destruction does it. Also the
// mapping of SDL's keys onto virtual-key codes.
#include "app/window_procedure.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/platform_messages.h"
#include "app/shell_globals.h"
#include "app/virtual_keys.h"
#include "app/window_messages.h"
#include "game/game_state.h"
#include "render/client_area.h"
#include "render/frame_composition.h"
#include "render/graphics_resources.h"

namespace zephlet {

namespace {

std::vector<std::string> calls;
bool quitPosted = false;

// What the fake default handling answers, so that its result can be told
// from the procedure's own 0.
constexpr std::int32_t kDefaultResult = 0x5EED;
struct DefaultCall {
    SDL_Window* window;
    std::uint32_t message;
    std::uint32_t wParam;
    std::int32_t lParam;
};
std::vector<DefaultCall> defaultCalls;

constexpr ClientRect kClientArea{0, 0, 263, 575};

std::string flags() {
    return std::string(quitRequested ? " flag" : "") + (quitPosted ? " posted" : "");
}

}  // namespace

// The renderer.
ClientRect clientRect;
ClientRect windowClientRect(SDL_Window*) {
    return kClientArea;
}
void createGraphicsResources() {
    calls.push_back("create, clientRect " + std::to_string(clientRect.right) + "x" +
                    std::to_string(clientRect.bottom));
}
void releaseGraphicsResources() {
    calls.push_back("release" + flags());
}
void paintFrame(SDL_Window*) {
    calls.push_back("paint");
}

// The platform.
std::int32_t defWindowProc(SDL_Window* window, std::uint32_t message, std::uint32_t wParam,
                           std::int32_t lParam) {
    defaultCalls.push_back({window, message, wParam, lParam});
    return kDefaultResult;
}
void postQuitMessage(std::int32_t exitCode) {
    calls.push_back("post " + std::to_string(exitCode) + flags());
    quitPosted = true;
}

namespace {

SDL_Window* const kWindow = reinterpret_cast<SDL_Window*>(std::uintptr_t{0x1000});

void clearRecords() {
    resetGame();
    calls.clear();
    defaultCalls.clear();
    quitRequested = false;
    quitPosted = false;
    clientRect = {};
}

class WindowProcedureTest : public ::testing::Test {
  protected:
    void SetUp() override { clearRecords(); }
    void TearDown() override {
        resetGame();
        quitRequested = false;
    }
};

struct HandledCase {
    const char* name;
    std::uint32_t message;
    std::vector<std::string> calls;
};

TEST_F(WindowProcedureTest, HandlesItsOwnMessagesAndAnswersZero) {
    const HandledCase cases[] = {
        {"WM_CREATE: client rectangle first", WM_CREATE, {"create, clientRect 263x575"}},
        {"WM_DESTROY: release, flag, post", WM_DESTROY, {"release", "post 0 flag"}},
        {"WM_PAINT", WM_PAINT, {"paint"}},
        {"WM_SIZE", WM_SIZE, {}},
        {"WM_COMMAND", WM_COMMAND, {}},
        {"WM_MOUSEMOVE", WM_MOUSEMOVE, {}},
        {"WM_LBUTTONUP", WM_LBUTTONUP, {}},
        {"WM_RBUTTONDOWN", WM_RBUTTONDOWN, {}},
        {"WM_RBUTTONUP", WM_RBUTTONUP, {}},
    };
    for (const HandledCase& c : cases) {
        SCOPED_TRACE(c.name);
        clearRecords();
        EXPECT_EQ(windowProc(kWindow, c.message, 7, 0x00500040), 0);
        EXPECT_EQ(calls, c.calls);
        EXPECT_TRUE(defaultCalls.empty());
        EXPECT_EQ(quitRequested, c.message == WM_DESTROY);
    }
}

TEST_F(WindowProcedureTest, LeavesEveryOtherMessageToTheDefaultHandling) {
    const std::uint32_t others[] = {
        WM_NULL,
        WM_CLOSE,
        WM_QUIT,
        0x0014 /* WM_ERASEBKGND */,
        WM_SYSKEYDOWN,
        WM_SYSKEYUP,
        0x0102 /* WM_CHAR */,
        WM_SYSCOMMAND,
        WM_LBUTTONDOWN,
        WM_MBUTTONDOWN,
        WM_MBUTTONUP,
        WM_MOUSEWHEEL,
        WM_XBUTTONDOWN,
        WM_XBUTTONUP,
        0x0003 /* WM_MOVE */,
        0x0007 /* WM_SETFOCUS */,
    };
    for (const std::uint32_t message : others) {
        SCOPED_TRACE(message);
        clearRecords();
        EXPECT_EQ(windowProc(kWindow, message, 0x73, -0x1234), kDefaultResult);
        ASSERT_EQ(defaultCalls.size(), 1u);
        EXPECT_EQ(defaultCalls[0].window, kWindow);
        EXPECT_EQ(defaultCalls[0].message, message);
        EXPECT_EQ(defaultCalls[0].wParam, 0x73u);
        EXPECT_EQ(defaultCalls[0].lParam, -0x1234);
        EXPECT_TRUE(calls.empty());
    }
}

TEST_F(WindowProcedureTest, KeysNeverReachTheDefaultHandlingWhateverTheKeyOrState) {
    for (const bool crashed : {false, true}) {
        for (std::uint32_t key = 0; key <= 0xFF; ++key) {
            SCOPED_TRACE(::testing::Message() << "key " << key << " crashed " << crashed);
            resetGame();
            gameState.crashed = crashed;
            EXPECT_EQ(windowProc(kWindow, WM_KEYDOWN, key, 1), 0);
            const bool moves = !crashed && (key == VK_LEFT || key == VK_RIGHT);
            const bool climbs = !crashed && key == VK_UP;
            EXPECT_EQ(gameState.playerLane, !moves ? 0 : key == VK_LEFT ? -32 : 32);
            EXPECT_EQ(gameState.playerAltitude, climbs ? 2 : 0);
            EXPECT_EQ(windowProc(kWindow, WM_KEYUP, key, static_cast<std::int32_t>(0xC0000001u)),
                      0);
        }
    }
    EXPECT_TRUE(defaultCalls.empty());
}

TEST_F(WindowProcedureTest, AutoRepeatReachesTheControlsLikeAFirstPress) {
    // A key pressed during the crash and still held after the restart: its
    // first repeat moves the craft, as the repeat flag is not looked at.
    gameState.crashed = true;
    windowProc(kWindow, WM_KEYDOWN, VK_UP, 1);
    gameState.crashed = false;
    windowProc(kWindow, WM_KEYDOWN, VK_UP, static_cast<std::int32_t>(1u | kKeyWasDown));
    EXPECT_EQ(gameState.playerAltitude, 2);
}

struct KeyCase {
    const char* name;
    SDL_Keycode sym;
    SDL_Scancode scancode;
    Uint16 mod;
    std::uint32_t virtualKey;
};

TEST(VirtualKeys, MapsSdlKeysOntoVirtualKeyCodes) {
    const KeyCase cases[] = {
        {"left", SDLK_LEFT, SDL_SCANCODE_LEFT, KMOD_NONE, 0x25},
        {"up", SDLK_UP, SDL_SCANCODE_UP, KMOD_NONE, 0x26},
        {"right", SDLK_RIGHT, SDL_SCANCODE_RIGHT, KMOD_NONE, 0x27},
        {"down", SDLK_DOWN, SDL_SCANCODE_DOWN, KMOD_NONE, 0x28},
        {"keypad 4, Num Lock off", SDLK_KP_4, SDL_SCANCODE_KP_4, KMOD_NONE, 0x25},
        {"keypad 2, Num Lock off", SDLK_KP_2, SDL_SCANCODE_KP_2, KMOD_NONE, 0x28},
        {"keypad 5, Num Lock off", SDLK_KP_5, SDL_SCANCODE_KP_5, KMOD_NONE, 0x0C},
        {"keypad 4, Num Lock on", SDLK_KP_4, SDL_SCANCODE_KP_4, KMOD_NUM, 0x64},
        {"keypad 9, Num Lock on", SDLK_KP_9, SDL_SCANCODE_KP_9, KMOD_NUM, 0x69},
        // SDL's codes for these characters are the arrows' virtual-key codes.
        {"apostrophe", SDLK_QUOTE, SDL_SCANCODE_APOSTROPHE, KMOD_NONE, 0xDE},
        {"apostrophe on a French 4", SDLK_QUOTE, SDL_SCANCODE_4, KMOD_NONE, 0x34},
        {"ampersand on a French 1", SDLK_AMPERSAND, SDL_SCANCODE_1, KMOD_NONE, 0x31},
        {"left parenthesis on a French 5", SDLK_LEFTPAREN, SDL_SCANCODE_5, KMOD_NONE, 0x35},
        {"percent on 5", SDLK_PERCENT, SDL_SCANCODE_5, KMOD_SHIFT, 0x35},
        {"letter a", SDLK_a, SDL_SCANCODE_A, KMOD_NONE, 0x41},
        {"letter a where US has q", SDLK_a, SDL_SCANCODE_Q, KMOD_NONE, 0x41},
        {"Cyrillic ef where US has a", 0x0444, SDL_SCANCODE_A, KMOD_NONE, 0x41},
        {"digit 0", SDLK_0, SDL_SCANCODE_0, KMOD_NONE, 0x30},
        {"space", SDLK_SPACE, SDL_SCANCODE_SPACE, KMOD_NONE, 0x20},
        {"escape", SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, KMOD_NONE, 0x1B},
        {"return", SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_NONE, 0x0D},
        {"F4", SDLK_F4, SDL_SCANCODE_F4, KMOD_NONE, 0x73},
        {"F12", SDLK_F12, SDL_SCANCODE_F12, KMOD_NONE, 0x7B},
        {"F10", SDLK_F10, SDL_SCANCODE_F10, KMOD_NONE, 0x79},
        {"left shift", SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, KMOD_NONE, 0x10},
        {"left alt", SDLK_LALT, SDL_SCANCODE_LALT, KMOD_NONE, 0x12},
        {"unknown", SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN, KMOD_NONE, 0xFF},
    };
    for (const KeyCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(virtualKeyCode({c.scancode, c.sym, c.mod, 0}), c.virtualKey);
    }
}

TEST(VirtualKeys, OnlyTheArrowKeysSteer) {
    const SDL_Keycode syms[] = {SDLK_UNKNOWN, SDLK_PERCENT, SDLK_AMPERSAND, SDLK_QUOTE,
                                SDLK_LEFTPAREN};
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
        const auto s = static_cast<SDL_Scancode>(scancode);
        const bool arrow = s == SDL_SCANCODE_LEFT || s == SDL_SCANCODE_UP ||
                           s == SDL_SCANCODE_RIGHT || s == SDL_SCANCODE_DOWN;
        const bool keypadArrow = s == SDL_SCANCODE_KP_4 || s == SDL_SCANCODE_KP_8 ||
                                 s == SDL_SCANCODE_KP_6 || s == SDL_SCANCODE_KP_2;
        for (const SDL_Keycode sym : syms) {
            for (const Uint16 mod : {Uint16{KMOD_NONE}, Uint16{KMOD_NUM}}) {
                SCOPED_TRACE(::testing::Message()
                             << "scancode " << scancode << " sym " << sym << " mod " << mod);
                const std::uint32_t key = virtualKeyCode({s, sym, mod, 0});
                const bool steers = key >= 0x25 && key <= 0x28;
                EXPECT_EQ(steers, arrow || (keypadArrow && mod == KMOD_NONE));
            }
        }
    }
}

}  // namespace
}  // namespace zephlet
