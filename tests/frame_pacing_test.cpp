// The frame's pace: what is left of 17 ms is slept, nothing is made up, and
// the millisecond counter may wrap between two readings.
#include "app/frame_pacing.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace zephlet {
namespace {

TEST(FramePacing, SleepsWhatIsLeftOfTheFrame) {
    const struct {
        std::uint32_t start, now, elapsed, sleep;
    } cases[] = {
        {1000, 1000, 0, 17},  {1000, 1016, 16, 1},     {1000, 1017, 17, 0},
        {1000, 1250, 250, 0}, {0xFFFFFFFAu, 4, 10, 7},  // 6 ms short of the wrap
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.start << " to " << c.now);
        EXPECT_EQ(elapsedMs(c.start, c.now), c.elapsed);
        EXPECT_EQ(sleepMs(elapsedMs(c.start, c.now)), c.sleep);
    }
}

}  // namespace
}  // namespace zephlet
