// Undo and redo of a 100-cell step on a 12 x 12 board, the handler alone; and the memory a
// history of 1,000 ten-cell steps takes.
#include "engine/random_source.h"
#include "game/game.h"
#include "quiet_window.h"
#include "store/memory_registry.h"
#include "store/settings_store.h"

#include <benchmark/benchmark.h>

namespace kelvaro {
namespace {

int changedCells(const Layer& a, const Layer& b) {
    int count = 0;
    for (int i = 0; i < layerCells; ++i) count += a[i] != b[i];
    return count;
}

// A hard game with one step in its history: a stroke snaking column by column until it has
// changed 100 cells.
struct HundredCellStep {
    QuietWindow window;
    MemoryRegistry registry;
    Mt19937Source random{7};
    GameWorld world{registry, window, random};

    HundredCellStep() {
        world.settings.difficulty = 2;
        saveSettings(world.settings, world.statistics, registry);
        newGame(world);
        const Layer start = world.board.grid;
        const auto centre = [this](int x, int y) {
            return Point{world.state.boardLeft + 20 * x + 10, world.state.boardTop + 20 * y + 10};
        };
        onStylusDown(world, centre(0, 0).x, centre(0, 0).y);
        for (int step = 1; step < 144 && changedCells(start, world.board.grid) < 100; ++step) {
            const int x = step / 12, i = step % 12;
            const Point p = centre(x, x % 2 == 0 ? i : 11 - i);
            onStylusMove(world, p.x, p.y);
        }
        onStylusUp(world);
    }
};

void undoRedoHandler(benchmark::State& run) {
    HundredCellStep game;
    GameWorld& world = game.world;
    if (world.history.changes.size() != 100 || world.state.gamePhase != phasePlaying) {
        run.SkipWithError("no 100-cell step to undo");
        return;
    }
    for (auto _ : run) {
        if (canUndo(world.history))
            undoCommand(world);
        else
            redoCommand(world);
        benchmark::ClobberMemory();
    }
    run.counters["cells"] = static_cast<double>(world.history.changes.size());
    if (world.state.gamePhase != phasePlaying) run.SkipWithError("the step finished the game");
}

// What a history holds after 1,000 steps of ten cells each, with what its vectors reserved.
void historyOfAThousandTenCellSteps(benchmark::State& run) {
    std::size_t bytes = 0;
    for (auto _ : run) {
        UndoHistory history;
        Board board;
        board.boardSize = 12;
        for (int step = 0; step < 1000; ++step) {
            beginStep(history, board);
            for (int c = 0; c < 10; ++c) board.grid[(step * 10 + c) % layerCells] ^= 1;
            endStep(history, board);
        }
        bytes = sizeof history + history.changes.capacity() * sizeof(CellChange) +
                history.stepEnds.capacity() * sizeof(std::uint32_t);
        benchmark::DoNotOptimize(bytes);
    }
    run.counters["history KB"] = static_cast<double>(bytes) / 1024.0;
}

BENCHMARK(undoRedoHandler)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(historyOfAThousandTenCellSteps)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace kelvaro
