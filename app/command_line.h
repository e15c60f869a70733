// The game's command line: the view to play in, or the usage, the version or
// a mistake to report instead of playing. Read before any video starts, so
// that a wrong argument is reported as such even with no display.
#pragma once

#include <string>

#include "render/stereo_view.h"

namespace zephlet {

constexpr const char* kGameName = "Zephlet";
constexpr int kCommandLineMistake = 2;

struct CommandLine {
    bool play = true;  // start the game in `view`
    StereoView view = StereoView::kParallel;
    // When not playing: 0 with `text` for standard output (the usage, the
    // version), or kCommandLineMistake with `text` for standard error.
    int exitStatus = 0;
    std::string text;
};

// From the program's arguments, argv[0] being the program.
CommandLine readCommandLine(int argc, const char* const* argv);

// Writes a command line's text where it belongs and gives its exit status.
int printCommandLineAnswer(const CommandLine& command);

}  // namespace zephlet
