#include "render/level_captions.h"

#include "game/caption_rule.h"
#include "render/embedded_files.h"
#include "render/graphics_resources.h"

namespace zephlet {

std::array<std::array<Bitmap, kCaptionLineCount>, kCaptionCount> captionLines{};

namespace {

Bitmap cutBand(const Bitmap& sheet, int band) {
    const std::int32_t top = band * kCaptionLineHeight;
    std::int32_t width = 0;
    while (width < sheet.width && sheet.at(width, top) != kCaptionSheetMargin) {
        ++width;
    }
    Bitmap line = makeBitmap(width, width == 0 ? 0 : kCaptionLineHeight, 0);
    for (std::int32_t y = 0; y < line.height; ++y) {
        for (std::int32_t x = 0; x < width; ++x) {
            line.at(x, y) = sheet.at(x, top + y);
        }
    }
    return line;
}

// Each line is copied opaquely, its white box with it, so that consecutive
// lines make one white block over the ground. A line is not clipped to its
// view: a long one runs on into the gap or past the right view.
void drawCaptionLines(std::uint32_t row, std::int32_t x) {
    for (int k = 0; k < kCaptionLineCount; ++k) {
        copyOpaque(*backBufferDC, x, kCaptionTopY + kCaptionLineHeight * k,
                   captionLines[row][static_cast<std::size_t>(k)]);
    }
}

}  // namespace

void createCaptionLines() {
    const Bitmap sheet = decodeDib(captionSheetBmp().bytes()).value_or(Bitmap{});
    if (sheet.height < kCaptionBandCount * kCaptionLineHeight) {
        return;  // no sheet: no captions, rather than reading past it
    }
    for (int band = 0; band < kCaptionBandCount; ++band) {
        captionLines[static_cast<std::size_t>(band / kCaptionLineCount)]
                    [static_cast<std::size_t>(band % kCaptionLineCount)] = cutBand(sheet, band);
    }
}

void releaseCaptionLines() {
    for (auto& row : captionLines) {
        for (Bitmap& line : row) {
            line = Bitmap{};
        }
    }
}

void drawLevelCaption() {
    // Choosing the congratulation is what begins the cruise (it sets won).
    const std::uint32_t row = chooseCaption();
    drawCaptionLines(row, kCaptionLeftX);
    drawCaptionLines(row, kCaptionRightX);
}

}  // namespace zephlet
