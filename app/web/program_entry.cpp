// zephlet.html: the program's entry in the browser. The canvas and its 2D
// context, the window, the seed and the frame loop, in the order the game
// has always started.

#include "app/frame_loop.h"
#include "app/shell_globals.h"
#include "app/shell_platform.h"
#include "app/web/platform_window.h"
#include "app/window_procedure.h"

namespace zephlet {

int winMain(InstanceHandle instance) {
    appInstance = instance;
    if (!registerWindowClass(windowProc)) {
        // The page's own box, since nothing can be drawn; no loop runs.
        showStartUpFailure(kRegistrationFailedCaption, kRegistrationFailedText);
        return -1;
    }
    // WM_CREATE, and with it the graphics resources, before the first paint.
    WindowHandle window = createMainWindow();
    showWindow(window);
    runShownWindow(window);
    unregisterWindowClass();
    return 0;
}

}  // namespace zephlet

int main() {
    return zephlet::winMain("zephlet.html");
}
