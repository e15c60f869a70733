// The window procedure between fakes of the platform's default handling and
// of the renderer: what each message answers and does, and the order of the
// window's destruction.
#include "app/window_procedure.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "app/shell_globals.h"
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


}  // namespace
}  // namespace zephlet
