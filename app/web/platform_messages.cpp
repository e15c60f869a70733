#include "app/web/platform_messages.h"

#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <deque>

#include "app/shell_platform.h"
#include "app/web/browser_events.h"
#include "app/web/page_calls.h"
#include "app/web/platform_window.h"

namespace zephlet {

namespace {

// The thread's message queue: the browser hands its events over at once,
// and the frame loop takes one a frame.
std::deque<Message> waitingMessages;

PageArrows pageArrows;

// True keeps the key from the browser, even when another source holds the
// arrow: the arrows must not scroll the page.
EM_BOOL onKey(int eventType, const EmscriptenKeyboardEvent* event, void* /*unused*/) {
    const KeyEvent key{browserVirtualKey(static_cast<std::uint32_t>(event->keyCode)),
                       eventType == EMSCRIPTEN_EVENT_KEYDOWN, event->repeat != 0,
                       event->altKey != 0, event->metaKey != 0};
    keyboardKey(pageArrows, mainWindow(), key, waitingMessages);
    return gameTakesKey(keyMessage(mainWindow(), key)) ? EM_TRUE : EM_FALSE;
}

// Takes effect at once, as a minimised window's empty client area does; the
// message follows through the queue.
EM_BOOL onVisibilityChange(int /*eventType*/, const EmscriptenVisibilityChangeEvent* event,
                           void* /*unused*/) {
    const bool hidden = event->hidden != 0;
    setWindowHidden(mainWindow(), hidden);
    waitingMessages.push_back({mainWindow(), WM_SIZE, hidden ? SIZE_MINIMIZED : SIZE_RESTORED, 0});
    return EM_FALSE;
}

}  // namespace

// A finger on the page's arrow pad presses the arrow its button names, or
// lets go of what it held.
extern "C" EMSCRIPTEN_KEEPALIVE void padTouch(int pointer, const char* arrow, int down) {
    padFinger(pageArrows, mainWindow(), pointer, padArrowNamed(arrow), down != 0, waitingMessages);
}

// One frame's reading of the gamepad at that index (readGamepads).
extern "C" EMSCRIPTEN_KEEPALIVE void gamepadState(int pad, int dpadButtons, double x, double y) {
    gamepadRead(pageArrows, mainWindow(), static_cast<std::size_t>(pad),
                static_cast<std::uint32_t>(dpadButtons), x, y, waitingMessages);
}

void listenToPage() {
    // Nothing is made up when the page loses the focus: a key released
    // elsewhere keeps its latch, as on the desktop.
    const char* page = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(page, nullptr, EM_FALSE, onKey);
    emscripten_set_keyup_callback(page, nullptr, EM_FALSE, onKey);
    emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, onVisibilityChange);
    listenToPad();
    listenToViewControl();
}

// The gamepads are read once a frame, before the frame's message.
void pumpOneMessage() {
    readGamepads(static_cast<int>(kPageGamepads));
    if (waitingMessages.empty()) {
        return;
    }
    const Message message = waitingMessages.front();
    waitingMessages.pop_front();
    dispatchMessage(message);
}

// Every other message, the system keys among them, is the browser's.
MessageResult defWindowProc(WindowHandle /*window*/, MessageId /*message*/, WordParam /*wParam*/,
                            LongParam /*lParam*/) {
    return 0;
}

void postQuitMessage(std::int32_t exitCode) {
    waitingMessages.push_back({nullptr, WM_QUIT, static_cast<WordParam>(exitCode), 0});
}

}  // namespace zephlet
