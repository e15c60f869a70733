// The window procedure between fakes of the platform's default handling and
// of the renderer: what each message answers and does, and the order of the
// window's destruction. Also the mapping of SDL's keys onto virtual-key codes,
// and the key messages of the layers that stand in for the window's.
#include "app/window_procedure.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/sdl/virtual_keys.h"
#include "app/shell_globals.h"
#include "game/game_state.h"
#include "render/frame_presentation.h"
#include "render/graphics_resources.h"

namespace zephlet {

namespace {

SDL_Window* const kWindow = reinterpret_cast<SDL_Window*>(std::uintptr_t{0x1000});
constexpr std::int32_t kDefaultResult = 0x5EED;  // told apart from the procedure's own 0
// What the fakes were asked to do, in order, each with whether the flag was up.
std::vector<std::string> calls;
void record(const std::string& what) {
    calls.push_back(what + (quitRequested ? " flag" : ""));
}

}  // namespace

ClientRect clientRect;
ClientRect windowClientRect(SDL_Window*) {
    return {0, 0, 263, 575};
}
void createGraphicsResources() {
    record("create " + std::to_string(clientRect.right) + "x" + std::to_string(clientRect.bottom));
}
void releaseGraphicsResources() {
    record("release");
}
void paintFrame(SDL_Window*) {
    record("paint");
}
MessageResult defWindowProc(SDL_Window* window, MessageId message, WordParam wParam,
                            LongParam lParam) {
    const bool same = window == kWindow && wParam == 7 && lParam == -0x1234;
    record("default " + std::to_string(message) + (same ? "" : " with other arguments"));
    return kDefaultResult;
}
void postQuitMessage(std::int32_t exitCode) {
    record("post " + std::to_string(exitCode));
}

namespace {

void reset() {
    resetGame();
    calls.clear();
    quitRequested = false;
    clientRect = {};
}

// Creation takes the client rectangle first; destruction releases, then
// flags, then posts the quit; a paint is the frame. Closing, the system's
// keys and commands go to the default handling, whose answer is passed back.
TEST(WindowProcedure, AnswersAndDoesWhatEachMessageAsks) {
    const struct {
        MessageId message;
        std::vector<std::string> calls;
    } cases[] = {
        {WM_CREATE, {"create 263x575"}},
        {WM_DESTROY, {"release", "post 0 flag"}},
        {WM_PAINT, {"paint"}},
        {WM_CLOSE, {"default 16"}},
        {WM_SYSKEYDOWN, {"default 260"}},
        {WM_SYSKEYUP, {"default 261"}},
        {WM_SYSCOMMAND, {"default 274"}},
        {WM_NULL, {"default 0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        reset();
        const bool toDefault = c.calls[0].starts_with("default");
        EXPECT_EQ(windowProc(kWindow, c.message, 7, -0x1234), toDefault ? kDefaultResult : 0);
        EXPECT_EQ(calls, c.calls);
        EXPECT_EQ(quitRequested, c.message == WM_DESTROY);
    }
}

// Every key, auto-repeat included (the repeat flag is not looked at): two
// presses, each released, reach the controls, and nothing the default handling.
TEST(WindowProcedure, EveryKeyReachesTheControlsAndNeverTheDefaultHandling) {
    reset();
    const auto repeat = static_cast<std::int32_t>(1u | kKeyWasDown);
    const auto release = static_cast<std::int32_t>(0xC0000001u);
    for (std::uint32_t key = 0; key <= 0xFF; ++key) {
        SCOPED_TRACE(key);
        resetGame();
        for (int press = 0; press < 2; ++press) {
            EXPECT_EQ(windowProc(kWindow, WM_KEYDOWN, key, repeat), 0);
            EXPECT_EQ(windowProc(kWindow, WM_KEYUP, key, release), 0);
        }
        EXPECT_EQ(gameState.playerLane, key == VK_LEFT ? -32 : key == VK_RIGHT ? 32 : 0);
        EXPECT_EQ(gameState.playerAltitude, key == VK_UP ? 4 : 0);
    }
    EXPECT_TRUE(calls.empty());
}

// SDL's codes of '%', '&', '\'' and '(' are 0x25 to 0x28: wherever those
// keys sit, only the arrows give the arrows' codes, and the keypad's do with
// Num Lock off.
TEST(VirtualKeys, OnlyTheArrowKeysSteer) {
    const std::map<int, std::uint32_t> arrows = {
        {SDL_SCANCODE_LEFT, 0x25}, {SDL_SCANCODE_UP, 0x26},   {SDL_SCANCODE_RIGHT, 0x27},
        {SDL_SCANCODE_DOWN, 0x28}, {SDL_SCANCODE_KP_4, 0x25}, {SDL_SCANCODE_KP_8, 0x26},
        {SDL_SCANCODE_KP_6, 0x27}, {SDL_SCANCODE_KP_2, 0x28},
    };
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
        for (const SDL_Keycode sym :
             {SDLK_UNKNOWN, SDLK_PERCENT, SDLK_AMPERSAND, SDLK_QUOTE, SDLK_LEFTPAREN}) {
            for (const Uint16 mod : {Uint16{KMOD_NONE}, Uint16{KMOD_NUM}}) {
                SCOPED_TRACE(::testing::Message() << scancode << " " << sym << " " << mod);
                const auto s = static_cast<SDL_Scancode>(scancode);
                const std::uint32_t key = virtualKeyCode({s, sym, mod, 0});
                const auto arrow = arrows.find(scancode);
                const bool keypad = s >= SDL_SCANCODE_KP_1 && s <= SDL_SCANCODE_KP_0;
                const bool steers = arrow != arrows.end() && !(keypad && mod == KMOD_NUM);
                EXPECT_EQ(key >= 0x25 && key <= 0x28 ? key : 0, steers ? arrow->second : 0);
            }
        }
    }
    // Letters follow the layout.
    EXPECT_EQ(virtualKeyCode({SDL_SCANCODE_Q, SDLK_a, KMOD_NONE, 0}), 0x41u);
    EXPECT_EQ(virtualKeyCode({SDL_SCANCODE_APOSTROPHE, SDLK_QUOTE, KMOD_NONE, 0}), 0xDEu);
}

}  // namespace
}  // namespace zephlet
