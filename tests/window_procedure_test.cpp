// The window procedure between fakes of the platform's default handling and
// of the renderer: what each message answers and does, and the order of the
// window's destruction. Also the key messages of the layers that stand in
// for the window's.
#include "app/window_procedure.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "app/shell_globals.h"
#include "app/web/browser_events.h"
#include "game/game_state.h"
#include "game/player_controls.h"
#include "render/frame_presentation.h"
#include "tests/fake_renderer.h"

namespace zephlet {

SDL_Window* const kWindow = reinterpret_cast<SDL_Window*>(std::uintptr_t{0x1000});
constexpr std::int32_t kDefaultResult = 0x5EED;  // told apart from the procedure's own 0

ClientRect clientRect;
ClientRect windowClientRect(SDL_Window*) {
    return {0, 0, 263, 575};
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
// flags, then posts the quit; a paint is the frame's tick. Closing, the
// system's keys and commands go to the default handling, whose answer is
// passed back. Every key, auto-repeat included (the repeat flag is not
// looked at): two presses, each released, reach the controls, and nothing
// the default handling.
TEST(WindowProcedure, AnswersAndDoesWhatEachMessageAsks) {
    const std::pair<MessageId, std::string> cases[] = {{WM_CREATE, "create 263x575"},
                                                       {WM_DESTROY, "release post 0 flag"},
                                                       {WM_PAINT, "0"},
                                                       {WM_CLOSE, "default 16"},
                                                       {WM_SYSKEYDOWN, "default 260"},
                                                       {WM_SYSKEYUP, "default 261"},
                                                       {WM_SYSCOMMAND, "default 274"},
                                                       {WM_NULL, "default 0"}};
    for (const auto& [message, called] : cases) {
        SCOPED_TRACE(message);
        reset();
        const bool toDefault = called.starts_with("default");
        EXPECT_EQ(windowProc(kWindow, message, 7, -0x1234), toDefault ? kDefaultResult : 0);
        EXPECT_EQ(calls, called);
        EXPECT_EQ(quitRequested, message == WM_DESTROY);
    }
    reset();
    for (std::uint32_t key = 0; key <= 0xFF; ++key) {
        resetGame();
        for (const MessageId message : {WM_KEYDOWN, WM_KEYUP, WM_KEYDOWN, WM_KEYUP}) {
            const std::uint32_t flags = message == WM_KEYUP ? 0xC0000001u : 1u | kKeyWasDown;
            EXPECT_EQ(windowProc(kWindow, message, key, static_cast<std::int32_t>(flags)), 0);
        }
        EXPECT_EQ(gameState.playerLane, key == kKeyLeft ? -32 : key == kKeyRight ? 32 : 0) << key;
        EXPECT_EQ(gameState.playerAltitude, key == kKeyUp ? 4 : 0) << key;
    }
    EXPECT_TRUE(calls.empty());
}

// The key messages of the layers that stand in for the window's: F10 and
// keys with Alt or Meta are the system's; the flags say Alt, a key already
// down, a release. In the page only the arrows that reach the game are kept
// from the browser, and a key beyond the codes has none.
TEST(EmulatedKeys, KeyEventsBecomeKeyMessages) {
    constexpr std::uint32_t kUp = 1 | kKeyWasDown | kKeyReleased;
    const struct {
        std::uint32_t keyCode;
        KeyEvent key;  // its virtual key is the page's code for it
        MessageId message;
        std::uint32_t flags;
        bool keptFromBrowser;
    } cases[] = {
        {0x27, {0, true}, WM_KEYDOWN, 1, true},
        {0x25, {0, false}, WM_KEYUP, kUp, true},
        {0x26, {0, true, true}, WM_KEYDOWN, 1 | kKeyWasDown, true},  // auto-repeat
        {0x28, {0, true, false, true}, WM_SYSKEYDOWN, 1 | kKeyContextAlt, false},
        {0x25, {0, false, false, false, true}, WM_SYSKEYUP, kUp, false},           // Meta
        {0x73, {0, true, false, true}, WM_SYSKEYDOWN, 1 | kKeyContextAlt, false},  // Alt+F4
        {0x79, {0, true}, WM_SYSKEYDOWN, 1, false},                                // F10
        {0x79, {0, false}, WM_SYSKEYUP, kUp, false},
        {0x21, {0, true}, WM_KEYDOWN, 1, false},  // Page Up scrolls
        {0xDE, {0, true}, WM_KEYDOWN, 1, false},  // the quote key
        {0, {0, true}, WM_KEYDOWN, 1, false},
        {300, {0, true}, WM_KEYDOWN, 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keyCode);
        KeyEvent key = c.key;
        key.virtualKey = browserVirtualKey(c.keyCode);
        const Message message = keyMessage(kWindow, key);
        EXPECT_EQ(message.window, kWindow);
        EXPECT_EQ(message.message, c.message);
        EXPECT_EQ(message.wParam, c.keyCode > 0 && c.keyCode < 0xFF ? c.keyCode : 0xFF);
        EXPECT_EQ(static_cast<std::uint32_t>(message.lParam), c.flags);
        EXPECT_EQ(gameTakesKey(message), c.keptFromBrowser);
    }
}

// The pad's fingers are the keyboard's key messages: an arrow is down while
// a finger holds it, and a lift or a cancelled touch releases it, once. The
// rows run in order, the fingers carried from row to row.
TEST(BrowserEvents, PadFingersPressAndReleaseTheirArrowsOnce) {
    const struct {
        std::int32_t pointer;
        std::uint32_t keyCode;  // for a press
        PadTouch touch;
        MessageId message;  // WM_NULL: none
        WordParam wParam;
    } cases[] = {
        {1, 0x27, PadTouch::Press, WM_KEYDOWN, 0x27},
        {1, 0, PadTouch::Lift, WM_KEYUP, 0x27},
        {1, 0, PadTouch::Cancel, WM_NULL, 0},  // the capture lost after the lift
        {2, 0x25, PadTouch::Press, WM_KEYDOWN, 0x25},
        {2, 0, PadTouch::Cancel, WM_KEYUP, 0x25},  // an app switch
        {3, 0x26, PadTouch::Press, WM_KEYDOWN, 0x26},
        {4, 0x28, PadTouch::Press, WM_KEYDOWN, 0x28},  // two buttons held
        {5, 0x26, PadTouch::Press, WM_NULL, 0},        // Up already held
        {5, 0x27, PadTouch::Press, WM_NULL, 0},        // a finger holds one arrow
        {3, 0, PadTouch::Lift, WM_NULL, 0},            // finger 5 still on Up
        {4, 0, PadTouch::Cancel, WM_KEYUP, 0x28},
        {5, 0, PadTouch::Lift, WM_KEYUP, 0x26},
        {6, 0x41, PadTouch::Press, WM_NULL, 0},  // not an arrow
        {6, 0, PadTouch::Lift, WM_NULL, 0},
    };
    PadFingers fingers;
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        const std::optional<Message> message =
            padMessage(kWindow, fingers, c.pointer, c.keyCode, c.touch);
        EXPECT_EQ(message ? message->message : WM_NULL, c.message);
        EXPECT_EQ(message ? message->wParam : 0, c.wParam);
        EXPECT_TRUE(!message || gameTakesKey(*message));
        const auto released = static_cast<std::uint32_t>(1 | kKeyWasDown | kKeyReleased);
        EXPECT_EQ(message ? static_cast<std::uint32_t>(message->lParam) : 0,
                  !message                  ? 0
                  : c.message == WM_KEYDOWN ? 1
                                            : released);
    }
    EXPECT_EQ(fingers.count, 0u);
    // Ten fingers at most; the eleventh presses nothing, so it has no key to leave held.
    for (std::int32_t pointer = 0; pointer < 10; ++pointer) {
        padMessage(kWindow, fingers, pointer, 0x25, PadTouch::Press);
    }
    EXPECT_FALSE(padMessage(kWindow, fingers, 10, 0x27, PadTouch::Press));
    EXPECT_FALSE(padMessage(kWindow, fingers, 10, 0, PadTouch::Lift));
}

// A hidden page is a minimised window, with no client area to paint.
TEST(BrowserEvents, AHiddenPageIsAMinimisedWindow) {
    EXPECT_TRUE(canvasClientRect(true).empty());
    EXPECT_EQ(canvasClientRect(false).right, 263);
    EXPECT_EQ(canvasClientRect(false).bottom, 575);
    EXPECT_EQ(visibilityMessage(nullptr, true).wParam, SIZE_MINIMIZED);
    EXPECT_EQ(visibilityMessage(nullptr, false).wParam, SIZE_RESTORED);
}

}  // namespace
}  // namespace zephlet
