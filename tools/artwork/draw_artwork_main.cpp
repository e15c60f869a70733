// Writes the game's artwork as BMP files into the directory named on the command line.
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
    for (const zephlet::ArtworkFile& file : zephlet::artworkFiles()) {
        const std::vector<uint8_t> bytes = zephlet::encodeBmp(file.draw());
        const std::filesystem::path path = directory / file.fileName;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
