// The command line's answer on Windows.
#pragma once

#include "app/command_line.h"

namespace zephlet {

// Prints the answer, and shows it in a box titled with the game's name as
// well: always for a mistake, and for the usage and the version when there
// is no standard output (started from the desktop or from a console, a
// windowed program has none).
int answerCommandLine(const CommandLine& command);

}  // namespace zephlet
