#include "app/win32/view_menu.h"

#include "app/win32/window_messages.h"
#include "render/stereo_view.h"

namespace zephlet {

namespace {

struct ViewItem {
    StereoView view;
    ViewMenuItem id;
    const char* text;
};
// Named as the page names them.
constexpr ViewItem kViewItems[] = {
    {StereoView::kParallel, kParallelItem, "Parallel (eyes apart)"},
    {StereoView::kCrossed, kCrossedItem, "Crossed eyes"},
    {StereoView::kRedCyan, kRedCyanItem, "Red-cyan glasses"},
};
static_assert(std::size(kViewItems) == kStereoViewNames.size(), "a view missing from the menu");

void checkView(HMENU menu) {
    for (const ViewItem& item : kViewItems) {
        if (item.view == stereoView) {
            CheckMenuRadioItem(menu, kParallelItem, kRedCyanItem, item.id, MF_BYCOMMAND);
        }
    }
}

}  // namespace

void addViewMenu(HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    for (const ViewItem& item : kViewItems) {
        AppendMenuA(menu, MF_STRING, item.id, item.text);
    }
    checkView(menu);
}

bool chooseViewItem(HWND window, WPARAM command) {
    for (const ViewItem& item : kViewItems) {
        if ((command & kSystemCommandMask) == item.id) {
            stereoView = item.view;
            checkView(GetSystemMenu(window, FALSE));
            return true;
        }
    }
    return false;
}

MessageResult defWindowProc(WindowHandle window, MessageId message, WordParam wParam,
                            LongParam lParam) {
    if (message == WM_SYSCOMMAND && chooseViewItem(window, wParam)) {
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace zephlet
