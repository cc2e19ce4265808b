// One stylus move over a 12 x 12 board: the handler (drawing step, traces, testSolved), and
// the handler followed by the stroke paint it asks for.
#include "game/game.h"
#include "gui_application.h"
#include "hard_game.h"
#include "render/back_buffer.h"
#include "render/board_painter.h"

#include <benchmark/benchmark.h>

namespace kelvaro {
namespace {

void stylusMoveHandler(benchmark::State& run) {
    HardGame game;
    std::size_t i = 0;
    for (auto _ : run) {
        game.step(i);
        benchmark::ClobberMemory();
    }
    if (game.world.state.gamePhase != phasePlaying)
        run.SkipWithError("the snake finished the game");
}

void stylusMoveToPresentedFrame(benchmark::State& run) {
    ensureGuiApplication();
    HardGame game;
    BackBuffer buffer;
    createBackBuffer(buffer, screenWidth, bufferHeight);
    if (buffer.glyphAtlas.isNull() || buffer.segmentTiles.isNull()) {
        run.SkipWithError("the bundled pictures did not load");
        return;
    }
    GameWorld& world = game.world;
    onPaint(buffer, world.state, world.board, world.settings, world.statistics, world.window);
    std::size_t i = 0;
    for (auto _ : run) {
        game.step(i);
        const Rect shown = onPaint(buffer, world.state, world.board, world.settings,
                                   world.statistics, world.window);
        benchmark::DoNotOptimize(shown);
        benchmark::ClobberMemory();
    }
}

BENCHMARK(stylusMoveHandler)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(stylusMoveToPresentedFrame)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace
} // namespace kelvaro
