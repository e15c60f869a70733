// Files compiled into the program, so that it opens none at run time. The
// bytes are generated at build time from resources/ (cmake/EmbedFiles.cmake).
#pragma once

#include <cstddef>
#include <span>

namespace zephlet {

struct EmbeddedFile {
    const unsigned char* data;
    std::size_t size;

    std::span<const unsigned char> bytes() const { return {data, size}; }
};

// The artwork as 24-bit BMP files: what the Linux build carries in place of
// a resource section.
EmbeddedFile craftBmp();
EmbeddedFile plainObstacleBmp();
EmbeddedFile blueObstacleBmp();
EmbeddedFile greenObstacleBmp();
EmbeddedFile crashedCraftBmp();
EmbeddedFile groundBmp();
EmbeddedFile iconBmp();

// Every caption line, rendered once from DejaVu Sans Bold (tools/captions):
// every platform carries the same glyphs.
EmbeddedFile captionSheetBmp();

}  // namespace zephlet
