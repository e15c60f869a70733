// zephlet.html: the program's entry in the browser. The canvas and its 2D
// context standing in for the window class, the window, then the shared
// start-up from the shown window on.
#include "app/shell_globals.h"
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
    return runMainWindow(createMainWindow());
}

}  // namespace zephlet

int main() {
    return zephlet::winMain("zephlet.html");
}
