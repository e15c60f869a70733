// zephlet-draw-captions FONT OUT.bmp: renders every caption line from the
// caption font (DejaVu Sans Bold) into the sheet the game carries.
#include <cstdint>
#include <fstream>
#include <iostream>

#include "tools/artwork/bmp_file.h"
#include "tools/captions/caption_sheet.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: zephlet-draw-captions FONT.ttf OUT.bmp\n";
        return 2;
    }
    const auto sheet = zephlet::renderCaptionSheet(argv[1]);
    if (!sheet) {
        std::cerr << "zephlet-draw-captions: cannot render the captions from " << argv[1]
                  << " with a 16-pixel cell\n";
        return 1;
    }
    zephlet::Picture picture(sheet->width, sheet->height, {});
    for (int y = 0; y < sheet->height; ++y) {
        for (int x = 0; x < sheet->width; ++x) {
            const zephlet::Pixel pixel = sheet->at(x, y);
            picture.at(x, y) = {static_cast<std::uint8_t>(pixel >> 16),
                                static_cast<std::uint8_t>(pixel >> 8),
                                static_cast<std::uint8_t>(pixel)};
        }
    }
    const auto bytes = zephlet::encodeBmp(picture);
    std::ofstream out(argv[2], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        std::cerr << "zephlet-draw-captions: cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
