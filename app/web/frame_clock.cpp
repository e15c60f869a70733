// The frame loop's clock and sleep in the browser. A page may not block:
// the sleep hands the thread back to the browser (ASYNCIFY) until the time
// is up, and the browser runs the page's events meanwhile.
#include <emscripten.h>

#include "app/shell_platform.h"
#include "app/web/page_calls.h"

namespace zephlet {

std::uint32_t frameClockMs() {
    // Milliseconds since the page opened, wrapping at 32 bits.
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(emscripten_get_now()));
}

void sleepFor(std::uint32_t milliseconds) {
    sleepAtLeast(milliseconds);
}

}  // namespace zephlet
