// How the stereo pair reaches the eyes: one last step over the composed
// frame, chosen by name. The frame itself is composed the same in every view.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "render/bitmap.h"
#include "render/client_area.h"

namespace zephlet {

// The composed pair: the right view stands this far right of the left one,
// each with the gap to its right, in a band of this width.
constexpr std::int32_t kRightViewX = 150;

enum class StereoView {
    kParallel,  // the pair as composed: eyes apart, each on its own view
    kCrossed,   // the two bands change places, for crossed eyes
    kRedCyan,   // one anaglyph for red-cyan glasses, red over the left eye
};

// The view the window shows. Parallel unless the player chose another, at
// start or (in the page) at any time between two frames.
extern StereoView stereoView;

struct StereoViewName {
    StereoView view;
    std::string_view name;
};
// The names players type and scripts write, in the order they are offered:
// the desktop programs' --view (app/command_line.cpp), the replay script and
// the page's view control (app/web/page.html.in, whose choices a test holds
// to these names). A new view is offered in each.
inline constexpr std::array<StereoViewName, 3> kStereoViewNames{{
    {StereoView::kParallel, "parallel"},
    {StereoView::kCrossed, "crossed"},
    {StereoView::kRedCyan, "red-cyan"},
}};

std::optional<StereoView> stereoViewNamed(std::string_view name);
std::string_view stereoViewName(StereoView view);
// The names joined by the separator, for usage texts: "parallel|crossed|red-cyan".
std::string stereoViewNames(std::string_view separator);

// How far right the back buffer must hold this frame for the view to show
// it: the client area's right edge, and in the crossed and red-cyan views at
// least the whole pair, which they rearrange whatever the window's width.
std::int32_t viewedColumns(std::int32_t clientRight);

// After composition: the picture the window shows for the client area
// (within the composed frame's size), its columns placed by shownColumns.
// In parallel and crossed that is the composed frame itself, with no pass
// at all; in red-cyan the anaglyph made from it into a picture made once
// and kept.
const Bitmap& viewedFrame(const Bitmap& composed, const ClientRect& client);

// A block of what the window shows: its client columns [left, right) show
// the viewed frame's columns from `from` on, in every row.
struct ShownColumns {
    std::int32_t left;
    std::int32_t right;
    std::int32_t from;
};
struct ShownColumnBlocks {
    std::array<ShownColumns, 3> blocks{};
    std::size_t count = 0;
    const ShownColumns* begin() const { return blocks.data(); }
    const ShownColumns* end() const { return blocks.data() + count; }
};
// The blocks, left to right, that fill the client columns up to coveredRight
// (where the frame ends): one, the frame as it is, except in the crossed
// view, whose bands change places in the presentation's own copy.
ShownColumnBlocks shownColumns(std::int32_t coveredRight);

// Gives back the kept picture; the next view makes it again.
void releaseViewedFrame();

// One pixel of the red-cyan view from the pixels of the left and the right
// view: Dubois's least-squares anaglyph, in linear light.
Pixel redCyanPixel(Pixel left, Pixel right);

}  // namespace zephlet
