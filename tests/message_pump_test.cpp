// The frame loop on SDL's dummy video driver, with a fake renderer whose
// paint runs the real tick: one waiting event handled per frame, a paint
// only where there is a client area, and a close that ends the loop before
// any further paint. Then winMain around it.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <ctime>
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
#include "game/world_tick.h"
#include "render/frame_presentation.h"
#include "render/graphics_resources.h"

namespace zephlet {

namespace {

// What the renderer saw, in order: "create WxH", "paint L" with the craft's
// lane after the paint's tick, "release". Every paint is one tick.
std::vector<std::string> calls;
int minimisedFrames = 0;      // frames for which the client area stays empty
void (*onPaint)() = nullptr;  // at the start of every paint, before its tick

}  // namespace

ClientRect clientRect;
ClientRect windowClientRect(SDL_Window* window) {
    ClientRect area;
    if (minimisedFrames > 0) {
        --minimisedFrames;
    } else {
        SDL_GetWindowSize(window, &area.right, &area.bottom);
    }
    return area;
}
void createGraphicsResources() {
    calls.push_back("create " + std::to_string(clientRect.right) + "x" +
                    std::to_string(clientRect.bottom));
}
void releaseGraphicsResources() {
    calls.push_back("release");
}
void paintFrame(SDL_Window*) {
    if (onPaint != nullptr) {
        onPaint();
    }
    tickWorld();
    calls.push_back("paint " + std::to_string(gameState.playerLane));
    if (gameState.levelTick == 100) {
        quitRequested = true;  // a loop that would not end fails instead
    }
}

namespace {

void reset() {
    resetGame();
    calls.clear();
    minimisedFrames = 0;
    onPaint = nullptr;
    quitRequested = false;
    clientRect = {};
}

// A window event (code: what happened) or key event (code: the scancode)
// for the main window, or an SDL_QUIT.
void push(Uint32 type, int code = 0, Uint16 mod = KMOD_NONE) {
    SDL_Event event{};
    event.type = type;
    if (type == SDL_WINDOWEVENT) {
        event.window.windowID = SDL_GetWindowID(mainWindow());
        event.window.event = static_cast<Uint8>(code);
    } else {
        event.key.windowID = SDL_GetWindowID(mainWindow());
        event.key.keysym = {static_cast<SDL_Scancode>(code), SDLK_UNKNOWN, mod, 0};
    }
    ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
}

// The window as the program has it when its loop begins: created, shown and
// painted once, and nothing waiting.
class MessagePumpTest : public ::testing::Test {
  protected:
    void SetUp() override {
        reset();
        ASSERT_TRUE(registerWindowClass(windowProc)) << SDL_GetError();
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

TEST_F(MessagePumpTest, TenWaitingEventsAreHandledOverTenFramesAndTheCloseEndsTheLoop) {
    for (const SDL_Scancode key : {SDL_SCANCODE_RIGHT, SDL_SCANCODE_LEFT, SDL_SCANCODE_LEFT,
                                   SDL_SCANCODE_RIGHT, SDL_SCANCODE_RIGHT}) {
        push(SDL_KEYDOWN, key);
        push(SDL_KEYUP, key);
    }
    // Queued after the first fetch: a poll sentinel ending that fetch would
    // cost a frame with no event.
    onPaint = [] {
        if (gameState.levelTick == 0) {
            push(SDL_WINDOWEVENT, SDL_WINDOWEVENT_CLOSE);
            push(SDL_WINDOWEVENT, SDL_WINDOWEVENT_EXPOSED);
        }
    };
    runFrameLoop(window);
    // The first step comes before the first paint; each paint shows one
    // more event handled and one more tick; none follows the release.
    EXPECT_EQ(calls, (std::vector<std::string>{"paint 32", "paint 32", "paint 0", "paint 0",
                                               "paint -32", "paint -32", "paint 0", "paint 0",
                                               "paint 32", "paint 32", "release"}));
    Message message;
    ASSERT_TRUE(peekMessage(message));
    EXPECT_EQ(message.message, WM_PAINT) << "no step is taken after the close";
}

// Each request follows an exposure, which is one more tick, and F4 without
// Alt, which does nothing: three paints, then the release.
TEST_F(MessagePumpTest, EveryCloseRequestEndsTheLoopBeforeAnyFurtherPaint) {
    const struct {
        Uint32 type;
        int code;
        Uint16 mod;
    } requests[] = {
        {SDL_WINDOWEVENT, SDL_WINDOWEVENT_CLOSE, KMOD_NONE},
        {SDL_QUIT, 0, KMOD_NONE},
        {SDL_KEYDOWN, SDL_SCANCODE_F4, KMOD_LALT},
    };
    for (const auto& r : requests) {
        SCOPED_TRACE(r.type);
        TearDown();
        SetUp();
        push(SDL_WINDOWEVENT, SDL_WINDOWEVENT_EXPOSED);
        push(SDL_KEYDOWN, SDL_SCANCODE_F4);
        push(r.type, r.code, r.mod);
        runFrameLoop(window);
        EXPECT_EQ(calls, (std::vector<std::string>{"paint 0", "paint 0", "paint 0", "release"}));
    }
}

TEST_F(MessagePumpTest, WhileMinimisedTheGameStandsStillAndTheLoopGoesOnPumping) {
    minimisedFrames = 5;
    for (int i = 0; i < 7; ++i) {
        push(SDL_KEYUP, SDL_SCANCODE_SPACE);
    }
    push(SDL_WINDOWEVENT, SDL_WINDOWEVENT_CLOSE);
    runFrameLoop(window);
    // Seven frames before the close, the first five minimised.
    EXPECT_EQ(calls, (std::vector<std::string>{"paint 0", "paint 0", "release"}));
    EXPECT_EQ(minimisedFrames, 0);
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
            push(SDL_QUIT);
        }
    };
    const std::uint32_t unseeded = randomState();
    const std::time_t before = std::time(nullptr);
    EXPECT_EQ(winMain("zephlet-under-test"), 0);
    const std::time_t after = std::time(nullptr);
    EXPECT_STREQ(appInstance, "zephlet-under-test");
    // Without a window manager the client area is the whole size asked for.
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), "create 265x600");
    EXPECT_EQ(calls.back(), "release");
    // Seeded after the first paint; no draw is made in the first ticks, so
    // the state is the seed itself.
    EXPECT_EQ(stateAtPaint[0], unseeded);
    EXPECT_GE(stateAtPaint[1], static_cast<std::uint32_t>(before));
    EXPECT_LE(stateAtPaint[1], static_cast<std::uint32_t>(after));
}

// The plain framebuffer where the driver has one (X11, and the drivers the
// tests run on); SDL's texture path where it has none.
TEST(ProgramEntryTest, PresentsToAPlainFramebufferWhereTheDriverHasOne) {
    for (const auto& [driver, plain] : {std::pair{"x11", true},
                                        {"X11", true},
                                        {"dummy", true},
                                        {"offscreen", true},
                                        {"wayland", false},
                                        {"KMSDRM", false},
                                        {"", false}}) {
        EXPECT_EQ(presentsToPlainFramebuffer(driver), plain) << driver;
    }
}

}  // namespace
}  // namespace zephlet
