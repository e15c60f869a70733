#include "render/graphics_resources.h"
#include "render/level_captions.h"

namespace zephlet {

std::array<std::array<SDL_Surface*, kCaptionLineCount>, kCaptionCount> captionLines{};

namespace {

// Shaded text is black on an opaque white box as wide as the text's advance,
// leading and trailing blanks included, and as high as the font's cell.
SDL_Surface* renderCaptionLine(const char* text) {
    if (text[0] == '\0') {
        return nullptr;
    }
    SDL_Surface* shaded =
        TTF_RenderText_Shaded(captionFont, text, SDL_Color{0, 0, 0, 255}, whiteBrush);
    if (shaded == nullptr) {
        return nullptr;
    }
    // In the back buffer's format once, so that every frame's copy is plain.
    SDL_Surface* line = SDL_ConvertSurfaceFormat(shaded, kBackBufferFormat, 0);
    SDL_FreeSurface(shaded);
    if (line != nullptr) {
        SDL_SetSurfaceBlendMode(line, SDL_BLENDMODE_NONE);
    }
    return line;
}

}  // namespace

void createCaptionLines() {
    for (int row = 0; row < kCaptionCount; ++row) {
        for (int line = 0; line < kCaptionLineCount; ++line) {
            captionLines[row][line] = renderCaptionLine(kCaptionTexts[row][line]);
        }
    }
}

void releaseCaptionLines() {
    for (auto& row : captionLines) {
        for (SDL_Surface*& line : row) {
            SDL_FreeSurface(line);
            line = nullptr;
        }
    }
}

}  // namespace zephlet
