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
// cell, so a caption is one white block, and a heading, "  LEVEL n  ",
// begins with two blanks' width of white.
TEST(CaptionSheetTest, CaptionLinesAreTheFontsBoxesFromTheCarriedSheet) {
    createGraphicsResources();
    const auto rendered = renderCaptionSheet(ZEPHLET_CAPTION_FONT);
    ASSERT_TRUE(rendered.has_value());
    EXPECT_TRUE(decodeDib(captionSheetBmp().bytes()) == rendered)
        << "resources/captions.bmp differs from what tools/captions renders";
    for (int row = 0; row < kCaptionCount; ++row) {
        for (int k = 0; k < kCaptionLineCount; ++k) {
            const char* text = kCaptionTexts[std::size_t(row)][std::size_t(k)];
            const Bitmap& line = captionLines[std::size_t(row)][std::size_t(k)];
            SCOPED_TRACE(std::string("\"") + text + "\"");
            EXPECT_EQ(line.height, text[0] == '\0' ? 0 : kCaptionLineHeight);
            EXPECT_EQ(line.width == 0, text[0] == '\0');
            if (k == 0 && row < 6) {
                for (int x = 0; x < 8; ++x) {
                    for (int y = 0; y < line.height; ++y) {
                        ASSERT_EQ(line.at(x, y), kWhite) << "at " << x << ", " << y;
                    }
                }
            }
        }
    }
    releaseGraphicsResources();
}

}  // namespace
}  // namespace zephlet
