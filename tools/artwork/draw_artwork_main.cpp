// Writes the game's artwork as BMP files, and the Windows icon file, into the directory named
// on the command line.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/artwork/artwork_drawing.h"
#include "tools/artwork/bmp_file.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIRECTORY\n", argv[0]);
        return 2;
    }
    const std::filesystem::path directory = argv[1];
    auto write = [&](std::string_view fileName, const std::vector<uint8_t>& bytes) {
        const std::filesystem::path path = directory / fileName;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return false;
        }
        return true;
    };
    for (const zephlet::ArtworkFile& file : zephlet::artworkFiles()) {
        if (!write(file.fileName, zephlet::encodeBmp(file.draw()))) {
            return 1;
        }
    }
    return write("zephlet.ico", zephlet::encodeIcon(zephlet::drawIcon())) ? 0 : 1;
}
