#include "tools/captions/caption_sheet.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <array>

#include "render/level_captions.h"

namespace zephlet {

namespace {

// Shaded text: black on an opaque white box, with grey steps between.
Bitmap renderLine(TTF_Font* font, const char* text) {
    if (text[0] == '\0') {
        return {};
    }
    SDL_Surface* shaded =
        TTF_RenderText_Shaded(font, text, SDL_Color{0, 0, 0, 255}, SDL_Color{255, 255, 255, 255});
    if (shaded == nullptr) {
        return {};
    }
    SDL_Surface* rgb = SDL_ConvertSurfaceFormat(shaded, SDL_PIXELFORMAT_XRGB8888, 0);
    SDL_FreeSurface(shaded);
    if (rgb == nullptr) {
        return {};
    }
    Bitmap line = makeBitmap(rgb->w, rgb->h, 0);
    for (int y = 0; y < rgb->h; ++y) {
        const auto* row =
            reinterpret_cast<const Pixel*>(static_cast<const Uint8*>(rgb->pixels) + y * rgb->pitch);
        for (int x = 0; x < rgb->w; ++x) {
            line.at(x, y) = row[x] & 0xFFFFFF;
        }
    }
    SDL_FreeSurface(rgb);
    return line;
}

}  // namespace

std::optional<Bitmap> renderCaptionSheet(const std::string& fontFile) {
    if (TTF_Init() != 0) {
        return std::nullopt;
    }
    TTF_Font* font = TTF_OpenFont(fontFile.c_str(), kCaptionFontPoints);
    std::optional<Bitmap> sheet;
    if (font != nullptr && TTF_FontHeight(font) == kCaptionLineHeight) {
        std::array<Bitmap, kCaptionBandCount> lines;
        std::int32_t width = 1;
        for (int band = 0; band < kCaptionBandCount; ++band) {
            lines[static_cast<std::size_t>(band)] =
                renderLine(font, kCaptionTexts[static_cast<std::size_t>(band / kCaptionLineCount)]
                                              [static_cast<std::size_t>(band % kCaptionLineCount)]);
            width = std::max(width, lines[static_cast<std::size_t>(band)].width);
        }
        // One more column of margin, so that every box ends in the sheet.
        sheet = makeBitmap(width + 1, kCaptionBandCount * kCaptionLineHeight, kCaptionSheetMargin);
        for (int band = 0; band < kCaptionBandCount; ++band) {
            copyOpaque(*sheet, 0, band * kCaptionLineHeight, lines[static_cast<std::size_t>(band)]);
        }
    }
    if (font != nullptr) {
        TTF_CloseFont(font);
    }
    TTF_Quit();
    return sheet;
}

}  // namespace zephlet
