#include "app/sdl/platform_messages.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <deque>
#include <utility>

#include "app/arrow_sources.h"
#include "app/sdl/platform_window.h"
#include "app/sdl/virtual_keys.h"
#include "app/sdl/x11_window.h"
#include "app/shell_platform.h"

namespace zephlet {

namespace {

// The event type that carries WM_QUIT through SDL's queue.
Uint32 quitEventType() {
    static const Uint32 type = SDL_RegisterEvents(1);
    return type;
}

Message translateWindowEvent(const SDL_WindowEvent& event) {
    SDL_Window* window = windowFromId(event.windowID);
    switch (event.event) {
        case SDL_WINDOWEVENT_CLOSE:
            return {window, WM_CLOSE, 0, 0};
        case SDL_WINDOWEVENT_EXPOSED:
            // Part of the window was uncovered: a paint through the queue.
            return {window, WM_PAINT, 0, 0};
        case SDL_WINDOWEVENT_MINIMIZED:
        case SDL_WINDOWEVENT_RESTORED:
            // Read by no one but the tests, which fake a minimised window.
            return {window, WM_SIZE,
                    event.event == SDL_WINDOWEVENT_MINIMIZED ? SIZE_MINIMIZED : SIZE_RESTORED, 0};
        default:
            return {window, WM_NULL, 0, 0};
    }
}

// Which arrows the keyboard and each pad hold.
HeldArrows heldArrows;

// A key goes through the arrows' rule: one that another source's arrow
// swallows is still a pump step, with nothing in it.
Message translateKey(const SDL_KeyboardEvent& event) {
    SDL_Window* window = windowFromId(event.windowID);
    const bool down = event.type == SDL_KEYDOWN;
    const std::uint32_t key = virtualKeyCode(event.keysym);
    const ArrowMessage heard = down ? ArrowMessage::KeyDown : ArrowMessage::KeyUp;
    if (changeArrow(heldArrows, kKeyboard, key, down) != heard) {
        return {window, WM_NULL, 0, 0};
    }
    const bool alt = (event.keysym.mod & KMOD_ALT) != 0;
    return keyMessage(window, {key, down, event.repeat != 0, alt, false});
}

// An open pad, and what it held at its last reading.
struct Gamepad {
    SDL_GameController* controller = nullptr;
    SDL_JoystickID id = -1;
    GamepadArrows arrows;
};
// Eight pads holding all four arrows fit in the rule beside the keyboard;
// a ninth is not opened.
std::array<Gamepad, 8> gamepads;
// The pads' key messages, each waiting for a pump step of its own.
std::deque<Message> gamepadMessages;

void openGamepad(int deviceIndex) {
    const auto free = std::find_if(gamepads.begin(), gamepads.end(),
                                   [](const Gamepad& pad) { return pad.controller == nullptr; });
    SDL_GameController* controller =
        free == gamepads.end() ? nullptr : SDL_GameControllerOpen(deviceIndex);
    if (controller == nullptr) {
        return;  // gone again already, or no room
    }
    const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    // The index may have moved on to a pad already open, as pads come and
    // go: opening it again only counted a reference.
    if (std::any_of(gamepads.begin(), gamepads.end(), [&](const Gamepad& pad) {
            return pad.controller != nullptr && pad.id == id;
        })) {
        SDL_GameControllerClose(controller);
        return;
    }
    *free = {controller, id, {}};
}

// The pad's d-pad and left stick. SDL leaves presses out of the pad's
// state while the window has no focus, and lets releases in.
GamepadReading readController(SDL_GameController* controller) {
    constexpr std::pair<SDL_GameControllerButton, std::uint32_t> kDpad[] = {
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, kKeyLeft},
        {SDL_CONTROLLER_BUTTON_DPAD_UP, kKeyUp},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, kKeyRight},
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, kKeyDown},
    };
    GamepadReading reading;
    for (const auto& [button, arrow] : kDpad) {
        if (SDL_GameControllerGetButton(controller, button) != 0) {
            reading.dpad |= arrowBit(arrow);
        }
    }
    reading.stickX = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX);
    reading.stickY = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTY);
    return reading;
}

bool gamepadsStarted = false;
// Steps since SDL last looked for pads. Each look is a few system calls;
// made every frame while no pad is open, they cost the game a few percent
// of its CPU, so SDL looks twice a second then.
int stepsSinceLook = 0;
constexpr int kStepsBetweenLooks = 30;

// Has SDL read the open pads and look for new ones, which it then queues
// as added devices.
void updateGamepads() {
    const bool open = std::any_of(gamepads.begin(), gamepads.end(),
                                  [](const Gamepad& pad) { return pad.controller != nullptr; });
    if (gamepadsStarted && (open || ++stepsSinceLook >= kStepsBetweenLooks)) {
        stepsSinceLook = 0;
        SDL_JoystickUpdate();
    }
}

// Reads every open pad as SDL last updated it and queues what changed. A
// pad that is gone releases what it held and is closed.
void readGamepads() {
    for (Gamepad& pad : gamepads) {
        if (pad.controller == nullptr) {
            continue;
        }
        const bool attached = SDL_GameControllerGetAttached(pad.controller) == SDL_TRUE;
        const GamepadArrows now =
            attached ? readGamepad(pad.arrows, readController(pad.controller)) : GamepadArrows{};
        changeGamepadArrows(heldArrows, pad.id, pad.arrows.held, now.held,
                            [](std::uint32_t arrow, ArrowMessage message) {
                                gamepadMessages.push_back(keyMessage(
                                    mainWindow(), {arrow, message == ArrowMessage::KeyDown}));
                            });
        pad.arrows = now;
        if (!attached) {
            SDL_GameControllerClose(pad.controller);
            pad = {};
        }
    }
}

// Whether the releases SDL is queueing now were made up rather than reported
// by the display: set by each display event as SDL handles it.
bool releasesMadeUp = false;

// SDL answers the keyboard focus leaving with a key-up for every key still
// held. The window never saw those keys released, so their latches must stay
// set: only releases the display reports reach the window procedure. Runs as
// SDL queues each event.
int SDLCALL keepReportedEvents(void* /*unused*/, SDL_Event* event) {
    switch (event->type) {
        case SDL_SYSWMEVENT:
            releasesMadeUp = madeUpReleasesFollow(*event->syswm.msg);
            return 0;  // the display's own events would take pump steps
        case SDL_KEYUP:
            return releasesMadeUp ? 0 : 1;
        default:
            return 1;
    }
}

// The system command's low four bits are the system's own.
constexpr WordParam kSystemCommandMask = 0xFFF0;

}  // namespace

void quietUnusedEvents() {
    // One pump step takes one event, so every event the game does nothing
    // with delays the next arrow key by a frame. These are turned off:
    // - the poll sentinel, with which SDL marks the end of each fetch and
    //   on which SDL_PollEvent reports an empty queue: a step lost after
    //   every batch of events;
    // - text input, which SDL switches on by itself: one more event per
    //   typed character, and bursts from input methods; the game reads
    //   characters nowhere;
    // - pointer motion and the wheel: SDL queues one event per report of the
    //   device, dozens a second, where Windows keeps at most
    //   one mouse move waiting; the window procedure ignores both anyway;
    // - touch and gestures, which also come in streams and reach the window
    //   as mouse buttons as well.
    // Key, button and window events stay.
    constexpr Uint32 kUnused[] = {
        SDL_POLLSENTINEL, SDL_TEXTINPUT,    SDL_TEXTEDITING,   SDL_TEXTEDITING_EXT,
        SDL_MOUSEMOTION,  SDL_MOUSEWHEEL,   SDL_FINGERDOWN,    SDL_FINGERUP,
        SDL_FINGERMOTION, SDL_MULTIGESTURE, SDL_DOLLARGESTURE,
    };
    SDL_StopTextInput();
    for (const Uint32 type : kUnused) {
        SDL_EventState(type, SDL_DISABLE);
    }
    // The display's events come through only to mark the made-up releases.
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    SDL_SetEventFilter(keepReportedEvents, nullptr);
}

Message translateEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:
            // The close key, or the process told to end.
            return {mainWindow(), WM_CLOSE, 0, 0};
        case SDL_WINDOWEVENT:
            return translateWindowEvent(event.window);
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            return translateKey(event.key);
        default:
            if (event.type == quitEventType()) {
                return {nullptr, WM_QUIT, static_cast<std::uint32_t>(event.user.code), 0};
            }
            return {};
    }
}

void startGamepads() {
    heldArrows = {};
    stepsSinceLook = 0;
    // The pump updates the pads itself (updateGamepads), not SDL's.
    SDL_SetHint(SDL_HINT_AUTO_UPDATE_JOYSTICKS, "0");
    gamepadsStarted = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0;
    if (!gamepadsStarted) {
        return;  // the keys alone
    }
    // The pads are read once a pump step from the state SDL keeps; their
    // events would come by the dozen a second, each taking a step from the
    // keys. The added device stays: from it SDL makes the controller's
    // added event, for pads present now and plugged later alike.
    constexpr Uint32 kPadEvents[] = {
        SDL_JOYAXISMOTION,
        SDL_JOYBALLMOTION,
        SDL_JOYHATMOTION,
        SDL_JOYBUTTONDOWN,
        SDL_JOYBUTTONUP,
        SDL_JOYDEVICEREMOVED,
        SDL_JOYBATTERYUPDATED,
        SDL_CONTROLLERAXISMOTION,
        SDL_CONTROLLERBUTTONDOWN,
        SDL_CONTROLLERBUTTONUP,
        SDL_CONTROLLERDEVICEREMOVED,
        SDL_CONTROLLERDEVICEREMAPPED,
        SDL_CONTROLLERTOUCHPADDOWN,
        SDL_CONTROLLERTOUCHPADMOTION,
        SDL_CONTROLLERTOUCHPADUP,
        SDL_CONTROLLERSENSORUPDATE,
    };
    for (const Uint32 type : kPadEvents) {
        SDL_EventState(type, SDL_DISABLE);
    }
#ifdef ZEPHLET_MEASURE_VIRTUAL_GAMEPAD
    // Only to measure the game with a pad: one that is never touched.
    SDL_VirtualJoystickDesc pad{};
    pad.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    pad.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    pad.naxes = SDL_CONTROLLER_AXIS_MAX;
    pad.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    SDL_JoystickAttachVirtualEx(&pad);
#endif
}

void stopGamepads() {
    for (Gamepad& pad : gamepads) {
        if (pad.controller != nullptr) {
            SDL_GameControllerClose(pad.controller);
        }
        pad = {};
    }
    gamepadMessages.clear();
    heldArrows = {};
    gamepadsStarted = false;
}

bool peekMessage(Message& message) {
    // The pads are read right after SDL has updated them and its queue has
    // taken in what the display sent, and only when none of their messages
    // is still waiting, so that none is ever lost or reordered.
    if (gamepadMessages.empty()) {
        updateGamepads();
        SDL_Event event;
        const bool polled = SDL_PollEvent(&event) != 0;
        if (polled) {
            if (event.type == SDL_CONTROLLERDEVICEADDED) {
                openGamepad(event.cdevice.which);
            }
            message = translateEvent(event);
        }
        readGamepads();
        if (polled) {
            return true;
        }
    }
    if (gamepadMessages.empty()) {
        return false;
    }
    message = gamepadMessages.front();
    gamepadMessages.pop_front();
    return true;
}

void pumpOneMessage() {
    // No character messages are made from keys: text input is off, and the
    // game reads none.
    Message message;
    if (peekMessage(message)) {
        dispatchMessage(message);
    }
}

MessageResult defWindowProc(SDL_Window* window, MessageId message, WordParam wParam,
                            LongParam lParam) {
    switch (message) {
        case WM_CLOSE:
            destroyWindow(window);
            return 0;
        case WM_SYSKEYDOWN:
            if (wParam == VK_F4 && (static_cast<std::uint32_t>(lParam) & kKeyContextAlt) != 0) {
                return sendMessage(window, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & kSystemCommandMask) == SC_CLOSE) {
                return sendMessage(window, WM_CLOSE, 0, 0);
            }
            return 0;
        default:
            return 0;
    }
}

void postQuitMessage(std::int32_t exitCode) {
    SDL_Event event{};
    event.type = quitEventType();
    event.user.code = exitCode;
    SDL_PushEvent(&event);
}

}  // namespace zephlet
