// The frame's way to a Windows window: the client area from the back buffer
// in one copy, as a top-down 32-bit DIB.
#include "render/frame_presentation.h"

#include "app/win32/windows_api.h"
#include "render/graphics_resources.h"
#include "render/stereo_view.h"

namespace zephlet {

ClientRect windowClientRect(WindowHandle window) {
    RECT client{};
    GetClientRect(window, &client);
    return {client.left, client.top, client.right, client.bottom};
}

void presentFrame(WindowHandle window, const Bitmap& frame) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    const ClientRect covered = coveredByBackBuffer(clientRect);
    if (!covered.empty()) {
        // The DIB is the back buffer's top rows, as many as are shown, so that
        // the source rectangle is the DIB's full height whichever way up the
        // system counts it.
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = frame.width;
        info.bmiHeader.biHeight = -covered.bottom;  // negative: rows top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        // A 32-bit BI_RGB pixel is 0x00RRGGBB, the back buffer's as it is.
        static_assert(makePixel(0x12, 0x34, 0x56) == 0x00123456);
        for (const ShownColumns& block : shownColumns(covered.right)) {
            const int width = block.right - block.left;
            StretchDIBits(dc, block.left, 0, width, covered.bottom, block.from, 0, width,
                          covered.bottom, frame.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
        }
    }
    for (const ClientRect& beyond : beyondBackBuffer(clientRect)) {
        if (!beyond.empty()) {
            const RECT area{beyond.left, beyond.top, beyond.right, beyond.bottom};
            FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        }
    }
    EndPaint(window, &paint);
}

}  // namespace zephlet
