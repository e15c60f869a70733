// Renders every caption line once, from the caption font, into the sheet the
// game carries (resources/captions.bmp).
#pragma once

#include <optional>
#include <string>

#include "render/bitmap.h"

namespace zephlet {

// DejaVu Sans Bold at 13 points: with SDL_ttf its character cell is 16
// pixels high, the captions' line pitch, so consecutive boxes meet.
constexpr int kCaptionFontPoints = 13;

// Every line black on its white box, anti-aliased, as wide as its advance
// with leading and trailing blanks; nothing if the font cannot be read or
// its cell is not 16 pixels high. Needs no display.
std::optional<Bitmap> renderCaptionSheet(const std::string& fontFile);

}  // namespace zephlet
