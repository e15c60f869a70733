// One frame's work at the default window size, 265 x 600: the tick and the
// composition, and the presentation to a window surface on its own; the
// view step and the whole paint in each view.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <new>

#include "game/caption_rule.h"
#include "game/game_state.h"
#include "game/level_scripts.h"
#include "game/world_tick.h"
#include "render/client_area.h"
#include "render/frame_composition.h"
#include "render/frame_presentation.h"
#include "render/graphics_resources.h"
#include "render/stereo_view.h"

namespace {

// Allocations, C++'s and SDL's, so that a frame whose copies allocate (a
// format conversion, a blit map rebuilt, a vector grown) shows.
std::int64_t allocations = 0;
SDL_malloc_func sdlMalloc = nullptr;
SDL_calloc_func sdlCalloc = nullptr;
SDL_realloc_func sdlRealloc = nullptr;
SDL_free_func sdlFree = nullptr;

void* countedMalloc(size_t size) {
    ++allocations;
    return sdlMalloc(size);
}
void* countedCalloc(size_t count, size_t size) {
    ++allocations;
    return sdlCalloc(count, size);
}
void* countedRealloc(void* memory, size_t size) {
    ++allocations;
    return sdlRealloc(memory, size);
}

}  // namespace

void* operator new(std::size_t size) {
    ++allocations;
    void* memory = std::malloc(size == 0 ? 1 : size);
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
    return memory;
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace {

void countSdlAllocations() {
    if (sdlMalloc == nullptr) {
        SDL_GetMemoryFunctions(&sdlMalloc, &sdlCalloc, &sdlRealloc, &sdlFree);
        SDL_SetMemoryFunctions(countedMalloc, countedCalloc, countedRealloc, sdlFree);
    }
}

}  // namespace

namespace zephlet {
namespace {

constexpr std::int32_t kBusyTick = 700;
constexpr std::int32_t kReplayedTicks = 280;  // four rows of level 4

// The renderer and a window on SDL's dummy video driver, for the whole run.
struct Renderer {
    SDL_Window* window = nullptr;

    Renderer() {
        countSdlAllocations();
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        SDL_Init(SDL_INIT_VIDEO);
        createGraphicsResources();
        window = SDL_CreateWindow("Zephlet!", 0, 0, kWindowWidth, kWindowHeight, 0);
        clientRect = {0, 0, kWindowWidth, kWindowHeight};
    }
    ~Renderer() {
        SDL_DestroyWindow(window);
        releaseGraphicsResources();
        SDL_Quit();
    }
};

Renderer& renderer() {
    static Renderer instance;
    return instance;
}

// Level 4 in full flow: rows of three at all three altitudes on screen. The
// craft waits outside the lanes while the rows come in, then takes the
// middle lane at altitude 2.
GameState busyLevel4() {
    resetGame();
    srand(4);
    gameState.levelIndex = 3;
    gameState.playerLane = 1000;
    while (gameState.levelTick < kBusyTick) {
        advanceFrame();
    }
    gameState.playerLane = 0;
    gameState.playerAltitude = 2;
    return gameState;
}

void countAllocations(benchmark::State& state, std::int64_t before) {
    state.counters["allocations"] = benchmark::Counter(static_cast<double>(allocations - before),
                                                       benchmark::Counter::kAvgIterations);
}

// Plays on from the busy moment and starts it over every few rows or after
// a crash, so every iteration draws a full screen. Copying the state back
// reuses the obstacle list's storage.
template <typename Frame>
void playFrames(benchmark::State& state, Frame frame) {
    renderer();
    const GameState busy = busyLevel4();
    std::int64_t obstaclesDrawn = 0;
    const std::int64_t allocationsBefore = allocations;
    for (auto _ : state) {
        frame();
        obstaclesDrawn += static_cast<std::int64_t>(gameState.obstacles.size());
        if (gameState.crashed || gameState.levelTick >= kBusyTick + kReplayedTicks) {
            gameState = busy;
        }
    }
    state.counters["obstacles"] =
        benchmark::Counter(static_cast<double>(obstaclesDrawn), benchmark::Counter::kAvgIterations);
    countAllocations(state, allocationsBefore);
}

void BM_TickAndCompose(benchmark::State& state) {
    playFrames(state, [] {
        tickWorld();
        composeFrame();
    });
}
BENCHMARK(BM_TickAndCompose);

// With the level's caption over the picture, as in its first 240 ticks.
void BM_ComposeWithCaption(benchmark::State& state) {
    renderer();
    busyLevel4();
    gameState.levelTick = 0;
    const std::int64_t allocationsBefore = allocations;
    for (auto _ : state) {
        composeFrame();
        benchmark::ClobberMemory();
    }
    countAllocations(state, allocationsBefore);
}
BENCHMARK(BM_ComposeWithCaption);

void BM_Present(benchmark::State& state) {
    SDL_Window* window = renderer().window;
    busyLevel4();
    composeFrame();
    const std::int64_t allocationsBefore = allocations;
    for (auto _ : state) {
        presentFrame(window, backBuffer);
    }
    countAllocations(state, allocationsBefore);
}
BENCHMARK(BM_Present);

// The view step alone, over a busy frame with its caption (the most colour
// pairs for the red-cyan view); nothing at all in parallel.
void BM_View(benchmark::State& state, StereoView view) {
    renderer();
    busyLevel4();
    gameState.levelTick = 0;
    stereoView = view;
    composeFrame();
    viewedFrame(backBuffer, clientRect);  // the kept picture made once
    const std::int64_t allocationsBefore = allocations;
    for (auto _ : state) {
        benchmark::DoNotOptimize(&viewedFrame(backBuffer, clientRect));
        benchmark::ClobberMemory();
    }
    countAllocations(state, allocationsBefore);
    stereoView = StereoView::kParallel;
}
BENCHMARK_CAPTURE(BM_View, parallel, StereoView::kParallel);
BENCHMARK_CAPTURE(BM_View, crossed, StereoView::kCrossed);
BENCHMARK_CAPTURE(BM_View, red_cyan, StereoView::kRedCyan);

// The whole paint: tick, client rectangle, composition, view and
// presentation, in each view.
void BM_PaintFrame(benchmark::State& state, StereoView view) {
    SDL_Window* window = renderer().window;
    stereoView = view;
    playFrames(state, [window] { paintFrame(window); });
    stereoView = StereoView::kParallel;
}
BENCHMARK_CAPTURE(BM_PaintFrame, parallel, StereoView::kParallel);
BENCHMARK_CAPTURE(BM_PaintFrame, crossed, StereoView::kCrossed);
BENCHMARK_CAPTURE(BM_PaintFrame, red_cyan, StereoView::kRedCyan);

}  // namespace
}  // namespace zephlet
