// window_probe: looks at the game's window from outside, as a player's
// display shows it, for the measuring script.
//
//   window_probe first-frame SPRITE.bmp PROGRAM [ARGS...]
//       starts PROGRAM and prints its process id and the milliseconds until
//       a window titled "Zephlet!" shows the craft sprite at its starting
//       place in both views.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tools/measure/bmp_pixels.h"

namespace {

constexpr int kSize = 32;
constexpr std::uint32_t kWhite = 0xFFFFFF;

// Whether the craft stands at lane 0 and altitude 0 in both views, whose
// left edges are at x 35 and 183, with its top at y 500: no non-white pixel
// of the sprite differs there.
bool craftShows(Display* display, Window window, const std::vector<std::uint32_t>& sprite) {
    for (const int x : {35, 183}) {
        XImage* image = XGetImage(display, window, x, 500, kSize, kSize, AllPlanes, ZPixmap);
        if (image == nullptr) {
            return false;
        }
        int wrong = 0;
        for (int i = 0; i < kSize * kSize; ++i) {
            const unsigned long shown = XGetPixel(image, i % kSize, i / kSize) & kWhite;
            wrong += sprite[i] != kWhite && shown != sprite[i];
        }
        XDestroyImage(image);
        if (wrong != 0) {
            return false;
        }
    }
    return true;
}

// The viewable window with that title at or under `under`; 0 if none.
Window windowTitled(Display* display, Window under, const char* title) {
    char* name = nullptr;
    XWindowAttributes attributes;
    if (XFetchName(display, under, &name) != 0 && name != nullptr) {
        const bool same = std::strcmp(name, title) == 0;
        XFree(name);
        if (same && XGetWindowAttributes(display, under, &attributes) != 0 &&
            attributes.map_state == IsViewable) {
            return under;
        }
    }
    Window root = 0, parent = 0, found = 0, *children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, under, &root, &parent, &children, &count) != 0 && children != nullptr) {
        for (unsigned int i = 0; i < count && found == 0; ++i) {
            found = windowTitled(display, children[i], title);
        }
        XFree(children);
    }
    return found;
}

int run(Display* display, int argc, char** argv) {
    const std::string command = argv[1];
    if (command != "first-frame" || argc < 4) {
        std::fputs("usage: window_probe first-frame SPRITE.bmp PROGRAM [ARGS...]\n", stderr);
        return 2;
    }
    const auto sprite = readBmpPixels(argv[2], kSize, kSize);
    if (sprite.empty()) {
        std::fprintf(stderr, "window_probe: %s is not a 32 x 32 24-bit BMP\n", argv[2]);
        return 2;
    }
    using namespace std::chrono;
    const auto ms = [start = steady_clock::now()] {
        return duration<double, std::milli>(steady_clock::now() - start).count();
    };
    const pid_t child = fork();
    if (child == 0) {
        execv(argv[3], argv + 3);
        _exit(127);
    }
    while (ms() < 10000) {
        const Window window = windowTitled(display, DefaultRootWindow(display), "Zephlet!");
        if (window != 0 && craftShows(display, window, sprite)) {
            std::printf("%d %.1f\n", static_cast<int>(child), ms());
            return 0;
        }
        usleep(500);
    }
    std::printf("%d timeout\n", static_cast<int>(child));
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    Display* display = argc < 2 ? nullptr : XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fputs("window_probe: no command, or cannot open the display\n", stderr);
        return 2;
    }
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    const int status = run(display, argc, argv);
    XCloseDisplay(display);
    return status;
}
