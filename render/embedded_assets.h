// The artwork and the caption font, compiled into the program: the game
// opens no file at run time. The bytes are generated at build time from
// resources/ and the system's DejaVu Sans Bold (cmake/EmbedFiles.cmake).
#pragma once

#include <cstddef>

namespace zephlet {

struct EmbeddedFile {
    const unsigned char* data;
    std::size_t size;
};

// The artwork as BMP files, 24 bits per pixel.
EmbeddedFile craftBmp();
EmbeddedFile plainObstacleBmp();
EmbeddedFile blueObstacleBmp();
EmbeddedFile greenObstacleBmp();
EmbeddedFile crashedCraftBmp();
EmbeddedFile groundBmp();
EmbeddedFile iconBmp();

// DejaVu Sans Bold as a TrueType file.
EmbeddedFile captionFontTtf();

}  // namespace zephlet
