// window_probe: looks at the game's window from outside, as a player's
// display shows it. Used by the whole-program test and by the measuring
// script.
//
//   window_probe craft WINDOW SPRITE.bmp LANE ALTITUDE
//       exit 0 if the craft sprite stands where that lane and altitude put
//       it in both views of WINDOW's client area: every non-white pixel of
//       the sprite shows with its exact colour.
//   window_probe close WINDOW
//       asks the window manager to close WINDOW, as its close button does.
//   window_probe first-frame SPRITE.bmp PROGRAM [ARGS...]
//       starts PROGRAM and prints its process id and the milliseconds until
//       a window titled "Zephlet!" shows the craft at its starting place.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <sys/types.h>
#include <time.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr int kSpriteSize = 32;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr int kCraftTop = 500;

// A 32 x 32, 24-bit, uncompressed BMP as 0xRRGGBB values, top row first.
std::optional<std::vector<std::uint32_t>> readSprite(const char* path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
    auto le32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                          bytes[at + 3] << 24);
    };
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M' || le32(18) != kSpriteSize ||
        le32(22) != kSpriteSize || (bytes[28] | bytes[29] << 8) != 24 || le32(30) != 0) {
        return std::nullopt;
    }
    const std::size_t offset = le32(10);
    const std::size_t rowBytes = kSpriteSize * 3;  // already a multiple of 4
    if (bytes.size() < offset + rowBytes * kSpriteSize) {
        return std::nullopt;
    }
    std::vector<std::uint32_t> pixels(kSpriteSize * kSpriteSize);
    for (int y = 0; y < kSpriteSize; ++y) {
        const unsigned char* row = &bytes[offset + rowBytes * (kSpriteSize - 1 - y)];
        for (int x = 0; x < kSpriteSize; ++x) {
            const unsigned char* p = row + 3 * x;  // blue, green, red
            pixels[y * kSpriteSize + x] = static_cast<std::uint32_t>(p[2] << 16 | p[1] << 8 | p[0]);
        }
    }
    return pixels;
}

// How many of the sprite's visible pixels differ in the window at (x, y);
// -1 if the area cannot be read.
int mismatches(Display* display, Window window, const std::vector<std::uint32_t>& sprite, int x,
               int y) {
    XImage* image = XGetImage(display, window, x, y, kSpriteSize, kSpriteSize, AllPlanes, ZPixmap);
    if (image == nullptr) {
        return -1;
    }
    int wrong = 0;
    for (int row = 0; row < kSpriteSize; ++row) {
        for (int column = 0; column < kSpriteSize; ++column) {
            const std::uint32_t want = sprite[row * kSpriteSize + column];
            if (want != kWhite &&
                (XGetPixel(image, column, row) & 0xFFFFFF) != static_cast<unsigned long>(want)) {
                ++wrong;
            }
        }
    }
    XDestroyImage(image);
    return wrong;
}

int ignoreErrors(Display*, XErrorEvent*) {
    return 0;
}

// Whether the craft stands at that lane and altitude in both views.
bool craftShows(Display* display, Window window, const std::vector<std::uint32_t>& sprite, int lane,
                int altitude, bool verbose) {
    const int left = mismatches(display, window, sprite, 35 + lane + altitude, kCraftTop);
    const int right = mismatches(display, window, sprite, 183 + lane - altitude, kCraftTop);
    if (verbose) {
        std::printf(
            "craft at lane %d altitude %d: %d wrong pixels in the left view, %d in the "
            "right view\n",
            lane, altitude, left, right);
    }
    return left == 0 && right == 0;
}

std::optional<Window> windowTitled(Display* display, Window under, const char* title) {
    char* name = nullptr;
    if (XFetchName(display, under, &name) != 0 && name != nullptr) {
        const bool same = std::strcmp(name, title) == 0;
        XFree(name);
        XWindowAttributes attributes;
        if (same && XGetWindowAttributes(display, under, &attributes) != 0 &&
            attributes.map_state == IsViewable) {
            return under;
        }
    }
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(display, under, &root, &parent, &children, &count) == 0) {
        return std::nullopt;
    }
    std::optional<Window> found;
    for (unsigned int i = 0; i < count && !found; ++i) {
        found = windowTitled(display, children[i], title);
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}

double nowMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

int usage() {
    std::fputs(
        "usage: window_probe craft WINDOW SPRITE.bmp LANE ALTITUDE\n"
        "       window_probe close WINDOW\n"
        "       window_probe first-frame SPRITE.bmp PROGRAM [ARGS...]\n",
        stderr);
    return 2;
}

int run(Display* display, int argc, char** argv) {
    const std::string command = argv[1];
    if (command == "craft" && argc == 6) {
        const auto sprite = readSprite(argv[3]);
        if (!sprite) {
            std::fprintf(stderr, "window_probe: %s is not a 32 x 32 24-bit BMP\n", argv[3]);
            return 2;
        }
        const Window window = std::strtoul(argv[2], nullptr, 0);
        return craftShows(display, window, *sprite, std::atoi(argv[4]), std::atoi(argv[5]), true)
                   ? 0
                   : 1;
    }
    if (command == "close" && argc == 3) {
        // _NET_CLOSE_WINDOW goes to the window manager, which then asks the
        // program to close, as it does for its close button.
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = std::strtoul(argv[2], nullptr, 0);
        event.xclient.message_type = XInternAtom(display, "_NET_CLOSE_WINDOW", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] = CurrentTime;
        event.xclient.data.l[1] = 2;  // from a pager or taskbar, as a user's
        XSendEvent(display, DefaultRootWindow(display), False,
                   SubstructureNotifyMask | SubstructureRedirectMask, &event);
        XSync(display, False);
        return 0;
    }
    if (command == "first-frame" && argc >= 4) {
        const auto sprite = readSprite(argv[2]);
        if (!sprite) {
            return 2;
        }
        const double start = nowMs();
        const pid_t child = fork();
        if (child == 0) {
            execv(argv[3], argv + 3);
            _exit(127);
        }
        while (nowMs() - start < 10000) {
            const auto window = windowTitled(display, DefaultRootWindow(display), "Zephlet!");
            if (window && craftShows(display, *window, *sprite, 0, 0, false)) {
                std::printf("%d %.1f\n", static_cast<int>(child), nowMs() - start);
                return 0;
            }
            usleep(500);
        }
        std::printf("%d timeout\n", static_cast<int>(child));
        return 1;
    }
    return usage();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return usage();
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fputs("window_probe: cannot open the display\n", stderr);
        return 2;
    }
    XSetErrorHandler(ignoreErrors);
    const int status = run(display, argc, argv);
    XCloseDisplay(display);
    return status;
}
