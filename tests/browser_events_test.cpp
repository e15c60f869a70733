// The page's rules, natively: its key messages, the keyboard, the fingers on
// its pad and the gamepads as sources of the same arrows, and the markup's
// names for the arrows and the views.
#include "app/web/browser_events.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "render/stereo_view.h"

namespace zephlet {
namespace {

WindowHandle const kWindow = reinterpret_cast<WindowHandle>(std::uintptr_t{0x1000});
constexpr std::uint32_t kUp = 1 | kKeyWasDown | kKeyReleased;

// F10 and keys with Alt or Meta are the system's; the flags say Alt, a key
// already down, a release. Only the arrows that reach the game are kept
// from the browser, and a key beyond the codes has none.
TEST(BrowserEvents, KeyEventsBecomeKeyMessages) {
    // The key's code, its event (the virtual key the page's code for it), the
    // message with its flags, and whether it is kept from the browser.
    const std::tuple<std::uint32_t, KeyEvent, MessageId, std::uint32_t, bool> cases[] = {
        {0x27, {0, true}, WM_KEYDOWN, 1, true},
        {0x25, {0, false}, WM_KEYUP, kUp, true},
        {0x26, {0, true, true}, WM_KEYDOWN, 1 | kKeyWasDown, true},  // auto-repeat
        {0x28, {0, true, false, true}, WM_SYSKEYDOWN, 1 | kKeyContextAlt, false},
        {0x25, {0, false, false, false, true}, WM_SYSKEYUP, kUp, false},           // Meta
        {0x73, {0, true, false, true}, WM_SYSKEYDOWN, 1 | kKeyContextAlt, false},  // Alt+F4
        {0x79, {0, true}, WM_SYSKEYDOWN, 1, false},                                // F10
        {0x79, {0, false}, WM_SYSKEYUP, kUp, false},
        {0x21, {0, true}, WM_KEYDOWN, 1, false},  // Page Up scrolls
        {0, {0, true}, WM_KEYDOWN, 1, false},
        {300, {0, true}, WM_KEYDOWN, 1, false},
    };
    for (auto [keyCode, key, id, flags, kept] : cases) {
        key.virtualKey = browserVirtualKey(keyCode);
        const Message message = keyMessage(kWindow, key);
        const WordParam code = keyCode > 0 && keyCode < 0xFF ? keyCode : 0xFF;
        EXPECT_EQ(std::tuple(message.window, message.message, message.wParam,
                             static_cast<std::uint32_t>(message.lParam), gameTakesKey(message)),
                  std::tuple(kWindow, id, code, flags, kept))
            << keyCode;
    }
}

enum class Source { Key, Finger, Pad };
// The standard mapping's d-pad bits from buttons 12 to 15.
constexpr std::uint32_t kDpadUp = 1, kDpadLeft = 4, kDpadRight = 8;

std::string arrowName(WordParam key) {
    const char* names[] = {"Left", "Up", "Right", "Down"};
    return isArrowKey(key) ? names[key - kKeyLeft] : std::to_string(key);
}

// The rows run in order, what every source holds carried from row to row,
// each source's change through the rule that an arrow is down while any
// source holds it. A pad reads its d-pad and its stick, which presses past
// half its travel and lets go inside a third.
TEST(BrowserEvents, KeysFingersAndGamepadsHoldTheArrowsTogether) {
    // The source; the finger's pointer or the pad's index; a key's or a
    // finger's arrow by the pad's name for it, and whether it is down; the
    // pad's d-pad and stick; the messages.
    const std::tuple<Source, std::int32_t, const char*, bool, std::uint32_t, double, double,
                     const char*>
        rows[] = {
            {Source::Finger, 3, "up", true, 0, 0, 0, "+Up"},
            {Source::Finger, 4, "down", true, 0, 0, 0, "+Down"},  // two buttons held
            {Source::Finger, 3, "", false, 0, 0, 0, "-Up"},       // each finger its own
            {Source::Finger, 4, "", false, 0, 0, 0, "-Down"},     // a cancelled touch
            {Source::Finger, 6, "sideways", true, 0, 0, 0, ""},   // not an arrow's button
            // The keyboard beside a pad on the same arrow.
            {Source::Pad, 0, "", false, kDpadRight, 0, 0, "+Right"},
            {Source::Key, 0, "right", true, 0, 0, 0, ""},
            {Source::Key, 0, "right", false, 0, 0, 0, ""},
            {Source::Pad, 0, "", false, 0, 0, 0, "-Right"},
            // The stick's two edges, one direction per axis.
            {Source::Pad, 0, "", false, 0, 0.45, 0, ""},
            {Source::Pad, 0, "", false, 0, 0.5, 0, "+Right"},
            {Source::Pad, 0, "", false, 0, 0.34, 0, ""},
            {Source::Pad, 0, "", false, 0, 0.3, 0, "-Right"},
            {Source::Pad, 0, "", false, 0, -0.6, 0, "+Left"},
            // What no pad should report: no arrow stuck, no extra move.
            {Source::Pad, 0, "", false, 0, NAN, 0, "-Left"},
            {Source::Pad, 0, "", false, kDpadUp, INFINITY, -7, "+Up +Right"},
            {Source::Pad, 0, "", false, 0, 5, NAN, "-Up"},
            {Source::Pad, 0, "", false, 0, 0, 0, "-Right"},  // unplugged
            {Source::Pad, 7, "", false, kDpadLeft, 0, 0, "+Left"},
            {Source::Pad, 8, "", false, kDpadLeft, -1, -1, ""},  // beyond the pads read
            {Source::Pad, 7, "", false, 0, 0, 0, "-Left"},
        };
    PageArrows arrows;
    std::deque<Message> queue;
    int row = 0;
    for (const auto& [source, id, name, down, dpad, x, y, messages] : rows) {
        const std::uint32_t arrow = padArrowNamed(name);
        if (source == Source::Key) {
            keyboardKey(arrows, kWindow, {arrow, down}, queue);
        } else if (source == Source::Finger) {
            padFinger(arrows, kWindow, id, arrow, down, queue);
        } else {
            gamepadRead(arrows, kWindow, static_cast<std::size_t>(id), dpad, x, y, queue);
        }
        // The messages: "+Right" a key-down, "-Left" a key-up.
        std::string text;
        for (const Message& message : std::exchange(queue, {})) {
            const bool pressed = message.message == WM_KEYDOWN;
            text += (text.empty() ? "" : " ") + std::string(pressed ? "+" : "-") +
                    arrowName(message.wParam);
            EXPECT_EQ(std::tuple(message.window, static_cast<std::uint32_t>(message.lParam),
                                 gameTakesKey(message)),
                      std::tuple(kWindow, pressed ? 1u : kUp, true));
        }
        EXPECT_EQ(text, messages) << "row " << row++;
    }
    EXPECT_EQ(arrows.held.count, 0u);
}

// The markup names the pad's arrows and offers every view, in order.
TEST(BrowserEvents, TheMarkupNamesEveryArrowAndView) {
    std::ifstream file(ZEPHLET_PAGE_MARKUP);
    const std::string markup{std::istreambuf_iterator<char>(file), {}};
    std::vector<std::string> arrows, offered, views;
    const std::regex named(R"((data-arrow|name="view" value)="([^"]*)\")");
    for (auto m = std::sregex_iterator(markup.begin(), markup.end(), named);
         m != std::sregex_iterator(); ++m) {
        const std::string value = (*m)[2];
        (*m)[1] == "data-arrow" ? arrows.push_back(arrowName(padArrowNamed(value)))
                                : offered.push_back(value);
    }
    EXPECT_EQ(arrows, (std::vector<std::string>{"Left", "Right", "Up", "Down"}));
    for (const StereoViewName& view : kStereoViewNames) {
        views.emplace_back(view.name);
    }
    EXPECT_EQ(offered, views);
}

}  // namespace
}  // namespace zephlet
