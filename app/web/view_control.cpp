// The page's view control: the view the canvas shows, chosen by name from
// the control or the address's fragment, and switched between two frames.
#include <emscripten/emscripten.h>

#include <optional>

#include "render/stereo_view.h"

// 1 if the name is a view's, which the next frame then shows; 0 leaves the
// view as it is.
extern "C" EMSCRIPTEN_KEEPALIVE int showView(const char* name) {
    const std::optional<zephlet::StereoView> view = zephlet::stereoViewNamed(name);
    if (!view) {
        return 0;
    }
    zephlet::stereoView = *view;
    return 1;
}
