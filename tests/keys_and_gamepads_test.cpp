// SDL's keys and gamepads as the window procedure's key messages: which
// keys have codes, and SDL's virtual pads on the dummy video driver beside
// the keyboard, one message a pump step, and steering the craft through the
// frame loop. No window has the focus there, so the tests let SDL hear pads
// in the background, which the game never does.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/frame_loop.h"
#include "app/sdl/platform_messages.h"
#include "app/sdl/platform_window.h"
#include "app/sdl/virtual_keys.h"
#include "app/shell_globals.h"
#include "app/shell_platform.h"
#include "app/window_procedure.h"
#include "game/game_state.h"
#include "game/player_controls.h"
#include "tests/fake_renderer.h"

namespace zephlet {
namespace {

// Only the arrows, and the keypad's with Num Lock off, give the arrows'
// codes, wherever SDL's codes of '%', '&', '\'' and '(' sit; the system's
// keys keep theirs; every other key has none.
TEST(VirtualKeys, OnlyTheKeysSomeoneReadsHaveCodes) {
    const std::map<int, std::uint32_t> kept = {
        {SDL_SCANCODE_LEFT, kKeyLeft},   {SDL_SCANCODE_UP, kKeyUp},
        {SDL_SCANCODE_RIGHT, kKeyRight}, {SDL_SCANCODE_DOWN, kKeyDown},
        {SDL_SCANCODE_KP_4, kKeyLeft},   {SDL_SCANCODE_KP_8, kKeyUp},
        {SDL_SCANCODE_KP_6, kKeyRight},  {SDL_SCANCODE_KP_2, kKeyDown},
        {SDL_SCANCODE_F4, VK_F4},        {SDL_SCANCODE_F10, VK_F10},
        {SDL_SCANCODE_LALT, VK_MENU},    {SDL_SCANCODE_RALT, VK_MENU},
    };
    for (int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode) {
        for (const SDL_Keycode sym : {SDLK_UNKNOWN, SDLK_PERCENT, SDLK_QUOTE, SDLK_LEFTPAREN}) {
            for (const Uint16 mod : {Uint16{KMOD_NONE}, Uint16{KMOD_NUM}}) {
                SCOPED_TRACE(::testing::Message() << scancode << " " << sym << " " << mod);
                const auto s = static_cast<SDL_Scancode>(scancode);
                const auto key = kept.find(scancode);
                const bool keypad = s >= SDL_SCANCODE_KP_1 && s <= SDL_SCANCODE_KP_0;
                const bool has = key != kept.end() && !(keypad && mod == KMOD_NUM);
                EXPECT_EQ(virtualKeyCode({s, sym, mod, 0}), has ? key->second : kNoVirtualKey);
            }
        }
    }
}

// The arrows by their letters: the d-pad's buttons, the keys' scancodes.
struct Arrow {
    std::uint32_t key;
    SDL_GameControllerButton button;
    SDL_Scancode scancode;
};
const std::map<char, Arrow> kArrows = {
    {'L', {kKeyLeft, SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_SCANCODE_LEFT}},
    {'U', {kKeyUp, SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_SCANCODE_UP}},
    {'R', {kKeyRight, SDL_CONTROLLER_BUTTON_DPAD_RIGHT, SDL_SCANCODE_RIGHT}},
    {'D', {kKeyDown, SDL_CONTROLLER_BUTTON_DPAD_DOWN, SDL_SCANCODE_DOWN}},
};

class Gamepads : public ::testing::Test {
  protected:
    void SetUp() override {
        resetGame();
        calls.clear();
        quitRequested = false;
        onPaint = nullptr;
        SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
        ASSERT_TRUE(registerWindowClass(windowProc)) << SDL_GetError();
    }
    void TearDown() override {
        while (!pads.empty()) {
            unplug(0);
        }
        if (mainWindow() != nullptr) {
            destroyWindow(mainWindow());
        }
        unregisterWindowClass();
    }

    // A virtual pad with SDL's standard buttons and axes, or fewer.
    static void plug(int buttons = SDL_CONTROLLER_BUTTON_MAX, int axes = SDL_CONTROLLER_AXIS_MAX) {
        SDL_VirtualJoystickDesc pad{};
        pad.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        pad.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        pad.nbuttons = static_cast<Uint16>(buttons);
        pad.naxes = static_cast<Uint16>(axes);
        pads.push_back(SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&pad)));
        ASSERT_NE(pads.back(), nullptr) << SDL_GetError();
    }
    static void unplug(std::size_t pad) {
        for (int index = 0; index < SDL_NumJoysticks(); ++index) {
            if (SDL_JoystickGetDeviceInstanceID(index) == SDL_JoystickInstanceID(pads[pad])) {
                SDL_JoystickDetachVirtual(index);
            }
        }
        SDL_JoystickClose(pads[pad]);
        pads.erase(pads.begin() + static_cast<std::ptrdiff_t>(pad));
    }

    // One step: "plug" (a standard pad) or "plugN" (one of N buttons, no
    // axes); "unplugP"; "P+L" or "P-L", pad P pressing or releasing an
    // arrow on its d-pad; "Px=V" or "Py=V", its left stick; "k+L" or "k-L",
    // the keyboard's arrow key.
    static void act(const std::string& step) {
        if (step.starts_with("plug")) {
            return step.size() > 4 ? plug(std::stoi(step.substr(4)), 0) : plug();
        }
        if (step.starts_with("unplug")) {
            return unplug(std::stoul(step.substr(6)));
        }
        if (step[0] == 'k') {
            SDL_Event event{};
            event.type = step[1] == '+' ? SDL_KEYDOWN : SDL_KEYUP;
            event.key.keysym.scancode = kArrows.at(step[2]).scancode;
            SDL_PushEvent(&event);
            return;
        }
        SDL_Joystick* pad = pads.at(static_cast<std::size_t>(step[0] - '0'));
        if (step[1] == 'x' || step[1] == 'y') {
            const int axis = step[1] == 'x' ? SDL_CONTROLLER_AXIS_LEFTX : SDL_CONTROLLER_AXIS_LEFTY;
            SDL_JoystickSetVirtualAxis(pad, axis, static_cast<Sint16>(std::stoi(step.substr(3))));
        } else {
            SDL_JoystickSetVirtualButton(pad, kArrows.at(step[2]).button, step[1] == '+');
        }
    }
    static void actAll(const std::string& steps) {
        std::istringstream in(steps);
        for (std::string step; in >> step;) {
            act(step);
        }
    }

    // The messages of every pump step until nothing is left: "L+" for an
    // arrow's key-down, "L-" for its key-up, "." for a step with none.
    static std::string pumped(int steps = 1000) {
        std::string out;
        for (Message m; steps-- > 0 && peekMessage(m);) {
            const auto arrow = std::find_if(kArrows.begin(), kArrows.end(), [&](const auto& a) {
                return a.second.key == m.wParam;
            });
            const bool key = m.message == WM_KEYDOWN || m.message == WM_KEYUP;
            out += std::string(out.empty() ? "" : " ") +
                   (key && arrow != kArrows.end()
                        ? std::string{arrow->first, m.message == WM_KEYDOWN ? '+' : '-'}
                    : m.message == WM_NULL ? "."
                                           : std::to_string(m.message));
        }
        return out;
    }

    static std::vector<SDL_Joystick*> pads;
};
std::vector<SDL_Joystick*> Gamepads::pads;

// The rows run in order, the pads and what they hold carried from row to
// row. A pad's arrival is two empty steps: the game controller's, which
// opens it, then the joystick's, from which SDL made the first.
TEST_F(Gamepads, EachPadIsOneMoreSourceOfTheArrows) {
    const std::pair<const char*, const char*> rows[] = {
        {"plug", ". ."},
        {"0+L", "L+"},
        {"", ""},  // held
        {"0-L", "L-"},
        {"0+L 0-L", ""},  // pressed and released between two steps
        // The stick: past half its travel, then inside a third; across.
        {"0x=16383", ""},
        {"0x=16384", "R+"},
        {"0x=10923", ""},
        {"0x=10922", "R-"},
        {"0x=-32768", "L+"},
        {"0x=32767", "L- R+"},
        {"0y=-20000", "U+"},
        {"0x=0 0y=0", "U- R-"},
        {"0+L 0x=-32768", "L+"},  // the d-pad and the stick on one arrow
        {"0-L", ""},
        {"0x=0", "L-"},
        // A second pad and the keyboard on the same arrow: the first press
        // is heard, and the last release.
        {"plug 1+R", ". R+ ."},
        {"0+R", ""},
        {"1-R", ""},
        {"k+R", "."},
        {"0-R", ""},
        {"k-R", "R-"},
        // A pad released while the keyboard holds it sends no key-up, so
        // the keyboard's next repeat moves nothing.
        {"k+U 0+U", "U+"},
        {"0-U", ""},
        {"k+U k-U", "U+ U-"},
        // Unplugged while held: released, however many arrows.
        {"1+D 1+L", "L+ D+"},
        {"unplug1", "L- D-"},
        // Fewer buttons and no stick: nothing to press, nothing held.
        {"plug4 1+L 1x=30000", ". ."},
        {"unplug1 0+D", "D+"},
        {"unplug0", "D-"},
    };
    for (const auto& [steps, messages] : rows) {
        SCOPED_TRACE(steps);
        actAll(steps);
        EXPECT_EQ(pumped(), messages);
    }
}

// Eight pads at once, all four arrows held on each, and a ninth; then a
// pad plugged and unplugged every step: each press heard once and released
// once, and nothing left held that would swallow the keys.
TEST_F(Gamepads, ManyPadsAndEndlessPluggingLeaveNothingHeld) {
    for (char pad = '0'; pad <= '8'; ++pad) {
        plug();
        actAll(std::string{pad} + "+L " + pad + "+U " + pad + "+R " + pad + "+D");
    }
    EXPECT_EQ(pumped(), ". L+ U+ R+ D+ . . . . . . . . . . . . . . . . .");
    actAll("unplug0 unplug0 unplug0 unplug0 unplug0 unplug0 unplug0 unplug0 unplug0");
    EXPECT_EQ(pumped(), "L- U- R- D-");
    std::string churn;
    for (int step = 0; step < 40; ++step) {
        actAll(step % 2 == 0 ? "plug 0+R" : "unplug0");
        churn += " " + pumped(1);
    }
    std::istringstream in(churn + " " + pumped());
    std::string heard;
    for (std::string message; in >> message;) {
        heard += message == "." ? "" : message;
    }
    std::string pairs;
    while (pairs.size() < heard.size()) {
        pairs += "R+R-";
    }
    EXPECT_EQ(heard, pairs);
    EXPECT_NE(heard, "");
    actAll("k+R k-R");
    EXPECT_EQ(pumped(), "R+ R-");
}

// A pad through the real frame loop and window procedure: one step of the
// craft per press, however long it is held. One action a frame, at the
// start of its paint; the paint's tick sees what the frame before took.
TEST_F(Gamepads, APadSteersTheCraftThroughTheFrameLoop) {
    SDL_Window* window = nullptr;
    ASSERT_EQ(createMainWindow("Zephlet!", 265, 600, window), WindowCreation::kCreated);
    showWindow(window);
    updateWindow(window);
    pumped();
    calls.clear();
    static std::vector<std::string> script;
    script = {"plug", "",     "0+R", "", "",        "", "0-R", "0y=-32767",
              "",     "0y=0", "0+L", "", "unplug0", "", ""};
    onPaint = [] {
        if (script.empty()) {
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
            return;
        }
        actAll(script.front());
        script.erase(script.begin());
    };
    runFrameLoop(window);
    EXPECT_EQ(calls, "0 0 0 32 32 32 32 32 32^2 32^2 32^2 0^2 0^2 0^2 0^2 0^2 release");
}

}  // namespace
}  // namespace zephlet
