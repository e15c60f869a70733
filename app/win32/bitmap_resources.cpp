// The artwork on Windows: the bitmaps in the executable's own resource
// section, packed DIBs that the decoder reads as they are.
#include "render/bitmap_resources.h"

#include "app/win32/windows_api.h"

namespace zephlet {

std::span<const unsigned char> bitmapResource(int number) {
    // No module: the executable's own, the one appInstance names in the game,
    // and the test program's in the renderer's tests.
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(number), RT_BITMAP);
    HGLOBAL loaded = found != nullptr ? LoadResource(nullptr, found) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        return {};
    }
    return {static_cast<const unsigned char*>(bytes), SizeofResource(nullptr, found)};
}

}  // namespace zephlet
