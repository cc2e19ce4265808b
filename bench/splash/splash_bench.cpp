// The cost of one splash frame with the bundled pictures, as the paint handler runs it:
// clear, then paint. The textured band (steps 34 to 49) is the most expensive frame.
#include "gui_application.h"
#include "render/back_buffer.h"
#include "render/canvas.h"
#include "render/colour.h"
#include "render/splash_paint.h"

#include <benchmark/benchmark.h>

namespace kelvaro {
namespace {

struct StillClock final : TickSource {
    std::uint32_t now = 0;
    std::uint32_t tickCount() override { return now; }
};

void splashFrame(benchmark::State& run) {
    ensureGuiApplication();
    const auto step = static_cast<std::uint32_t>(run.range(0));
    BackBuffer buffer;
    createBackBuffer(buffer, screenWidth, bufferHeight);
    GameState state;
    SplashScene scene;
    Mt19937Source random(7);
    StillClock clock;
    clock.now = 50000;
    state.splashTick = clock.now;
    paintSplash(buffer, state, scene, random, clock); // before the buffer, in the program
    paintSplash(buffer, state, scene, random, clock); // the opening frame
    clock.now = state.splashTick + step * splashStepMs;
    for (auto _ : run) {
        state.splashFrame = 3;
        fillRect(buffer.image, wholeBuffer(buffer), black);
        benchmark::DoNotOptimize(paintSplash(buffer, state, scene, random, clock));
    }
}

// Outline (20), the widest band (34), the band being cut (41, 45, 49), stars and flare (60).
BENCHMARK(splashFrame)
    ->Arg(20)
    ->Arg(34)
    ->Arg(41)
    ->Arg(45)
    ->Arg(49)
    ->Arg(60)
    ->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace kelvaro
