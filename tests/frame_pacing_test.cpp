// The frame's pace: what is left of 17 ms is slept, nothing is made up, and
// the millisecond counter may wrap between two readings.
#include "app/frame_pacing.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace zephlet {
namespace {

struct PacingCase {
    const char* name;
    std::uint32_t start;
    std::uint32_t now;
    std::uint32_t elapsed;
    std::uint32_t sleep;
};

constexpr std::uint32_t kWrap = 0xFFFFFFFFu;

constexpr PacingCase kPacing[] = {
    {"no work sleeps the whole period", 1000, 1000, 0, 17},
    {"16 ms of work sleeps 1", 1000, 1016, 16, 1},
    {"17 ms of work does not sleep", 1000, 1017, 17, 0},
    {"a slow frame does not sleep", 1000, 1250, 250, 0},
    {"6 ms short of the wrap, read at 4", kWrap - 5, 4, 10, 7},
    {"start just before the wrap, read just after", kWrap, 0, 1, 16},
    {"a slow frame across the wrap", kWrap - 99, 900, 1000, 0},
};

TEST(FramePacing, SleepsWhatIsLeftOfTheFrame) {
    for (const PacingCase& c : kPacing) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(elapsedMs(c.start, c.now), c.elapsed);
        EXPECT_EQ(sleepMs(elapsedMs(c.start, c.now)), c.sleep);
    }
}

}  // namespace
}  // namespace zephlet
