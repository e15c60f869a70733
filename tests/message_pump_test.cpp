// The frame loop on SDL's dummy video driver, with a fake renderer whose
// paint runs the real tick: one waiting event handled per frame, a paint
// only where the layer finds a client area, and a close that ends the loop
// before any further paint. Then winMain around it.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "app/frame_loop.h"
#include "app/sdl/platform_messages.h"
#include "app/sdl/platform_window.h"
#include "app/sdl/program_entry.h"
#include "app/shell_globals.h"
#include "app/shell_platform.h"
#include "app/window_procedure.h"
#include "game/game_state.h"
#include "game/level_scripts.h"
#include "tests/fake_renderer.h"

// The dummy driver cannot minimise a window, so SDL's flags are the test's:
// they follow the minimise and restore events the window procedure is sent.
namespace {
bool minimised = false;
}  // namespace
Uint32 SDL_GetWindowFlags(SDL_Window* /*window*/) {
    return minimised ? SDL_WINDOW_MINIMIZED : SDL_WINDOW_SHOWN;
}

namespace zephlet {

namespace {

// The game's window procedure, behind which SDL's flags change as the
// display changes them when it minimises and restores the window.
MessageResult procedure(SDL_Window* window, MessageId message, WordParam wParam, LongParam lParam) {
    if (message == WM_SIZE) {
        minimised = wParam == SIZE_MINIMIZED;
    }
    return windowProc(window, message, wParam, lParam);
}

void reset() {
    resetGame();
    calls.clear();
    minimised = false;
    onPaint = nullptr;
    quitRequested = false;
    clientRect = {};
}

// A window event (code: what happened) or key event (code: the scancode)
// for the main window, or an SDL_QUIT.
struct Event {
    Uint32 type;
    int code = 0;
    Uint16 mod = KMOD_NONE;
};
void push(const Event& e) {
    SDL_Event event{e.type};
    if (e.type == SDL_WINDOWEVENT) {
        event.window.windowID = SDL_GetWindowID(mainWindow());
        event.window.event = static_cast<Uint8>(e.code);
    } else {
        event.key.windowID = SDL_GetWindowID(mainWindow());
        event.key.keysym = {static_cast<SDL_Scancode>(e.code), SDLK_UNKNOWN, e.mod, 0};
    }
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

// The steps of a row: a key pressed or released (R+, R-, L+, L-, space-),
// Alt+F4, the window's close box, exposure, minimise and restore, or SDL_QUIT.
std::vector<Event> events(const std::string& steps) {
    const std::map<std::string, Event> named = {
        {"R+", {SDL_KEYDOWN, SDL_SCANCODE_RIGHT}},
        {"R-", {SDL_KEYUP, SDL_SCANCODE_RIGHT}},
        {"L+", {SDL_KEYDOWN, SDL_SCANCODE_LEFT}},
        {"L-", {SDL_KEYUP, SDL_SCANCODE_LEFT}},
        {"space-", {SDL_KEYUP, SDL_SCANCODE_SPACE}},
        {"alt+F4", {SDL_KEYDOWN, SDL_SCANCODE_F4, KMOD_LALT}},
        {"close", {SDL_WINDOWEVENT, SDL_WINDOWEVENT_CLOSE}},
        {"expose", {SDL_WINDOWEVENT, SDL_WINDOWEVENT_EXPOSED}},
        {"minimise", {SDL_WINDOWEVENT, SDL_WINDOWEVENT_MINIMIZED}},
        {"restore", {SDL_WINDOWEVENT, SDL_WINDOWEVENT_RESTORED}},
        {"quit", {SDL_QUIT}},
    };
    std::istringstream in(steps);
    std::vector<Event> out;
    for (std::string step; in >> step;) {
        out.push_back(named.at(step));
    }
    return out;
}

// The window as the program has it when its loop begins: created, shown and
// painted once, and nothing waiting.
class MessagePumpTest : public ::testing::Test {
  protected:
    void SetUp() override {
        reset();
        ASSERT_TRUE(registerWindowClass(procedure)) << SDL_GetError();
        ASSERT_EQ(createMainWindow("Zephlet!", 265, 600, window), WindowCreation::kCreated)
            << SDL_GetError();
        showWindow(window);
        updateWindow(window);
        SDL_Event event;
        while (SDL_PollEvent(&event) != 0) {
        }
        reset();
    }
    void TearDown() override {
        destroyWindow(mainWindow());
        unregisterWindowClass();
        reset();
    }
    SDL_Window* window = nullptr;
};

// The events waiting when the loop begins, and the renderer's calls. The
// first step comes before the first paint; a step that is no close is one
// more paint and so one more tick; none follows the release.
TEST_F(MessagePumpTest, EachFrameTakesOneEventAndACloseEndsTheLoopBeforeAnyFurtherPaint) {
    // Waiting events, and the lane each paint left the craft in.
    const std::pair<const char*, const char*> cases[] = {
        {"R+ R- L+ L- L+ L- R+ R- R+ R- close", "32 32 0 0 -32 -32 0 0 32 32 release"},
        // An exposure is one more paint, and so one more tick.
        {"expose space- close", "0 0 0 release"},
        {"expose space- quit", "0 0 0 release"},
        {"expose space- alt+F4", "0 0 0 release"},
        // Minimised, the loop goes on taking events, but nothing is painted
        // and the game stands still; restored, it goes on from there.
        {"minimise R+ space- space- restore space- close", "32 32 release"},
    };
    for (const auto& [steps, painted] : cases) {
        SCOPED_TRACE(steps);
        TearDown();
        SetUp();
        // The close comes after the first fetch, where a poll sentinel ending
        // that fetch would cost a frame with no event; an exposure after it
        // shows whether the loop took another step.
        static std::vector<Event> late;
        const std::vector<Event> waiting = events(steps);
        late = {waiting.back(), events("expose")[0]};
        for (auto e = waiting.begin(); e + 1 != waiting.end(); ++e) {
            push(*e);
        }
        onPaint = [] {
            for (const Event& e : late) {
                push(e);
            }
            late.clear();
        };
        runFrameLoop(window);
        EXPECT_EQ(calls, painted);
        Message message;
        ASSERT_TRUE(peekMessage(message));
        EXPECT_EQ(message.message, WM_PAINT) << "a step after the close";
    }
}

// The whole entry, with the video system started and stopped by winMain.
std::uint32_t stateAtPaint[2] = {};

TEST(ProgramEntryTest, StartsInOrderAndEndsWithZeroAfterTheClose) {
    reset();
    onPaint = [] {
        if (gameState.levelTick < 2) {
            stateAtPaint[gameState.levelTick] = randomState();
        }
        if (gameState.levelTick == 1) {
            push({SDL_QUIT});
        }
    };
    const std::uint32_t unseeded = randomState();
    const std::time_t before = std::time(nullptr);
    EXPECT_EQ(winMain("zephlet-under-test"), 0);
    const std::time_t after = std::time(nullptr);
    EXPECT_STREQ(appInstance, "zephlet-under-test");
    // Without a window manager the client area is the whole size asked for.
    EXPECT_TRUE(calls.starts_with("create 265x600 ") && calls.ends_with(" release")) << calls;
    // Seeded after the first paint; no draw is made in the first ticks, so
    // the state is the seed itself.
    EXPECT_EQ(stateAtPaint[0], unseeded);
    EXPECT_GE(stateAtPaint[1], static_cast<std::uint32_t>(before));
    EXPECT_LE(stateAtPaint[1], static_cast<std::uint32_t>(after));
}

}  // namespace
}  // namespace zephlet
