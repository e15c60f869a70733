// The SDL layer on the dummy video driver, with a fake renderer whose paint
// runs the real tick: which keys have codes, the keyboard and SDL's virtual
// pads under the arrows' rule one message a pump step, the frame loop taking
// one event a frame, and winMain around it. No window has the focus there,
// so the tests let SDL hear pads in the background, which the game never does.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cctype>
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
#include "app/sdl/virtual_keys.h"
#include "app/shell_globals.h"
#include "app/shell_platform.h"
#include "app/window_procedure.h"
#include "game/game_state.h"
#include "game/level_scripts.h"
#include "game/player_controls.h"
#include "tests/fake_renderer.h"

// The dummy driver cannot minimise a window, so SDL's flags are the test's:
// they follow the minimise and restore events the window procedure is sent.
static bool minimised = false;
Uint32 SDL_GetWindowFlags(SDL_Window* /*window*/) {
    return minimised ? SDL_WINDOW_MINIMIZED : SDL_WINDOW_SHOWN;
}

namespace zephlet {
namespace {

MessageResult procedure(SDL_Window* window, MessageId message, WordParam wParam, LongParam lParam) {
    if (message == WM_SIZE) {
        minimised = wParam == SIZE_MINIMIZED;
    }
    return windowProc(window, message, wParam, lParam);
}

// Only the arrows, and the keypad's with Num Lock off, give the arrows'
// codes, wherever SDL's codes of '%', '\'' and '(' sit; the system's keys
// keep theirs; every other key has none.
TEST(VirtualKeys, OnlyTheKeysSomeoneReadsHaveCodes) {
    const std::map<int, std::uint32_t> kept = {
        {SDL_SCANCODE_LEFT, kKeyLeft},   {SDL_SCANCODE_UP, kKeyUp},
        {SDL_SCANCODE_RIGHT, kKeyRight}, {SDL_SCANCODE_DOWN, kKeyDown},
        {SDL_SCANCODE_KP_4, kKeyLeft},   {SDL_SCANCODE_KP_8, kKeyUp},
        {SDL_SCANCODE_KP_6, kKeyRight},  {SDL_SCANCODE_KP_2, kKeyDown},
        {SDL_SCANCODE_F4, VK_F4},        {SDL_SCANCODE_F10, VK_F10},
        {SDL_SCANCODE_LALT, VK_MENU},    {SDL_SCANCODE_RALT, VK_MENU},
    };
    for (int s = 0; s < SDL_NUM_SCANCODES; ++s) {
        for (const SDL_Keycode sym : {SDLK_UNKNOWN, SDLK_PERCENT, SDLK_QUOTE, SDLK_LEFTPAREN}) {
            for (const Uint16 mod : {Uint16{KMOD_NONE}, Uint16{KMOD_NUM}}) {
                const auto key = kept.find(s);
                const bool digit =
                    mod == KMOD_NUM && s >= SDL_SCANCODE_KP_1 && s <= SDL_SCANCODE_KP_0;
                EXPECT_EQ(virtualKeyCode({SDL_Scancode(s), sym, mod, 0}),
                          key != kept.end() && !digit ? key->second : kNoVirtualKey)
                    << s << " " << sym << " " << mod;
            }
        }
    }
}

// The keys and the d-pad's buttons by the names the rows give them.
struct Key {
    std::uint32_t code;
    SDL_Scancode scancode;
    int button;
};
const std::map<std::string, Key> kKeys = {
    {"L", {kKeyLeft, SDL_SCANCODE_LEFT, SDL_CONTROLLER_BUTTON_DPAD_LEFT}},
    {"U", {kKeyUp, SDL_SCANCODE_UP, SDL_CONTROLLER_BUTTON_DPAD_UP}},
    {"R", {kKeyRight, SDL_SCANCODE_RIGHT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT}},
    {"D", {kKeyDown, SDL_SCANCODE_DOWN, SDL_CONTROLLER_BUTTON_DPAD_DOWN}},
    {"F4", {VK_F4, SDL_SCANCODE_F4, -1}},
    {"F10", {VK_F10, SDL_SCANCODE_F10, -1}},
    {"space", {kNoVirtualKey, SDL_SCANCODE_SPACE, -1}},
};

std::vector<SDL_Joystick*> pads;  // as the rows number them

// The steps, one after another: "plug" (a standard pad) or "plugN" (one
// of N buttons and no axes), "unplugP"; "P+L" or "P-L", pad P's d-pad;
// "Px=V" or "Py=V", its left stick; "k+L" or "k-L" a key, "a+L" or "a-L"
// one with Alt held; the window's "close", "expose", "minimise", "restore";
// or SDL_QUIT.
void act(const std::string& steps) {
    const std::map<std::string, SDL_WindowEventID> shown = {{"close", SDL_WINDOWEVENT_CLOSE},
                                                            {"expose", SDL_WINDOWEVENT_EXPOSED},
                                                            {"minimise", SDL_WINDOWEVENT_MINIMIZED},
                                                            {"restore", SDL_WINDOWEVENT_RESTORED}};
    std::istringstream in(steps);
    for (std::string step; in >> step;) {
        if (step.starts_with("plug")) {
            const bool standard = step == "plug";
            SDL_VirtualJoystickDesc pad{};
            pad.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
            pad.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
            pad.naxes = standard ? SDL_CONTROLLER_AXIS_MAX : 0;
            pad.nbuttons = Uint16(standard ? SDL_CONTROLLER_BUTTON_MAX : std::stoi(step.substr(4)));
            pads.push_back(SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&pad)));
        } else if (step.starts_with("unplug")) {
            const auto pad = pads.begin() + std::stoi(step.substr(6));
            for (int index = 0; index < SDL_NumJoysticks(); ++index) {
                if (SDL_JoystickGetDeviceInstanceID(index) == SDL_JoystickInstanceID(*pad)) {
                    SDL_JoystickDetachVirtual(index);
                }
            }
            SDL_JoystickClose(*pad);
            pads.erase(pad);
        } else if (std::isdigit(step[0]) != 0 && (step[1] == 'x' || step[1] == 'y')) {
            SDL_JoystickSetVirtualAxis(
                pads.at(step[0] - '0'),
                step[1] == 'x' ? SDL_CONTROLLER_AXIS_LEFTX : SDL_CONTROLLER_AXIS_LEFTY,
                static_cast<Sint16>(std::stoi(step.substr(3))));
        } else if (std::isdigit(step[0]) != 0) {
            SDL_JoystickSetVirtualButton(pads.at(step[0] - '0'), kKeys.at(step.substr(2)).button,
                                         step[1] == '+');
        } else {
            SDL_Event event{step == "quit" ? SDL_QUIT : step[1] == '+' ? SDL_KEYDOWN : SDL_KEYUP};
            if (shown.contains(step)) {
                event.type = SDL_WINDOWEVENT;
                event.window.windowID = SDL_GetWindowID(mainWindow());
                event.window.event = static_cast<Uint8>(shown.at(step));
            } else if (step != "quit") {
                event.key.windowID = SDL_GetWindowID(mainWindow());
                event.key.keysym = {kKeys.at(step.substr(2)).scancode, SDLK_UNKNOWN,
                                    Uint16(step[0] == 'a' ? KMOD_LALT : KMOD_NONE), 0};
            }
            ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError();
        }
    }
}

// The messages of the pump steps until nothing is left: "L+" for an
// arrow's key-down, "L-" for its key-up, "s" before the system's, "." for a
// step with none.
std::string pumped() {
    std::string out;
    for (Message m; peekMessage(m); out += " ") {
        const bool system = m.message == WM_SYSKEYDOWN || m.message == WM_SYSKEYUP;
        const bool down = m.message == WM_KEYDOWN || m.message == WM_SYSKEYDOWN;
        std::string name = ".";
        for (const auto& [named, key] : kKeys) {
            if (m.message != WM_NULL && key.code == m.wParam) {
                name = (system ? "s" : "") + named + (down ? "+" : "-");
            }
        }
        out += name;
    }
    return out.substr(0, out.size() - !out.empty());
}

// The steps up to the next '|'.
std::string next(std::istream& frames) {
    std::string frame;
    std::getline(frames, frame, '|');
    return frame;
}

void reset() {
    resetGame();
    calls.clear();
    minimised = quitRequested = false;
    onPaint = [] {};
    clientRect = {};
}

class SdlShell : public ::testing::Test {
  protected:
    void SetUp() override {
        reset();
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        ASSERT_TRUE(registerWindowClass(procedure)) << SDL_GetError();
    }
    void TearDown() override {
        while (!pads.empty()) {
            act("unplug0");
        }
        destroyWindow(mainWindow());
        unregisterWindowClass();
    }
};

// The rows run in order. First a row's steps, then the messages of the
// pump steps, the pads and what they hold carried from row to row. A pad's
// arrival is two empty steps: the game controller's, which opens it, then
// the joystick's, from which SDL made the first.
//
// Then the window is shown and painted with nothing waiting, and a row's
// steps wait when the frame loop begins and, after each '|', come at the
// start of the next paint; the renderer's calls follow, the lane each
// paint's tick left the craft in. The first step comes before the first
// paint. The close comes after the first fetch, where a poll sentinel
// ending it would cost a frame with no event; the exposure after it shows
// whether the loop took another step.
TEST_F(SdlShell, KeysAndPadsAreOneMessageAStepAndEachFrameTakesOne) {
    const char* const rows[] = {
        // Pressed, held, released; pressed and released between two steps.
        "plug > . .", "0+L > L+", " > ", "0-L > L-", "0+L 0-L > ",
        // The stick: past half its travel, then inside a third; across.
        "0x=16383 > ", "0x=16384 > R+", "0x=10923 > ", "0x=10922 > R-", "0x=-32768 > L+",
        "0x=32767 > L- R+", "0y=-20000 > U+", "0x=0 0y=0 > U- R-",
        // The d-pad and the stick on one arrow.
        "0+L 0x=-32768 > L+", "0-L > ", "0x=0 > L-",
        // The keyboard alone as it always was: auto-repeat, a release never
        // seen pressed, the system's keys.
        "k+L k+L k-L k-L > L+ L+ L- L-", "k+F10 k-F10 a+U a-U > sF10+ sF10- sU+ sU-",
        // A second pad and the keyboard on the same arrow: the first press
        // is heard, and the last release.
        "plug 1+R > . R+ .", "0+R > ", "1-R > ", "k+R > .", "0-R > ", "k-R > R-",
        // A pad released while the keyboard holds it sends no key-up, so
        // the keyboard's next repeat moves nothing.
        "k+U 0+U > U+", "0-U > ", "k+U k-U > U+ U-",
        // Unplugged while held: released, however many arrows.
        "1+D 1+L > L+ D+", "unplug1 > L- D-",
        // Fewer buttons and no stick: nothing to press.
        "plug4 1+L 1x=30000 > . .", "unplug1 > ",
        // Eight pads at once and a ninth, all on one arrow.
        "plug plug plug plug plug plug plug plug > . . . . . . . . . . . . . . . .",
        "0+D 1+D 2+D 3+D 4+D 5+D 6+D 7+D 8+D > D+",
        "unplug0 unplug0 unplug0 unplug0 unplug0 unplug0 unplug0 unplug0 unplug0 > D-",
        // Plugged and unplugged between two steps, and on every step; then
        // nothing is left held.
        "plug 0+R unplug0 > ", "plug 0+R > . . R+", "unplug0 plug 0+L > . R- L+ .", "unplug0 > L-",
        "k+R k-R > R+ R-"};
    const char* const frameRows[] = {
        "k+R k-R k+L k-L k+L k-L k+R k-R k+R k-R | close expose"
        " > 32 32 0 0 -32 -32 0 0 32 32 release",
        // An exposure is one more paint, and so one more tick.
        "expose k-space | close expose > 0 0 0 release",
        "expose k-space | quit expose > 0 0 0 release",
        "expose k-space | a+F4 expose > 0 0 0 release",
        // Minimised, the loop goes on taking events, but nothing is painted
        // and the game stands still; restored, it goes on from there.
        "minimise k+R k-space k-space restore k-space | close expose > 32 32 release",
        // A pad steers the craft one step a press, however long it is held.
        "| plug | | 0+R | | | | 0-R | 0y=-32767 | | 0y=0 | 0+L | | unplug0 | | quit expose"
        " > 0 0 0 32 32 32 32 32 32^2 32^2 32^2 0^2 0^2 0^2 0^2 release",
    };
    for (const std::string row : rows) {
        SCOPED_TRACE(row);
        const auto cut = row.find(" > ");
        act(row.substr(0, cut));
        EXPECT_EQ(pumped(), row.substr(cut + 3));
    }
    for (const std::string row : frameRows) {
        SCOPED_TRACE(row);
        const auto cut = row.find(" > ");
        TearDown();
        SetUp();
        SDL_Window* window = nullptr;
        ASSERT_EQ(createMainWindow("Zephlet!", 265, 600, window), WindowCreation::kCreated);
        showWindow(window);
        updateWindow(window);
        pumped();
        reset();
        static std::istringstream frames;
        frames = std::istringstream(row.substr(0, cut));
        onPaint = [] { act(next(frames)); };
        onPaint();  // the steps waiting when the loop begins
        runFrameLoop(window);
        EXPECT_EQ(calls, row.substr(cut + 3));
        Message waiting;
        EXPECT_TRUE(peekMessage(waiting) && waiting.message == WM_PAINT)
            << "a step after the close";
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
            act("quit");
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
