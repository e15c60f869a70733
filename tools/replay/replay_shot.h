// Pictures for zephlet-replay: the game's own frame composition, headless.
#pragma once

#include <string>

namespace zephlet {

// A ShotWriter: composes the current state for a client area of width x
// height and writes it as a PNG file; returns an error text, empty on
// success. The first call creates the graphics resources. The game does not
// advance.
std::string writeShot(int width, int height, const std::string& file);

// Releases what the first shot created; nothing if no shot was taken.
void releaseShotResources();

}  // namespace zephlet
