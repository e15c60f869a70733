// The page's rules, natively: its key messages, the keyboard, the fingers on
// its pad and the gamepads as sources of the same arrows, and the markup's
// names for the arrows and the views.
#include "app/web/browser_events.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <regex>
#include <string>
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
    const struct {
        std::uint32_t keyCode;
        KeyEvent key;  // its virtual key is the page's code for it
        MessageId message;
        std::uint32_t flags;
        bool keptFromBrowser;
    } cases[] = {
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
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keyCode);
        KeyEvent key = c.key;
        key.virtualKey = browserVirtualKey(c.keyCode);
        const Message message = keyMessage(kWindow, key);
        EXPECT_EQ(message.window, kWindow);
        EXPECT_EQ(message.message, c.message);
        EXPECT_EQ(message.wParam, c.keyCode > 0 && c.keyCode < 0xFF ? c.keyCode : 0xFF);
        EXPECT_EQ(static_cast<std::uint32_t>(message.lParam), c.flags);
        EXPECT_EQ(gameTakesKey(message), c.keptFromBrowser);
    }
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
enum class Source { Key, Finger, Pad };
// The standard mapping's d-pad bits from buttons 12 to 15.
constexpr std::uint32_t kDpadUp = 1, kDpadLeft = 4, kDpadRight = 8;

std::string arrowName(WordParam key) {
    const char* names[] = {"Left", "Up", "Right", "Down"};
    return isArrowKey(key) ? names[key - kKeyLeft] : std::to_string(key);
}

// The messages a row put in the queue: "+Right" a key-down, "-Left" a key-up.
std::string described(std::deque<Message>& queue) {
    std::string text;
    for (const Message& message : queue) {
        const bool down = message.message == WM_KEYDOWN;
        text +=
            (text.empty() ? "" : " ") + std::string(down ? "+" : "-") + arrowName(message.wParam);
        EXPECT_TRUE(gameTakesKey(message));
        EXPECT_EQ(message.window, kWindow);
        EXPECT_EQ(static_cast<std::uint32_t>(message.lParam), down ? 1 : kUp);
    }
    queue.clear();
    return text;
}

// The rows run in order, what every source holds carried from row to row,
// each source's change through the rule that an arrow is down while any
// source holds it. A pad reads its d-pad and its stick, which presses past
// half its travel and lets go inside a third.
TEST(BrowserEvents, KeysFingersAndGamepadsHoldTheArrowsTogether) {
    const struct {
        Source source;
        std::int32_t id;    // the finger's pointer, the pad's index
        const char* arrow;  // a key's or a finger's, by the pad's name for it
        bool down;
        std::uint32_t dpad;
        double x, y;
        const char* messages;
    } rows[] = {
        {Source::Finger, 1, "right", true, 0, 0, 0, "+Right"},
        {Source::Finger, 1, "", false, 0, 0, 0, "-Right"},
        {Source::Finger, 3, "up", true, 0, 0, 0, "+Up"},
        {Source::Finger, 4, "down", true, 0, 0, 0, "+Down"},  // two buttons held
        {Source::Finger, 3, "", false, 0, 0, 0, "-Up"},       // each finger its own
        {Source::Finger, 4, "", false, 0, 0, 0, "-Down"},     // a cancelled touch
        {Source::Finger, 6, "sideways", true, 0, 0, 0, ""},   // not an arrow's button
        // The keyboard beside a pad on the same arrow.
        {Source::Pad, 0, "", false, kDpadRight, 0, 0, "+Right"},
        {Source::Pad, 0, "", false, kDpadRight, 0, 0, ""},  // held: once
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
        {Source::Pad, 0, "", false, 0, kNaN, 0, "-Left"},
        {Source::Pad, 0, "", false, kDpadUp, kInfinity, -7, "+Up +Right"},
        {Source::Pad, 0, "", false, 0, 5, kNaN, "-Up"},
        {Source::Pad, 0, "", false, 0, 0, 0, "-Right"},  // unplugged
        {Source::Pad, 7, "", false, kDpadLeft, 0, 0, "+Left"},
        {Source::Pad, 8, "", false, kDpadLeft, -1, -1, ""},  // beyond the pads read
        {Source::Pad, 7, "", false, 0, 0, 0, "-Left"},
    };
    PageArrows arrows;
    std::deque<Message> queue;
    for (const auto& row : rows) {
        SCOPED_TRACE(&row - rows);
        const std::uint32_t arrow = padArrowNamed(row.arrow);
        if (row.source == Source::Key) {
            keyboardKey(arrows, kWindow, {arrow, row.down}, queue);
        } else if (row.source == Source::Finger) {
            padFinger(arrows, kWindow, row.id, arrow, row.down, queue);
        } else {
            gamepadRead(arrows, kWindow, static_cast<std::size_t>(row.id), row.dpad, row.x, row.y,
                        queue);
        }
        EXPECT_EQ(described(queue), row.messages);
    }
    EXPECT_EQ(arrows.held.count, 0u);
}

// The markup names the pad's arrows and offers every view, in order.
TEST(BrowserEvents, TheMarkupNamesEveryArrowAndView) {
    std::ifstream file(ZEPHLET_PAGE_MARKUP);
    const std::string markup{std::istreambuf_iterator<char>(file), {}};
    const auto values = [&](const char* pattern) {
        std::vector<std::string> found;
        const std::regex regex(pattern);
        for (auto m = std::sregex_iterator(markup.begin(), markup.end(), regex);
             m != std::sregex_iterator(); ++m) {
            found.push_back((*m)[1]);
        }
        return found;
    };
    std::vector<std::string> arrows;
    for (const std::string& name : values(R"(data-arrow="([^"]*)\")")) {
        arrows.push_back(arrowName(padArrowNamed(name)));
    }
    EXPECT_EQ(arrows, (std::vector<std::string>{"Left", "Right", "Up", "Down"}));
    std::vector<std::string> views;
    for (const StereoViewName& view : kStereoViewNames) {
        views.emplace_back(view.name);
    }
    EXPECT_EQ(values(R"(name="view" value="([^"]*)\")"), views);
}

}  // namespace
}  // namespace zephlet
