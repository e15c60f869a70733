// The renderer as the shell's tests have it: its calls recorded in order,
// "create WxH", the craft's lane after each paint's tick (and its altitude
// when it is off the ground), "release", each followed by "flag" when the
// quit flag is already up. Every paint is one real tick.
#pragma once

#include <string>

namespace zephlet {

extern std::string calls;
void record(const std::string& what);

// At the start of every paint, before its tick.
extern void (*onPaint)();

}  // namespace zephlet
