// The platform layer and the frame loop on SDL's dummy video driver, with a
// fake renderer whose paint runs the real tick: SDL's events as messages,
// the paint only when something needs it, one message per frame, and a
// close that ends the loop before any further paint.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "app/frame_loop.h"
#include "app/platform_messages.h"
#include "app/platform_window.h"
#include "app/program_entry.h"
#include "app/shell_globals.h"
#include "app/window_procedure.h"
#include "game/game_state.h"
#include "game/level_scripts.h"
#include "game/world_tick.h"
#include "render/client_area.h"
#include "render/frame_composition.h"
#include "render/graphics_resources.h"

namespace zephlet {

namespace {

// What the renderer saw, in order: "create WxH", "paint lane L tick T",
// "release".
std::vector<std::string> calls;
// Frames for which the fake client area stays empty, as while minimised.
int minimisedFrames = 0;
// Called at the start of every paint with its number, from 1.
void (*onPaint)(int paint) = nullptr;
int paints = 0;

}  // namespace

ClientRect clientRect;

ClientRect windowClientRect(SDL_Window* window) {
    if (minimisedFrames > 0) {
        --minimisedFrames;
        return {};
    }
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window, &width, &height);
    return {0, 0, width, height};
}

void createGraphicsResources() {
    calls.push_back("create " + std::to_string(clientRect.right) + "x" +
                    std::to_string(clientRect.bottom));
}

void releaseGraphicsResources() {
    calls.push_back("release");
}

void paintFrame(SDL_Window*) {
    ++paints;
    if (onPaint != nullptr) {
        onPaint(paints);
    }
    tickWorld();
    calls.push_back("paint lane " + std::to_string(gameState.playerLane) + " tick " +
                    std::to_string(gameState.levelTick));
}

namespace {

void resetRecords() {
    resetGame();
    calls.clear();
    minimisedFrames = 0;
    onPaint = nullptr;
    paints = 0;
    quitRequested = false;
    clientRect = {};
}

void drainQueue() {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) {
    }
}

SDL_Event keyEvent(SDL_Window* window, Uint32 type, SDL_Keycode sym, SDL_Scancode scancode,
                   Uint16 mod = KMOD_NONE, Uint8 repeat = 0) {
    SDL_Event event{};
    event.type = type;
    event.key.windowID = SDL_GetWindowID(window);
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat;
    event.key.keysym = {scancode, sym, mod, 0};
    return event;
}

SDL_Event windowEvent(SDL_Window* window, Uint8 what, Sint32 data1 = 0, Sint32 data2 = 0) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = SDL_GetWindowID(window);
    event.window.event = what;
    event.window.data1 = data1;
    event.window.data2 = data2;
    return event;
}

SDL_Event buttonEvent(SDL_Window* window, Uint32 type, Uint8 button, Sint32 x, Sint32 y) {
    SDL_Event event{};
    event.type = type;
    event.button.windowID = SDL_GetWindowID(window);
    event.button.button = button;
    event.button.x = x;
    event.button.y = y;
    return event;
}

SDL_Event plainEvent(Uint32 type) {
    SDL_Event event{};
    event.type = type;
    return event;
}

void push(SDL_Event event) {
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

// The window as the program has it when its loop begins: created, shown
// and painted once, and nothing waiting in the queue.
class MessagePumpTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resetRecords();
        ASSERT_TRUE(registerWindowClass(windowProc)) << SDL_GetError();
        window = createMainWindow("Zephlet!", 265, 600);
        ASSERT_NE(window, nullptr) << SDL_GetError();
        showWindow(window);
        updateWindow(window);
        drainQueue();
        resetGame();  // the first paint's tick
        calls.clear();
        paints = 0;
    }
    void TearDown() override {
        destroyWindow(mainWindow());
        unregisterWindowClass();
        resetRecords();
    }
    SDL_Window* window = nullptr;
};

struct TranslationCase {
    const char* name;
    SDL_Event event;
    bool toWindow;
    std::uint32_t message;
    std::uint32_t wParam;
    std::uint32_t lParam;
};

TEST_F(MessagePumpTest, TurnsSdlEventsIntoMessages) {
    SDL_Event otherWindow = windowEvent(window, SDL_WINDOWEVENT_CLOSE);
    otherWindow.window.windowID += 1;
    const TranslationCase cases[] = {
        {"right arrow down", keyEvent(window, SDL_KEYDOWN, SDLK_RIGHT, SDL_SCANCODE_RIGHT), true,
         WM_KEYDOWN, 0x27, 0x00000001},
        {"right arrow repeated",
         keyEvent(window, SDL_KEYDOWN, SDLK_RIGHT, SDL_SCANCODE_RIGHT, KMOD_NONE, 1), true,
         WM_KEYDOWN, 0x27, 0x40000001},
        {"right arrow up", keyEvent(window, SDL_KEYUP, SDLK_RIGHT, SDL_SCANCODE_RIGHT), true,
         WM_KEYUP, 0x27, 0xC0000001},
        {"apostrophe down", keyEvent(window, SDL_KEYDOWN, SDLK_QUOTE, SDL_SCANCODE_APOSTROPHE),
         true, WM_KEYDOWN, 0xDE, 0x00000001},
        {"left arrow with Alt",
         keyEvent(window, SDL_KEYDOWN, SDLK_LEFT, SDL_SCANCODE_LEFT, KMOD_LALT), true,
         WM_SYSKEYDOWN, 0x25, 0x20000001},
        {"F10", keyEvent(window, SDL_KEYDOWN, SDLK_F10, SDL_SCANCODE_F10), true, WM_SYSKEYDOWN,
         0x79, 0x00000001},
        {"close", windowEvent(window, SDL_WINDOWEVENT_CLOSE), true, WM_CLOSE, 0, 0},
        {"quit", plainEvent(SDL_QUIT), true, WM_CLOSE, 0, 0},
        {"exposed", windowEvent(window, SDL_WINDOWEVENT_EXPOSED), true, WM_PAINT, 0, 0},
        {"size changed", windowEvent(window, SDL_WINDOWEVENT_SIZE_CHANGED, 300, 400), true, WM_SIZE,
         SIZE_RESTORED, 0x0190012C},
        {"minimised", windowEvent(window, SDL_WINDOWEVENT_MINIMIZED), true, WM_SIZE, SIZE_MINIMIZED,
         0},
        {"moved", windowEvent(window, SDL_WINDOWEVENT_MOVED, 10, 10), true, WM_NULL, 0, 0},
        {"another window", otherWindow, false, WM_CLOSE, 0, 0},
        {"left button down", buttonEvent(window, SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 10, 20),
         true, WM_LBUTTONDOWN, 0, 0x0014000A},
        {"right button down", buttonEvent(window, SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 1, 2),
         true, WM_RBUTTONDOWN, 0, 0x00020001},
        {"first extra button down", buttonEvent(window, SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 0, 0),
         true, WM_XBUTTONDOWN, 0x10000, 0},
        {"text input", plainEvent(SDL_TEXTINPUT), false, WM_NULL, 0, 0},
    };
    for (const TranslationCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Message message = translateEvent(c.event);
        EXPECT_EQ(message.window, c.toWindow ? window : nullptr);
        EXPECT_EQ(message.message, c.message);
        EXPECT_EQ(message.wParam, c.wParam);
        EXPECT_EQ(static_cast<std::uint32_t>(message.lParam), c.lParam);
    }
}

TEST_F(MessagePumpTest, OnePeekTakesOneWaitingEventAndLosesNoStep) {
    Message message;
    EXPECT_FALSE(peekMessage(message));
    push(keyEvent(window, SDL_KEYDOWN, SDLK_UP, SDL_SCANCODE_UP));
    push(keyEvent(window, SDL_KEYUP, SDLK_UP, SDL_SCANCODE_UP));
    ASSERT_TRUE(peekMessage(message));
    EXPECT_EQ(message.message, WM_KEYDOWN);
    // An event that arrives after a fetch is taken by the very next step.
    push(windowEvent(window, SDL_WINDOWEVENT_CLOSE));
    ASSERT_TRUE(peekMessage(message));
    EXPECT_EQ(message.message, WM_KEYUP);
    ASSERT_TRUE(peekMessage(message));
    EXPECT_EQ(message.message, WM_CLOSE);
    EXPECT_FALSE(peekMessage(message));
    EXPECT_TRUE(calls.empty());  // peeking dispatches nothing
}

TEST_F(MessagePumpTest, PaintsOnlyWhatNeedsPaintingInANonEmptyClientArea) {
    updateWindow(window);
    EXPECT_EQ(paints, 0) << "nothing was invalidated";
    invalidateRect(window, {0, 0, 0, 0});
    updateWindow(window);
    EXPECT_EQ(paints, 0) << "an empty rectangle adds nothing";
    invalidateRect(window, windowClientRect(window));
    updateWindow(window);
    EXPECT_EQ(paints, 1);
    updateWindow(window);
    EXPECT_EQ(paints, 1) << "the paint left the window painted";
    invalidateRect(window, windowClientRect(window));
    minimisedFrames = 1;
    updateWindow(window);
    EXPECT_EQ(paints, 1) << "a minimised window is not painted";
    updateWindow(window);
    EXPECT_EQ(paints, 2) << "what needed painting is painted once it comes back";
}

TEST_F(MessagePumpTest, TenWaitingEventsAreHandledOverTenFramesAndTheCloseEndsTheLoop) {
    const SDL_Keycode right = SDLK_RIGHT;
    const SDL_Keycode left = SDLK_LEFT;
    const struct {
        Uint32 type;
        SDL_Keycode sym;
    } keys[] = {
        {SDL_KEYDOWN, right}, {SDL_KEYUP, right}, {SDL_KEYDOWN, left},  {SDL_KEYUP, left},
        {SDL_KEYDOWN, left},  {SDL_KEYUP, left},  {SDL_KEYDOWN, right}, {SDL_KEYUP, right},
        {SDL_KEYDOWN, right}, {SDL_KEYUP, right},
    };
    for (const auto& key : keys) {
        push(keyEvent(window, key.type, key.sym,
                      key.sym == right ? SDL_SCANCODE_RIGHT : SDL_SCANCODE_LEFT));
    }
    push(windowEvent(window, SDL_WINDOWEVENT_CLOSE));
    push(windowEvent(window, SDL_WINDOWEVENT_EXPOSED));  // never reached

    runFrameLoop(window);

    // The first step comes before the first paint; each paint shows one
    // more event handled and one more tick.
    const std::vector<std::string> expected = {
        "paint lane 32 tick 1",
        "paint lane 32 tick 2",
        "paint lane 0 tick 3",
        "paint lane 0 tick 4",
        "paint lane -32 tick 5",
        "paint lane -32 tick 6",
        "paint lane 0 tick 7",
        "paint lane 0 tick 8",
        "paint lane 32 tick 9",
        "paint lane 32 tick 10",
        "release",
    };
    EXPECT_EQ(calls, expected);
    EXPECT_TRUE(quitRequested);
    EXPECT_EQ(mainWindow(), nullptr);
    Message message;
    ASSERT_TRUE(peekMessage(message));
    EXPECT_EQ(message.message, WM_PAINT) << "the events after the close stay waiting";
    EXPECT_EQ(message.window, nullptr);
    ASSERT_TRUE(peekMessage(message));
    EXPECT_EQ(message.message, WM_QUIT) << "posted last, while the window was destroyed";
    EXPECT_EQ(message.wParam, 0u);
    EXPECT_EQ(message.window, nullptr);
}

TEST_F(MessagePumpTest, EveryCloseRequestEndsTheLoopBeforeAnyFurtherPaint) {
    const struct {
        const char* name;
        SDL_Event request;
    } requests[] = {
        {"the window manager's close", windowEvent(window, SDL_WINDOWEVENT_CLOSE)},
        {"SDL's quit", plainEvent(SDL_QUIT)},
        {"Alt with F4", keyEvent(window, SDL_KEYDOWN, SDLK_F4, SDL_SCANCODE_F4, KMOD_LALT)},
    };
    for (const auto& r : requests) {
        SCOPED_TRACE(r.name);
        TearDown();
        SetUp();
        push(keyEvent(window, SDL_KEYDOWN, SDLK_F4, SDL_SCANCODE_F4));  // no Alt: nothing
        push(r.request);
        runFrameLoop(window);
        EXPECT_EQ(calls, (std::vector<std::string>{"paint lane 0 tick 1", "release"}));
        EXPECT_TRUE(quitRequested);
    }
}

TEST_F(MessagePumpTest, AnExposureFromTheQueueIsOneMoreTick) {
    push(windowEvent(window, SDL_WINDOWEVENT_EXPOSED));
    push(windowEvent(window, SDL_WINDOWEVENT_CLOSE));
    runFrameLoop(window);
    EXPECT_EQ(calls,
              (std::vector<std::string>{"paint lane 0 tick 1", "paint lane 0 tick 2", "release"}));
}

TEST_F(MessagePumpTest, WhileMinimisedTheGameStandsStillAndTheLoopGoesOnPumping) {
    onPaint = [](int paint) {
        if (paint == 3) {
            minimisedFrames = 5;  // from the frame after this one
        }
    };
    // Ten frames: three paints, five minimised, two paints.
    for (int i = 0; i < 10; ++i) {
        push(
            keyEvent(window, i % 2 == 0 ? SDL_KEYDOWN : SDL_KEYUP, SDLK_SPACE, SDL_SCANCODE_SPACE));
    }
    push(windowEvent(window, SDL_WINDOWEVENT_CLOSE));
    runFrameLoop(window);
    EXPECT_EQ(calls, (std::vector<std::string>{"paint lane 0 tick 1", "paint lane 0 tick 2",
                                               "paint lane 0 tick 3", "paint lane 0 tick 4",
                                               "paint lane 0 tick 5", "release"}));
    EXPECT_EQ(minimisedFrames, 0);
}

// The whole entry, with the video system started and stopped by winMain.
class ProgramEntryTest : public ::testing::Test {
  protected:
    void SetUp() override { resetRecords(); }
    void TearDown() override { resetRecords(); }
};

std::uint32_t unseededState = 0;
std::uint32_t stateAtPaint[3] = {};

TEST_F(ProgramEntryTest, StartsInOrderAndEndsWithZeroAfterTheClose) {
    unseededState = randomState();
    onPaint = [](int paint) {
        if (paint <= 3) {
            stateAtPaint[paint - 1] = randomState();
        }
        if (paint == 3) {
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
        }
    };
    const std::time_t before = std::time(nullptr);
    EXPECT_EQ(winMain("zephlet-under-test"), 0);
    const std::time_t after = std::time(nullptr);

    EXPECT_STREQ(appInstance, "zephlet-under-test");
    // Without a window manager the client area is the whole size asked for.
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), "create 265x600");
    EXPECT_EQ(calls.back(), "release");
    EXPECT_TRUE(quitRequested);
    EXPECT_EQ(clientRect.right, 265);
    EXPECT_EQ(clientRect.bottom, 600);
    // The first paint runs before the seeding, the later ones after it; no
    // draw is made in the first ticks, so the state is the seed itself.
    EXPECT_EQ(stateAtPaint[0], unseededState);
    EXPECT_GE(stateAtPaint[1], static_cast<std::uint32_t>(before));
    EXPECT_LE(stateAtPaint[1], static_cast<std::uint32_t>(after));
    EXPECT_GE(paints, 3);
}

TEST_F(ProgramEntryTest, WithoutAVideoSystemSaysSoAndEndsWithMinusOne) {
    // No display for the message box either, so that it cannot block.
    ASSERT_EQ(setenv("SDL_VIDEODRIVER", "no-such-driver", 1), 0);
    ASSERT_EQ(unsetenv("DISPLAY"), 0);
    ASSERT_EQ(unsetenv("WAYLAND_DISPLAY"), 0);
    ::testing::internal::CaptureStderr();
    const int exitCode = winMain("zephlet-under-test");
    const std::string said = ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(setenv("SDL_VIDEODRIVER", "dummy", 1), 0);
    EXPECT_EQ(exitCode, -1);
    EXPECT_EQ(said, "Window class registration failed!\n");
    EXPECT_TRUE(calls.empty());
}

}  // namespace
}  // namespace zephlet
