// One stylus move over a 12 x 12 board: the handler (drawing step, traces, testSolved), and
// the handler followed by the stroke paint it asks for.
#include "engine/random_source.h"
#include "game/game.h"
#include "gui_application.h"
#include "quiet_window.h"
#include "render/back_buffer.h"
#include "render/board_painter.h"
#include "store/memory_registry.h"
#include "store/settings_store.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace kelvaro {
namespace {

// Every cell of the board, column by column, down and up in turn: each step is a move to a
// neighbour, so every move is a drawing step that writes a code.
std::vector<Point> snakePixels(const GameState& state) {
    std::vector<Point> path;
    for (int x = 0; x < 12; ++x)
        for (int i = 0; i < 12; ++i) {
            const int y = x % 2 == 0 ? i : 11 - i;
            path.push_back({state.boardLeft + 20 * x + 10, state.boardTop + 20 * y + 10});
        }
    return path;
}

struct HardGame {
    QuietWindow window;
    MemoryRegistry registry;
    Mt19937Source random{7};
    GameWorld world{registry, window, random};
    std::vector<Point> path;
    Layer startGrid{};

    HardGame() {
        world.settings.difficulty = 2;
        saveSettings(world.settings, world.statistics, registry);
        newGame(world);
        path = snakePixels(world.state);
        startGrid = world.board.grid;
        onStylusDown(world, path[0].x, path[0].y);
    }

    // One move along the snake; a new lap starts on the game's first grid, as the snake
    // never solves the puzzle.
    void step(std::size_t& i) {
        if (++i == path.size()) {
            i = 0;
            world.board.grid = startGrid;
        }
        onStylusMove(world, path[i].x, path[i].y);
    }
};

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
