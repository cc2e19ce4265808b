// Paint costs on a 12 x 12 board: a whole frame, a stroke step and a clock tick; a whole frame
// with Clear colours must cost no more than 1.2 times one without.
#include "gui_application.h"
#include "render/back_buffer.h"
#include "render/board_painter.h"
#include "tools/scenes/scene_setup.h"

#include <benchmark/benchmark.h>

namespace kelvaro {
namespace {

class StepClock final : public TickSource {
  public:
    std::uint32_t now = 1000;
    std::uint32_t tickCount() override { return now += 100; }
};

// A 12 x 12 game in progress: lines drawn, one being dragged, the clock and a penalty shown.
Scene hardGameInProgress() {
    Scene scene = newGameScene("bench", 2, 12);
    drawSolvedLines(scene, 8);
    strokeInProgress(scene, 10, 5);
    scene.state.penaltyCells = 4;
    scene.state.hintMode = 1;
    return scene;
}

void paintLoop(benchmark::State& run, std::int16_t mode, std::int32_t clearColours = 0) {
    ensureGuiApplication();
    Scene scene = hardGameInProgress();
    scene.settings.clearColours = clearColours;
    BackBuffer buffer;
    createBackBuffer(buffer, screenWidth, bufferHeight);
    if (buffer.glyphAtlas.isNull() || buffer.segmentTiles.isNull()) {
        run.SkipWithError("the bundled pictures did not load");
        return;
    }
    StepClock clock;
    scene.state.repaintMode = repaintWhole;
    onPaint(buffer, scene.state, scene.board, scene.settings, scene.statistics, clock);
    scene.state.repaintMode = mode;
    for (auto _ : run) {
        const Rect shown =
            onPaint(buffer, scene.state, scene.board, scene.settings, scene.statistics, clock);
        benchmark::DoNotOptimize(shown);
        benchmark::ClobberMemory();
    }
}

void wholeFrame(benchmark::State& run) {
    paintLoop(run, repaintWhole);
}
void wholeFrameClearColours(benchmark::State& run) {
    paintLoop(run, repaintWhole, 1);
}
void strokeFrame(benchmark::State& run) {
    paintLoop(run, repaintStroke);
}
void clockFrame(benchmark::State& run) {
    paintLoop(run, repaintStatus);
}

BENCHMARK(wholeFrame)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(wholeFrameClearColours)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(strokeFrame)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(clockFrame)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
} // namespace kelvaro
