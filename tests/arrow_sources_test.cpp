// Every source of the arrows under one rule, and a gamepad's stick with its
// two edges.
#include "app/arrow_sources.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace zephlet {
namespace {

constexpr ArrowSource kFinger1{ArrowSourceKind::Finger, 1};
constexpr ArrowSource kFinger2{ArrowSourceKind::Finger, 2};
constexpr ArrowSource kPad0{ArrowSourceKind::Gamepad, 0};
constexpr ArrowSource kPad1{ArrowSourceKind::Gamepad, 1};
constexpr auto kNone = ArrowMessage::Nothing;
constexpr auto kDown = ArrowMessage::KeyDown;
constexpr auto kUp = ArrowMessage::KeyUp;

// The rows run in order, what each source holds carried from row to row.
TEST(ArrowSources, AnArrowIsHeldWhileAnySourceHoldsIt) {
    const struct {
        ArrowSource source;
        std::uint32_t key;
        bool down;
        ArrowMessage message;
    } rows[] = {
        // The keyboard alone: every message as it comes.
        {kKeyboard, kKeyLeft, true, kDown},
        {kKeyboard, kKeyLeft, true, kDown},  // auto-repeat
        {kKeyboard, kKeyLeft, false, kUp},
        {kKeyboard, kKeyLeft, false, kUp},  // a release never seen pressed
        {kKeyboard, 0x41, true, kDown},     // not an arrow: the keyboard's own
        {kPad0, 0x41, true, kNone},
        // A pad released while the keyboard holds the same arrow.
        {kKeyboard, kKeyRight, true, kDown},
        {kPad0, kKeyRight, true, kNone},
        {kPad0, kKeyRight, false, kNone},
        {kKeyboard, kKeyRight, true, kDown},  // its auto-repeat goes on
        {kKeyboard, kKeyRight, false, kUp},
        // The keyboard released while a pad holds it; its repeat moves nothing.
        {kPad0, kKeyUp, true, kDown},
        {kKeyboard, kKeyUp, true, kNone},
        {kKeyboard, kKeyUp, false, kNone},
        {kPad0, kKeyUp, true, kNone},  // no change
        {kPad0, kKeyUp, false, kUp},
        {kPad0, kKeyUp, false, kNone},
        // Two fingers and two pads on one arrow: the first in, the last out.
        {kFinger1, kKeyDown, true, kDown},
        {kFinger2, kKeyDown, true, kNone},
        {kPad1, kKeyDown, true, kNone},
        {kFinger1, kKeyDown, false, kNone},
        {kPad1, kKeyDown, false, kNone},
        {kFinger2, kKeyDown, false, kUp},
        {kFinger2, kKeyDown, false, kNone},  // the lost capture after a lift
        // The keyboard's key-up lost to another window: its next press and
        // release mend it, and meanwhile a pad's press is not heard twice.
        {kKeyboard, kKeyLeft, true, kDown},
        {kPad1, kKeyLeft, true, kNone},
        {kPad1, kKeyLeft, false, kNone},
        {kKeyboard, kKeyLeft, true, kDown},
        {kKeyboard, kKeyLeft, false, kUp},
        {kPad1, kKeyLeft, true, kDown},
        {kPad1, kKeyLeft, false, kUp},
    };
    HeldArrows held;
    for (const auto& row : rows) {
        SCOPED_TRACE(&row - rows);
        EXPECT_EQ(changeArrow(held, row.source, row.key, row.down), row.message);
    }
    EXPECT_EQ(held.count, 0u);
}

// No room for one more hold: the press is nothing, so it has nothing to
// leave held, and the keyboard still steers.
TEST(ArrowSources, APressBeyondTheRoomIsNothing) {
    HeldArrows held;
    for (std::int32_t finger = 0; held.count < held.holds.size(); ++finger) {
        changeArrow(held, {ArrowSourceKind::Finger, finger}, kKeyLeft, true);
    }
    EXPECT_EQ(changeArrow(held, kPad0, kKeyUp, true), kNone);
    EXPECT_EQ(changeArrow(held, kPad0, kKeyUp, false), kNone);
    EXPECT_EQ(changeArrow(held, kKeyboard, kKeyUp, true), kDown);
    EXPECT_EQ(changeArrow(held, kKeyboard, kKeyUp, false), kUp);
    EXPECT_FALSE(arrowHeld(held, kKeyUp));
}

// The stick presses past half its travel and releases inside a third; the
// rows run in order, each reading after the one before.
TEST(ArrowSources, TheStickHasTwoEdges) {
    const ArrowSet left = arrowBit(kKeyLeft);
    const ArrowSet right = arrowBit(kKeyRight);
    const ArrowSet up = arrowBit(kKeyUp);
    const ArrowSet down = arrowBit(kKeyDown);
    const struct {
        GamepadReading reading;
        ArrowSet held;
    } rows[] = {
        {{0, 16383, 0}, 0},                    // short of half
        {{0, 16384, 0}, right},                // half
        {{0, 12000, 0}, right},                // resting between the edges
        {{0, 16500, 0}, right},                // and back out: no second press
        {{0, 10923, 0}, right},                // on the release edge
        {{0, 10922, 0}, 0},                    // inside it
        {{0, -32768, 32767}, left | down},     // both axes at once
        {{0, 32767, -20000}, right | up},      // across in one reading
        {{0, -11000, 11000}, 0},               // the other sides' edges are no holds
        {{down, 0, 0}, down},                  // the d-pad
        {{down, 0, 20000}, down},              // both on one arrow
        {{0, 0, 12000}, down},                 // the stick still holds it
        {{0xF0, 0, 0}, 0},                     // bits beyond the four
        {{left | right, 0, 0}, left | right},  // a d-pad that reports both
    };
    GamepadArrows pad;
    for (const auto& row : rows) {
        SCOPED_TRACE(&row - rows);
        pad = readGamepad(pad, row.reading);
        EXPECT_EQ(pad.held, row.held);
    }
}

// A pad unplugged while it holds two arrows releases both, one message
// each, and not the one the keyboard still holds.
TEST(ArrowSources, APadThatHoldsNothingReleasesWhatItHeld) {
    HeldArrows held;
    changeArrow(held, kKeyboard, kKeyLeft, true);
    std::vector<std::pair<std::uint32_t, ArrowMessage>> sent;
    const auto send = [&](std::uint32_t arrow, ArrowMessage m) { sent.emplace_back(arrow, m); };
    const ArrowSet both = arrowBit(kKeyLeft) | arrowBit(kKeyUp);
    changeGamepadArrows(held, 3, 0, both, send);
    changeGamepadArrows(held, 3, both, 0, send);
    const std::vector<std::pair<std::uint32_t, ArrowMessage>> expected = {{kKeyUp, kDown},
                                                                          {kKeyUp, kUp}};
    EXPECT_EQ(sent, expected);
    EXPECT_TRUE(arrowHeld(held, kKeyLeft));
}

}  // namespace
}  // namespace zephlet
