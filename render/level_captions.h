// The caption that opens each level, and the congratulation after the last.
#pragma once

#include <array>
#include <cstdint>

#include "render/bitmap.h"
#include "render/stereo_view.h"

namespace zephlet {

constexpr int kCaptionLineCount = 6;
constexpr int kCaptionCount = 7;  // six levels and the congratulation
constexpr std::int32_t kCaptionLeftX = 5;
constexpr std::int32_t kCaptionRightX = kCaptionLeftX + kRightViewX;
constexpr std::int32_t kCaptionTopY = 5;
constexpr std::int32_t kCaptionLineHeight = 16;

using CaptionText = std::array<const char*, kCaptionLineCount>;

// Indexed by caption row (the level index, 6 for the congratulation). An
// empty line draws nothing.
inline constexpr std::array<CaptionText, kCaptionCount> kCaptionTexts{{
    {"  LEVEL 1  ", "Practice", "staring through", "the screen and", "avoiding", "obstacles!"},
    {"  LEVEL 2  ", "Now you must", "use your", "altitude", "to avoid the", "obstacles!"},
    {"  LEVEL 3  ", "You can't fly", "beneath the", "blue", "obstacles.", ""},
    {"  LEVEL 4  ", "You can't fly", "above the", "green", "obstacles.", ""},
    {"  LEVEL 5  ", "Avoid double", "rows of", "obstacles!", "", ""},
    {"  LEVEL 6  ", "This is the", "final", "challenge.", "Good luck!", ""},
    {"Congrats!", "You won!", "Now enjoy a", "relaxing", "cruise.", ""},
}};

// The caption sheet carries every line, black on its white box, in a band
// 16 pixels high of its own: row by row, line by line. The rest of a band is
// this colour, which no rendered text contains, so a box ends where it
// begins; an empty line's band is all margin.
constexpr Pixel kCaptionSheetMargin = makePixel(255, 0, 255);
constexpr int kCaptionBandCount = kCaptionCount * kCaptionLineCount;

// Each line as its white box exactly as wide as the text with its blanks;
// empty for an empty line. Made and freed with the graphics resources.
extern std::array<std::array<Bitmap, kCaptionLineCount>, kCaptionCount> captionLines;

// Cuts the embedded sheet into captionLines.
void createCaptionLines();
void releaseCaptionLines();

// Draws the current level's caption into the back buffer in both views, and
// begins the cruise when it is the congratulation.
void drawLevelCaption();

}  // namespace zephlet
