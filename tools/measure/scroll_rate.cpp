// scroll_rate WINDOW GROUND.bmp SECONDS [LEFT TOP]: the game's tick rate seen
// from outside. The ground scrolls 2 pixels a tick, so the ground strip's
// offset in the left view, read from the window every 50 ms, counts the ticks.
// LEFT TOP is where the client area starts in the X window. Prints the ticks
// per second over the samples; a level restart (the ground jumps back) and
// any other interval far off the median are left out and counted.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "tools/measure/bmp_pixels.h"

namespace {

constexpr int kGroundWidth = 100;
constexpr int kGroundHeight = 800;
constexpr int kScrollStep = 2;

// The scroll offset (0 to 798) whose ground best matches the left view's
// top `rows` rows, or -1 if the window cannot be read. Row r of the view
// shows ground row (r - offset) mod 800; sprites and captions hide only a
// little of it.
int scrollOffset(Display* display, Window window, int left, int top, int rows,
                 const std::vector<std::uint32_t>& ground) {
    XImage* image = XGetImage(display, window, left, top, kGroundWidth, rows, AllPlanes, ZPixmap);
    if (image == nullptr) {
        return -1;
    }
    std::vector<std::uint32_t> view(kGroundWidth * rows);
    for (int i = 0; i < kGroundWidth * rows; ++i) {
        view[i] = XGetPixel(image, i % kGroundWidth, i / kGroundWidth) & 0xFFFFFF;
    }
    XDestroyImage(image);
    int best = -1, bestMatches = -1;
    for (int offset = 0; offset < kGroundHeight; offset += kScrollStep) {
        int matches = 0;
        for (int r = 0; r < rows; r += 3) {
            const int g = (r - offset + kGroundHeight) % kGroundHeight;
            for (int x = 0; x < kGroundWidth; x += 3) {
                matches += view[r * kGroundWidth + x] == ground[g * kGroundWidth + x];
            }
        }
        if (matches > bestMatches) {
            best = offset;
            bestMatches = matches;
        }
    }
    return best;
}

}  // namespace

int main(int argc, char** argv) {
    Display* display = argc == 4 || argc == 6 ? XOpenDisplay(nullptr) : nullptr;
    const auto ground = argc >= 3 ? readBmpPixels(argv[2], kGroundWidth, kGroundHeight)
                                  : std::vector<std::uint32_t>{};
    if (display == nullptr || ground.empty()) {
        std::fputs("usage: scroll_rate WINDOW GROUND.bmp SECONDS [LEFT TOP] (with a display)\n",
                   stderr);
        return 2;
    }
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    const Window window = std::strtoul(argv[1], nullptr, 0);
    const int left = argc == 6 ? std::atoi(argv[4]) : 0;
    const int top = argc == 6 ? std::atoi(argv[5]) : 0;
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    const int rows = std::min(600, attributes.height - top);
    using namespace std::chrono;
    const auto start = steady_clock::now();
    const auto end = start + duration<double>(std::atof(argv[3]));
    struct Sample {
        double seconds;
        int offset;
    };
    std::vector<Sample> samples;
    for (auto next = start; next < end; next += milliseconds(50)) {
        while (steady_clock::now() < next) {
            usleep(500);
        }
        // The time of the reading: the middle of the request.
        const auto before = steady_clock::now();
        const int offset = scrollOffset(display, window, left, top, rows, ground);
        const auto after = steady_clock::now();
        if (offset < 0) {
            break;
        }
        samples.push_back(
            {duration<double>(before - start + (after - before) / 2).count(), offset});
    }
    XCloseDisplay(display);
    std::vector<int> ticks;  // per interval
    for (std::size_t i = 1; i < samples.size(); ++i) {
        ticks.push_back((samples[i].offset - samples[i - 1].offset + kGroundHeight) %
                        kGroundHeight / kScrollStep);
    }
    if (ticks.empty()) {
        std::fputs("scroll_rate: no samples\n", stderr);
        return 1;
    }
    std::vector<int> sorted = ticks;
    std::sort(sorted.begin(), sorted.end());
    const int median = sorted[sorted.size() / 2];
    long counted = 0;
    double seconds = 0;
    int dropped = 0;
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        if (std::abs(ticks[i] - median) > 3) {
            ++dropped;
            continue;
        }
        counted += ticks[i];
        seconds += samples[i + 1].seconds - samples[i].seconds;
    }
    std::printf("%.2f ticks/s: %ld ticks over %.2f s, %d of %zu intervals left out\n",
                static_cast<double>(counted) / seconds, counted, seconds, dropped, ticks.size());
    return 0;
}
