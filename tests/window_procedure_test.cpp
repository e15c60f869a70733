// The window procedure between fakes of the platform's default handling and
// of the renderer: what every message answers and does, and the order of the
// window's destruction. Also the mapping of SDL's keys onto virtual-key codes.
#include "app/window_procedure.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "app/sdl/virtual_keys.h"
#include "app/shell_globals.h"
#include "app/web/browser_events.h"
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

// Every message id up to 0x3FF: the procedure's own answer 0 and do what the
// table says (creation takes the client rectangle first; destruction
// releases, then flags, then posts the quit); every other goes to the
// default handling, whose answer is passed back.
TEST(WindowProcedure, AnswersAndDoesWhatEachMessageAsks) {
    const std::map<std::uint32_t, std::vector<std::string>> own = {
        {WM_CREATE, {"create 263x575"}},
        {WM_DESTROY, {"release", "post 0 flag"}},
        {WM_PAINT, {"paint"}},
        {WM_KEYDOWN, {}},
        {WM_KEYUP, {}},
        {WM_SIZE, {}},
        {WM_COMMAND, {}},
        {WM_MOUSEMOVE, {}},
        {WM_LBUTTONUP, {}},
        {WM_RBUTTONDOWN, {}},
        {WM_RBUTTONUP, {}},
    };
    for (std::uint32_t message = 0; message < 0x400; ++message) {
        SCOPED_TRACE(message);
        reset();
        const auto it = own.find(message);
        const bool handled = it != own.end();
        EXPECT_EQ(windowProc(kWindow, message, 7, -0x1234), handled ? 0 : kDefaultResult);
        EXPECT_EQ(calls, handled ? it->second
                                 : std::vector<std::string>{"default " + std::to_string(message)});
        EXPECT_EQ(quitRequested, message == WM_DESTROY);
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

// The page's keys reach the procedure as the keys they are; only the arrows
// without Alt or Meta are the game's and kept from the browser. The pad's
// fingers are the same key messages: an arrow is down while a finger holds
// it, and a lift or a cancelled touch releases it, once. The rows run in
// order, the pad's fingers carried from row to row. A hidden page is a
// minimised window.
TEST(BrowserEvents, OnlyArrowsWithoutAltOrMetaAreTheGames) {
    struct Finger {
        std::int32_t pointer;
        std::uint32_t keyCode;
        PadTouch touch;
    };
    const struct {
        std::variant<BrowserKey, Finger> event;
        MessageId message;  // WM_NULL: none
        WordParam wParam;
        bool taken;
    } cases[] = {
        {BrowserKey{0x27, true}, WM_KEYDOWN, 0x27, true},
        {BrowserKey{0x25, false}, WM_KEYUP, 0x25, true},
        {BrowserKey{0x26, true, true}, WM_KEYDOWN, 0x26, true},                   // auto-repeat
        {BrowserKey{0x28, true, false, true}, WM_SYSKEYDOWN, 0x28, false},        // Alt
        {BrowserKey{0x25, false, false, false, true}, WM_SYSKEYUP, 0x25, false},  // Meta
        {BrowserKey{0x21, true}, WM_KEYDOWN, 0x21, false},                        // Page Up scrolls
        {BrowserKey{0xDE, true}, WM_KEYDOWN, 0xDE, false},                        // the quote key
        {BrowserKey{0x79, true}, WM_SYSKEYDOWN, 0x79, false},                     // F10
        {BrowserKey{0, true}, WM_KEYDOWN, 0xFF, false},
        {BrowserKey{300, true}, WM_KEYDOWN, 0xFF, false},
        {Finger{1, 0x27, PadTouch::Press}, WM_KEYDOWN, 0x27, true},
        {Finger{1, 0, PadTouch::Lift}, WM_KEYUP, 0x27, true},
        {Finger{1, 0, PadTouch::Cancel}, WM_NULL, 0, false},  // the capture lost after the lift
        {Finger{2, 0x25, PadTouch::Press}, WM_KEYDOWN, 0x25, true},
        {Finger{2, 0, PadTouch::Cancel}, WM_KEYUP, 0x25, true},  // an app switch
        {Finger{3, 0x26, PadTouch::Press}, WM_KEYDOWN, 0x26, true},
        {Finger{4, 0x28, PadTouch::Press}, WM_KEYDOWN, 0x28, true},  // two buttons held
        {Finger{5, 0x26, PadTouch::Press}, WM_NULL, 0, false},       // Up already held
        {Finger{5, 0x27, PadTouch::Press}, WM_NULL, 0, false},       // a finger holds one arrow
        {Finger{3, 0, PadTouch::Lift}, WM_NULL, 0, false},           // finger 5 still on Up
        {Finger{4, 0, PadTouch::Cancel}, WM_KEYUP, 0x28, true},
        {Finger{5, 0, PadTouch::Lift}, WM_KEYUP, 0x26, true},
        {Finger{6, 0x41, PadTouch::Press}, WM_NULL, 0, false},  // not an arrow
        {Finger{6, 0, PadTouch::Lift}, WM_NULL, 0, false},
    };
    PadFingers fingers;
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        const std::optional<Message> message =
            std::holds_alternative<BrowserKey>(c.event)
                ? keyMessage(nullptr, std::get<BrowserKey>(c.event))
                : padMessage(nullptr, fingers, std::get<Finger>(c.event).pointer,
                             std::get<Finger>(c.event).keyCode, std::get<Finger>(c.event).touch);
        EXPECT_EQ(message ? message->message : WM_NULL, c.message);
        EXPECT_EQ(message ? message->wParam : 0, c.wParam);
        EXPECT_EQ(message && gameTakesKey(*message), c.taken);
    }
    EXPECT_EQ(fingers.count, 0u);
    // Ten fingers at most; the eleventh presses nothing, so it has no key to leave held.
    for (std::int32_t pointer = 0; pointer < 10; ++pointer) {
        padMessage(nullptr, fingers, pointer, 0x25, PadTouch::Press);
    }
    EXPECT_FALSE(padMessage(nullptr, fingers, 10, 0x27, PadTouch::Press));
    EXPECT_FALSE(padMessage(nullptr, fingers, 10, 0, PadTouch::Lift));
    EXPECT_TRUE(canvasClientRect(true).empty());
    EXPECT_EQ(canvasClientRect(false).right, 263);
    EXPECT_EQ(canvasClientRect(false).bottom, 575);
    EXPECT_EQ(visibilityMessage(nullptr, true).wParam, SIZE_MINIMIZED);
    EXPECT_EQ(visibilityMessage(nullptr, false).wParam, SIZE_RESTORED);
}

}  // namespace
}  // namespace zephlet
