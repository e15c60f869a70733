#include "app/arrow_sources.h"

#include <algorithm>

namespace zephlet {

namespace {

HeldArrows::Hold* findHold(HeldArrows& held, ArrowSource source, std::uint32_t arrow) {
    const auto end = held.holds.begin() + static_cast<std::ptrdiff_t>(held.count);
    const auto hold = std::find_if(held.holds.begin(), end, [&](const HeldArrows::Hold& h) {
        return h.source == source && h.arrow == arrow;
    });
    return hold == end ? nullptr : &*hold;
}

// One axis: past the press edge its direction is held, and it stays held
// until the axis comes back inside the release edge or crosses to the other
// side.
ArrowSet readAxis(ArrowSet previous, std::int32_t value, std::uint32_t negative,
                  std::uint32_t positive) {
    const ArrowSet less = arrowBit(negative);
    const ArrowSet more = arrowBit(positive);
    if (value <= -kStickPress) {
        return less;
    }
    if (value >= kStickPress) {
        return more;
    }
    if ((previous & less) != 0 && value <= -kStickRelease) {
        return less;
    }
    if ((previous & more) != 0 && value >= kStickRelease) {
        return more;
    }
    return 0;
}

}  // namespace

ArrowMessage changeArrow(HeldArrows& held, ArrowSource source, std::uint32_t virtualKey,
                         bool down) {
    const bool keyboard = source.kind == ArrowSourceKind::Keyboard;
    if (!isArrowKey(virtualKey)) {
        return !keyboard ? ArrowMessage::Nothing : down ? ArrowMessage::KeyDown : ArrowMessage::KeyUp;
    }
    HeldArrows::Hold* hold = findHold(held, source, virtualKey);
    const bool changed = (hold != nullptr) != down;
    if (down && hold == nullptr) {
        if (held.count < held.holds.size()) {
            held.holds[held.count++] = {source, virtualKey};
        } else if (!keyboard) {
            return ArrowMessage::Nothing;
        }
    } else if (!down && hold != nullptr) {
        *hold = held.holds[--held.count];
    }
    // Another source still holding the arrow (or already holding it) keeps
    // the window procedure's view of it as it is.
    const auto end = held.holds.begin() + static_cast<std::ptrdiff_t>(held.count);
    const bool others = std::any_of(held.holds.begin(), end, [&](const HeldArrows::Hold& h) {
        return h.arrow == virtualKey && !(h.source == source);
    });
    if (others || !(keyboard || changed)) {
        return ArrowMessage::Nothing;
    }
    return down ? ArrowMessage::KeyDown : ArrowMessage::KeyUp;
}

bool arrowHeld(const HeldArrows& held, std::uint32_t virtualKey) {
    const auto end = held.holds.begin() + static_cast<std::ptrdiff_t>(held.count);
    return std::any_of(held.holds.begin(), end,
                       [&](const HeldArrows::Hold& h) { return h.arrow == virtualKey; });
}

ArrowSet arrowBit(std::uint32_t virtualKey) {
    return isArrowKey(virtualKey) ? 1u << (virtualKey - kKeyLeft) : 0;
}

GamepadArrows readGamepad(const GamepadArrows& previous, const GamepadReading& reading) {
    const ArrowSet stick = readAxis(previous.stick, reading.stickX, kKeyLeft, kKeyRight) |
                           readAxis(previous.stick, reading.stickY, kKeyUp, kKeyDown);
    return {stick, stick | (reading.dpad & 0x0Fu)};
}

}  // namespace zephlet
