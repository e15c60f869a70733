// Which caption a frame shows, and the rule that begins the cruise.
#pragma once

#include <cstdint>

namespace zephlet {

constexpr std::int32_t kCaptionTicks = 240;
// Caption rows 0..5 name levels 1..6; row 6 is the congratulation.
constexpr std::uint32_t kCongratulationRow = 6;

// Whether this frame shows a caption: the first 240 ticks of a level, and
// for good once the cruise has stopped the level clock at 0.
bool captionShowing();

// Picks the caption row for the current level. Picking the congratulation
// sets won; this is the only place that does, and the only thing that
// picking a caption changes in the game.
std::uint32_t chooseCaption();

// What one frame does to the game before and apart from any drawing: the
// tick, then the caption step's rule for won. The window's paint does the
// same through its drawing; headless drivers call this.
void advanceFrame();

}  // namespace zephlet
