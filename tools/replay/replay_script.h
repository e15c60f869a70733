// Plays a replay script against the game simulation, headless.
#pragma once

#include <functional>
#include <iosfwd>
#include <string>

namespace zephlet {

// Drawing is optional: the script core knows the game and the view's name,
// not how to draw. A driver that can draw passes this; it composes the
// current state for a client area of width x height and writes it to file,
// returning an error text on failure.
using ShotWriter = std::function<std::string(int width, int height, const std::string& file)>;

struct ReplayOptions {
    bool trace = false;    // print the state line after every frame
    ShotWriter writeShot;  // empty: "shot" lines are an error
};

constexpr int kReplayBadLine = 2;
constexpr int kReplayOutputFailed = 1;

// The state line: level, clock, crash, won, craft, scroll and obstacles.
std::string stateLine();

// Runs the script from `in`, printing state lines to `out` and at most one
// message to `err`. Returns the exit status: 0, kReplayBadLine for a line it
// cannot read (what was printed before stays valid), kReplayOutputFailed if
// `out` could not be written.
int runReplay(std::istream& in, std::ostream& out, std::ostream& err, const ReplayOptions& options);

extern const std::string kReplayUsage;

}  // namespace zephlet
