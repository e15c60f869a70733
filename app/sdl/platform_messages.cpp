#include "app/sdl/platform_messages.h"

#include <SDL.h>

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
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_RESTORED:
            return {window, WM_SIZE, SIZE_RESTORED, 0};
        case SDL_WINDOWEVENT_MINIMIZED:
            return {window, WM_SIZE, SIZE_MINIMIZED, 0};
        case SDL_WINDOWEVENT_MAXIMIZED:
            return {window, WM_SIZE, SIZE_MAXIMIZED, 0};
        default:
            return {window, WM_NULL, 0, 0};
    }
}

Message translateKey(const SDL_KeyboardEvent& event) {
    const bool alt = (event.keysym.mod & KMOD_ALT) != 0;
    return keyMessage(
        windowFromId(event.windowID),
        {virtualKeyCode(event.keysym), event.type == SDL_KEYDOWN, event.repeat != 0, alt, false});
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

// The buttons whose messages the window procedure names; any other press
// or release is still a pump step, with nothing in it.
Message translateButton(const SDL_MouseButtonEvent& event) {
    const bool down = event.type == SDL_MOUSEBUTTONDOWN;
    MessageId message = WM_NULL;
    if (event.button == SDL_BUTTON_LEFT && !down) {
        message = WM_LBUTTONUP;
    } else if (event.button == SDL_BUTTON_RIGHT) {
        message = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
    }
    return {windowFromId(event.windowID), message, 0, 0};
}

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
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            return translateButton(event.button);
        default:
            if (event.type == quitEventType()) {
                return {nullptr, WM_QUIT, static_cast<std::uint32_t>(event.user.code), 0};
            }
            return {};
    }
}

bool peekMessage(Message& message) {
    SDL_Event event;
    if (SDL_PollEvent(&event) == 0) {
        return false;
    }
    message = translateEvent(event);
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
            if ((wParam & 0xFFF0) == SC_CLOSE) {
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
