// The frame's pace: one frame every 17 milliseconds, by a millisecond
// counter and a sleep for whatever the frame's work left over.
#pragma once

#include <cstdint>

namespace zephlet {

constexpr std::uint32_t kFramePeriodMs = 17;

// The counter is 32 bits wide and wraps after 49.7 days; the unsigned
// difference stays right across the wrap.
constexpr std::uint32_t elapsedMs(std::uint32_t start, std::uint32_t now) {
    return now - start;
}

// 1 to 17 ms, or 0 when the work took the whole period or more. A slow
// frame is not made up for: the game simply runs slower.
constexpr std::uint32_t sleepMs(std::uint32_t elapsed) {
    return elapsed < kFramePeriodMs ? kFramePeriodMs - elapsed : 0;
}

}  // namespace zephlet
