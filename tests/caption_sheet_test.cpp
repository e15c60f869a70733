// The caption lines every build carries, held to what the font renders.
#include "tools/captions/caption_sheet.h"

#include <gtest/gtest.h>

#include <string>

#include "render/embedded_files.h"
#include "render/graphics_resources.h"
#include "render/level_captions.h"

namespace zephlet {
namespace {

// The sheet every build carries is what the font renders now, so both
// platforms show the font's glyphs; each line's box is the font's 16-pixel
// cell, so a caption is one white block.
TEST(CaptionSheetTest, CaptionLinesAreTheFontsBoxesFromTheCarriedSheet) {
    createGraphicsResources();
    const auto rendered = renderCaptionSheet(ZEPHLET_CAPTION_FONT);
    ASSERT_TRUE(rendered.has_value());
    EXPECT_TRUE(decodeDib(captionSheetBmp().bytes()) == rendered)
        << "resources/captions.bmp differs from what tools/captions renders";
    // Each line is its band of the sheet, up to where the margin begins.
    for (int band = 0; band < kCaptionBandCount; ++band) {
        const Bitmap& line = captionLines[std::size_t(band / 6)][std::size_t(band % 6)];
        const std::string text = kCaptionTexts[std::size_t(band / 6)][std::size_t(band % 6)];
        EXPECT_EQ(line.height, text.empty() ? 0 : kCaptionLineHeight) << text;
        EXPECT_EQ(rendered->at(line.width, band * kCaptionLineHeight), kCaptionSheetMargin) << text;
        for (int y = 0; y < line.height; ++y) {
            for (int x = 0; x < line.width; ++x) {
                ASSERT_EQ(line.at(x, y), rendered->at(x, band * kCaptionLineHeight + y)) << text;
            }
        }
    }
    releaseGraphicsResources();
}

}  // namespace
}  // namespace zephlet
