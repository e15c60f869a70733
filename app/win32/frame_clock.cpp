// The frame loop's clock and sleep on Windows. GetTickCount moves in steps of
// about 16 ms (and under Wine lags and jumps), too coarse for a 17 ms frame:
// the performance counter gives whole milliseconds, wrapping at 32 bits as
// GetTickCount does, and timeBeginPeriod(1) (WinMain) holds Sleep to the
// millisecond.
#include "app/shell_platform.h"
#include "app/win32/windows_api.h"

namespace zephlet {

std::uint32_t frameClockMs() {
    LARGE_INTEGER frequency;
    LARGE_INTEGER count;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    // Whole seconds and the rest apart, so that the product cannot overflow.
    const auto perSecond = static_cast<std::uint64_t>(frequency.QuadPart);
    const auto ticks = static_cast<std::uint64_t>(count.QuadPart);
    return static_cast<std::uint32_t>(ticks / perSecond * 1000 +
                                      ticks % perSecond * 1000 / perSecond);
}

void sleepFor(std::uint32_t milliseconds) {
    Sleep(milliseconds);
}

}  // namespace zephlet
