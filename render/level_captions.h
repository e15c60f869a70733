// The caption that opens each level, and the congratulation after the last.
#pragma once

#include <array>
#include <cstdint>

#include <SDL.h>

namespace zephlet {

constexpr int kCaptionLineCount = 6;
constexpr int kCaptionCount = 7;  // six levels and the congratulation
constexpr int kCaptionLeftX = 5;
constexpr int kCaptionRightX = 155;
constexpr int kCaptionTopY = 5;
constexpr int kCaptionLineHeight = 16;

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

// Each line rendered once, black on an opaque white box exactly as wide as
// the text with its blanks; null for an empty line. Made and freed with the
// graphics resources.
extern std::array<std::array<SDL_Surface*, kCaptionLineCount>, kCaptionCount> captionLines;

void createCaptionLines();
void releaseCaptionLines();

// Draws the current level's caption into the back buffer in both views, and
// begins the cruise when it is the congratulation.
void drawLevelCaption();

}  // namespace zephlet
