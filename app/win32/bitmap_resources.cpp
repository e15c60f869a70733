// The artwork on Windows: the bitmaps in the executable's own resource
// section, packed DIBs that the decoder reads as they are.
#include "render/bitmap_resources.h"

#include "app/shell_globals.h"
#include "app/win32/windows_api.h"

namespace zephlet {

std::span<const unsigned char> bitmapResource(int number) {
    // appInstance is stored before the window exists, so this works inside
    // WM_CREATE.
    HRSRC found = FindResourceA(appInstance, MAKEINTRESOURCEA(number), MAKEINTRESOURCEA(2));
    HGLOBAL loaded = found != nullptr ? LoadResource(appInstance, found) : nullptr;
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        return {};
    }
    return {static_cast<const unsigned char*>(bytes), SizeofResource(appInstance, found)};
}

}  // namespace zephlet
