// Undo and redo of a 100-cell step on a 12 x 12 board, the handler alone; and the memory a
// history of 1,000 ten-cell steps takes.
#include "game/game.h"
#include "hard_game.h"

#include <benchmark/benchmark.h>

namespace kelvaro {
namespace {

int changedCells(const Layer& a, const Layer& b) {
    int count = 0;
    for (int i = 0; i < layerCells; ++i) count += a[i] != b[i];
    return count;
}

// Draws along the snake until the stroke has changed 100 cells, and lifts: one step in the
// history.
void strokeOfAHundredCells(HardGame& game) {
    std::size_t i = 0;
    while (i + 1 < game.path.size() && changedCells(game.startGrid, game.world.board.grid) < 100)
        game.step(i);
    onStylusUp(game.world);
}

void undoRedoHandler(benchmark::State& run) {
    HardGame game;
    strokeOfAHundredCells(game);
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
