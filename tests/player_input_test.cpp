// What the player gives the program: every source of the arrows under one
// rule, a gamepad's stick with its two edges, and the desktop programs'
// command line, read before any window: the views by name, the usage and the
// version, and every mistake refused with status 2 and a message that names
// the valid choices.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "app/arrow_sources.h"
#include "app/command_line.h"

namespace zephlet {
namespace {

// Steps such as "k<+": the source (k the keyboard, f and F two fingers, p and
// P two pads), the key (< > ^ v the arrows, A the letter), + press or
// - release. Gives each step's message: d down, u up, . nothing.
std::string change(HeldArrows& held, const std::string& steps) {
    using enum ArrowSourceKind;
    const ArrowSource sources[] = {kKeyboard, {Finger, 1}, {Finger, 2}, {Gamepad, 0}, {Gamepad, 1}};
    const std::uint32_t keys[] = {kKeyLeft, kKeyRight, kKeyUp, kKeyDown, 0x41};
    std::istringstream in(steps);
    std::string out;
    for (std::string step; in >> step;) {
        const ArrowMessage m =
            changeArrow(held, sources[std::string("kfFpP").find(step[0])],
                        keys[std::string("<>^vA").find(step[1])], step[2] == '+');
        out += m == ArrowMessage::KeyDown ? 'd' : m == ArrowMessage::KeyUp ? 'u' : '.';
    }
    return out;
}

// The rows run in order, what each source holds carried from row to row.
TEST(ArrowSources, AnArrowIsHeldWhileAnySourceHoldsIt) {
    const std::pair<const char*, const char*> rows[] = {
        // The keyboard alone, every message as it comes: auto-repeat, a
        // release never seen pressed, a key that is not an arrow.
        {"k<+ k<+ k<- k<- kA+ pA+", "dduud."},
        // A pad released while the keyboard holds the arrow: its repeat goes on.
        {"k>+ p>+ p>- k>+ k>-", "d..du"},
        // The keyboard released while a pad holds it; its repeat moves nothing.
        {"p^+ k^+ k^- p^+ p^- p^-", "d...u."},
        // Two fingers and two pads on one arrow: the first in, the last out,
        // then the lost capture after a lift.
        {"fv+ Fv+ Pv+ fv- Pv- Fv- Fv-", "d....u."},
        // The keyboard's key-up lost to another window: its next press and
        // release mend it, and meanwhile a pad's press is not heard twice.
        {"k<+ P<+ P<- k<+ k<- P<+ P<-", "d..dudu"},
    };
    HeldArrows held;
    for (const auto& [steps, messages] : rows) {
        EXPECT_EQ(change(held, steps), messages) << steps;
    }
    EXPECT_EQ(held.count, 0u);
    // No room for one more hold: the press is nothing, so it has nothing to
    // leave held, and the keyboard still steers.
    for (std::int32_t finger = 0; held.count < held.holds.size(); ++finger) {
        changeArrow(held, {ArrowSourceKind::Finger, finger}, kKeyLeft, true);
    }
    EXPECT_EQ(change(held, "p^+ p^- k^+ k^-"), "..du");
    EXPECT_FALSE(arrowHeld(held, kKeyUp));
}

// The stick presses past half its travel and releases inside a third (the
// other sides' edges are no holds); both axes at once; the d-pad, on the
// stick's arrow too; bits beyond the four. Each reading after the one before.
TEST(ArrowSources, TheStickHasTwoEdges) {
    const ArrowSet l = arrowBit(kKeyLeft), r = arrowBit(kKeyRight), u = arrowBit(kKeyUp),
                   d = arrowBit(kKeyDown);
    const std::pair<GamepadReading, ArrowSet> rows[] = {
        {{0, 16383, 0}, 0},      {{0, 16384, 0}, r},          {{0, 10923, 0}, r},
        {{0, 10922, 0}, 0},      {{0, -32768, 32767}, l | d}, {{0, 32767, -20000}, r | u},
        {{0, -11000, 11000}, 0}, {{d, 0, 20000}, d},          {{0, 0, 12000}, d},
        {{0xF0, 0, 0}, 0},       {{l | r, 0, 0}, l | r}};
    GamepadArrows pad;
    for (const auto& [reading, held] : rows) {
        pad = readGamepad(pad, reading);
        EXPECT_EQ(pad.held, held) << reading.dpad << " " << reading.stickX << "," << reading.stickY;
    }
    // A pad unplugged while it holds two arrows releases both, one message
    // each, and not the one the keyboard still holds.
    HeldArrows held;
    change(held, "k<+");
    std::string sent;
    const auto send = [&](std::uint32_t arrow, ArrowMessage m) {
        sent += (arrow == kKeyUp ? "^" : "?") + std::to_string(int(m));
    };
    changeGamepadArrows(held, 3, 0, l | u, send);
    changeGamepadArrows(held, 3, l | u, 0, send);
    EXPECT_EQ(sent, "^1^2");
    EXPECT_TRUE(arrowHeld(held, kKeyLeft));
}

constexpr const char* kUsage =
    "usage: zephlet [--view parallel|crossed|red-cyan] [--help] [--version]\n";
const std::string kViews = "the views are parallel, crossed, red-cyan\n";

// The arguments, split at blanks; the view played in, or the exit status,
// and what the text must say, each somewhere in it.
TEST(CommandLineTest, ViewsUsageVersionAndMistakes) {
    const std::tuple<const char*, std::string, std::vector<std::string>> cases[] = {
        {"", "parallel", {}},
        {"--view crossed", "crossed", {}},
        {"--view=red-cyan", "red-cyan", {}},
        // The usage names every view and says how to look at it.
        {"--help", "0", {kUsage, "through the screen", "cross your eyes", "red over the left eye"}},
        {"--view crossed --help", "0", {kUsage}},
        {"--version", "0", {"Zephlet " ZEPHLET_VERSION "\n"}},
        // Mistakes: the first one met is the one reported.
        {"--view anaglyph", "2", {"zephlet: unknown view 'anaglyph': " + kViews, kUsage}},
        {"--view Crossed", "2", {"unknown view 'Crossed'"}},
        {"--view", "2", {"zephlet: --view needs a view: " + kViews}},
        {"--view --help", "2", {"unknown view '--help'"}},
        // One of two views would be ignored without a word.
        {"--view crossed --view=crossed", "2", {"more than once; choose one: " + kViews}},
        {"crossed", "2", {"zephlet: unknown argument 'crossed'\n", kUsage}},
        {"--bogus --help", "2", {"unknown argument '--bogus'"}},
    };
    for (const auto& [line, outcome, said] : cases) {
        std::vector<std::string> words{"zephlet"};
        words.reserve(8);  // so that the pointers taken stay valid
        std::vector<const char*> argv{words[0].c_str()};
        for (std::istringstream in(line); in >> words.emplace_back();) {
            argv.push_back(words.back().c_str());
        }
        const CommandLine command = readCommandLine(static_cast<int>(argv.size()), argv.data());
        EXPECT_EQ(command.play ? std::string(stereoViewName(command.view))
                               : std::to_string(command.exitStatus),
                  outcome)
            << line;
        EXPECT_TRUE(!command.play || (command.exitStatus == 0 && command.text.empty())) << line;
        for (const std::string& text : said) {
            EXPECT_NE(command.text.find(text), std::string::npos) << text << " in\n"
                                                                  << command.text;
        }
    }
}

}  // namespace
}  // namespace zephlet
