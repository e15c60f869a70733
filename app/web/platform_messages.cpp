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

// True keeps the key from the browser: the arrows must not scroll the page.
EM_BOOL onKey(int eventType, const EmscriptenKeyboardEvent* event, void* /*unused*/) {
    const Message message =
        keyMessage(mainWindow(), {browserVirtualKey(static_cast<std::uint32_t>(event->keyCode)),
                                  eventType == EMSCRIPTEN_EVENT_KEYDOWN, event->repeat != 0,
                                  event->altKey != 0, event->metaKey != 0});
    waitingMessages.push_back(message);
    return gameTakesKey(message) ? EM_TRUE : EM_FALSE;
}

// Takes effect at once, as a minimised window's empty client area does; the
// message follows through the queue.
EM_BOOL onVisibilityChange(int /*eventType*/, const EmscriptenVisibilityChangeEvent* event,
                           void* /*unused*/) {
    const bool hidden = event->hidden != 0;
    setWindowHidden(mainWindow(), hidden);
    waitingMessages.push_back(visibilityMessage(mainWindow(), hidden));
    return EM_FALSE;
}

PadFingers padFingers;

}  // namespace

// The page's arrow pad, finger by finger: touch is a PadTouch.
extern "C" EMSCRIPTEN_KEEPALIVE void padTouch(int pointer, int keyCode, int touch) {
    const std::optional<Message> message =
        padMessage(mainWindow(), padFingers, pointer, static_cast<std::uint32_t>(keyCode),
                   static_cast<PadTouch>(touch));
    if (message) {
        waitingMessages.push_back(*message);
    }
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

void pumpOneMessage() {
    if (waitingMessages.empty()) {
        return;
    }
    const Message message = waitingMessages.front();
    waitingMessages.pop_front();
    dispatchMessage(message);
}

MessageResult defWindowProc(WindowHandle window, MessageId message, WordParam /*wParam*/,
                            LongParam /*lParam*/) {
    // Every other message, the system keys among them, is the browser's.
    if (message == WM_CLOSE) {
        destroyWindow(window);
    }
    return 0;
}

void postQuitMessage(std::int32_t exitCode) {
    waitingMessages.push_back({nullptr, WM_QUIT, static_cast<WordParam>(exitCode), 0});
}

}  // namespace zephlet
