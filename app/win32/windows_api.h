// <windows.h> as the Win32 layer includes it: without the rarely used parts,
// and without the min and max macros that would break std::min.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
