#include "game/kept_game_board.h"

#include "engine/checker.h"
#include "engine/ladder.h"
#include "engine/puzzle_number.h"
#include "game/lifecycle.h"
#include "game/puzzle_commands.h"
#include "game/unique_puzzles.h"
#include "model/layout.h"

#include <cstddef>
#include <limits>

namespace kelvaro {

namespace {

constexpr std::uint32_t maxClockMs = std::numeric_limits<std::int32_t>::max();

// What the player's grid may hold outside the endpoints: nothing, or one of the six pieces.
bool isPiece(std::int8_t code) {
    switch (code) {
    case 0:
    case -12:
    case -13:
    case -14:
    case -23:
    case -24:
    case -34:
        return true;
    default:
        return false;
    }
}

std::size_t keptIndex(int side, int x, int y) {
    return static_cast<std::size_t>(y * side + x);
}

std::uint32_t elapsedOf(const GameWorld& world) {
    const GameState& state = world.state;
    const std::uint32_t until =
        state.gamePhase == phasePaused ? state.pauseTick : world.window.tickCount();
    const std::uint32_t elapsed = until - state.startTick;
    return elapsed < maxClockMs ? elapsed : maxClockMs;
}

// Every cell as the puzzle allows: endpoints exactly the puzzle's, pieces elsewhere, revealed
// cells as the solution has them; the penalty is one cell for each revealed piece.
bool gridFits(const Board& puzzle, const KeptGame& kept) {
    int revealedPieces = 0;
    for (int x = 0; x < kept.side; ++x)
        for (int y = 0; y < kept.side; ++y) {
            const std::int8_t solution = puzzle.solution[cellIndex(x, y)];
            const std::int8_t code = kept.grid[keptIndex(kept.side, x, y)];
            const bool revealed = kept.revealed[keptIndex(kept.side, x, y)] != 0;
            if (solution > 0 ? code != solution : !isPiece(code)) return false;
            if (revealed && code != solution) return false;
            if (revealed && solution < 0) ++revealedPieces;
        }
    return kept.penaltyCells == revealedPieces;
}

// Undoing the applied steps from the kept grid, and redoing the others from it, must find
// every cell as the step says it left it; revealed cells belong to the hint and are skipped,
// as undo and redo skip them.
bool historyApplies(const Board& puzzle, const KeptGame& kept) {
    const int side = kept.side;
    for (const auto& step : kept.steps)
        for (const KeptChange& change : step) {
            if (change.x >= side || change.y >= side) return false;
            if (puzzle.solution[cellIndex(change.x, change.y)] > 0) return false;
            if (!isPiece(change.before) || !isPiece(change.after)) return false;
            if (change.before == change.after) return false;
        }
    const auto walk = [&](std::size_t from, std::size_t to, bool undo) {
        std::vector<std::int8_t> grid = kept.grid;
        for (std::size_t s = from; s != to; undo ? --s : ++s) {
            const auto& step = kept.steps[undo ? s - 1 : s];
            for (std::size_t c = 0; c < step.size(); ++c) {
                const KeptChange& change = step[undo ? step.size() - 1 - c : c];
                const std::size_t i = keptIndex(side, change.x, change.y);
                if (kept.revealed[i] != 0) continue;
                if (grid[i] != (undo ? change.after : change.before)) return false;
                grid[i] = undo ? change.before : change.after;
            }
        }
        return true;
    };
    const auto done = static_cast<std::size_t>(kept.done);
    return walk(done, 0, true) && walk(done, kept.steps.size(), false);
}

void putHistory(UndoHistory& history, const KeptGame& kept) {
    clearHistory(history);
    for (const auto& step : kept.steps) {
        for (const KeptChange& change : step)
            history.changes.push_back({static_cast<std::uint8_t>(cellIndex(change.x, change.y)),
                                       change.before, change.after});
        history.stepEnds.push_back(static_cast<std::uint32_t>(history.changes.size()));
    }
    history.done = static_cast<std::size_t>(kept.done);
}

} // namespace

KeptGame captureKeptGame(const GameWorld& world) {
    const Board& board = world.board;
    const GameState& state = world.state;
    KeptGame kept;
    kept.puzzle = puzzleNumberText(world);
    kept.practice = world.practiceGame;
    kept.clockMs = static_cast<std::int32_t>(elapsedOf(world));
    kept.penaltyCells = state.penaltyCells;
    kept.tapCount = state.tapCount;
    kept.side = boardSide(board);
    kept.grid.resize(static_cast<std::size_t>(kept.side * kept.side));
    kept.revealed.resize(kept.grid.size());
    for (int x = 0; x < kept.side; ++x)
        for (int y = 0; y < kept.side; ++y) {
            kept.grid[keptIndex(kept.side, x, y)] = board.grid[cellIndex(x, y)];
            kept.revealed[keptIndex(kept.side, x, y)] = board.revealed[cellIndex(x, y)] != 0;
        }

    // A stroke under way ends here as its lift would end it, on a copy.
    const UndoHistory* history = &world.history;
    UndoHistory lifted;
    if (world.history.stepOpen) {
        lifted = world.history;
        endStep(lifted, board);
        history = &lifted;
    }
    kept.steps.resize(history->stepEnds.size());
    std::size_t begin = 0;
    for (std::size_t s = 0; s < history->stepEnds.size(); ++s) {
        for (std::size_t c = begin; c < history->stepEnds[s]; ++c) {
            const CellChange& change = history->changes[c];
            kept.steps[s].push_back({static_cast<std::int8_t>(change.index / storageSide),
                                     static_cast<std::int8_t>(change.index % storageSide),
                                     change.before, change.after});
        }
        begin = history->stepEnds[s];
    }
    kept.done = static_cast<std::int32_t>(history->done);

    const bool cursorOnBoard = inBoard(board, world.pen.x, world.pen.y) != 0;
    kept.cursorX = cursorOnBoard ? world.pen.x : 0;
    kept.cursorY = cursorOnBoard ? world.pen.y : 0;
    kept.cursorShown = world.pen.shown;
    return kept;
}

bool restoreKeptGame(GameWorld& world, const KeptGame& kept) {
    PuzzleNumber number;
    if (!parsePuzzleNumber(kept.puzzle, number) || !isPuzzleSize(number.size) ||
        number.size != kept.side)
        return false;
    const auto cells = static_cast<std::size_t>(kept.side * kept.side);
    if (kept.grid.size() != cells || kept.revealed.size() != cells || kept.tapCount <= 0 ||
        kept.cursorX >= kept.side || kept.cursorY >= kept.side || kept.done < 0 ||
        static_cast<std::size_t>(kept.done) > kept.steps.size())
        return false;
    // The puzzle made again from its number; a unique number whose search ends on the plain
    // puzzle names another puzzle than the kept game's.
    Board puzzle;
    if (!generateNumberedPuzzle(puzzle, world.random, number)) return false;
    if (!gridFits(puzzle, kept) || !historyApplies(puzzle, kept)) return false;
    Board board = puzzle;
    for (int x = 0; x < kept.side; ++x)
        for (int y = 0; y < kept.side; ++y) {
            board.grid[cellIndex(x, y)] = kept.grid[keptIndex(kept.side, x, y)];
            board.revealed[cellIndex(x, y)] = kept.revealed[keptIndex(kept.side, x, y)];
        }
    // A solved grid finishes its game at once; a kept one never is.
    if (testSolved(board) <= 0) return false;

    cancelPreparation(world.preparation);
    world.board = board;
    if (number.unique) {
        world.keptPuzzle = puzzle;
        world.keptNumber = number;
        // The level the search found, worked out again: the ladder gives it the same every time.
        world.keptLevel = gradePuzzle(puzzle, gradeStepBudget).level;
    }
    world.puzzle = number;
    world.puzzleLevel = number.unique ? world.keptLevel : 0;
    // A game of another size than the difficulty's could only go into the wrong records.
    world.practiceGame =
        kept.practice || number.size != sideForDifficulty(world.settings.difficulty);
    world.practiceNoticeDue = false;

    GameState& state = world.state;
    const std::uint32_t now = world.window.tickCount();
    state.gamePhase = phasePaused;
    state.exampleMode = 0;
    state.tapCount = kept.tapCount;
    state.penaltyCells = kept.penaltyCells;
    state.solveState = -1;
    state.finalTime = 0;
    state.hintMode = 0;
    state.pauseTick = now;
    state.nowTick = now;
    const std::uint32_t start = now - static_cast<std::uint32_t>(kept.clockMs);
    state.startTick = start != 0 ? start : 1; // 0 would mean a clock not started
    state.curX = state.curY = state.prevX = state.prevY = -1;
    state.partnerX = state.partnerY = -1;
    state.lastStylusTick = 0;
    state.stylusLifted = 0;
    state.justErased = 0;
    placeBoard(state, world.board);
    clearLayer(world.board.traceMarks);

    putHistory(world.history, kept);
    world.pen = KeyboardPen{};
    world.pen.x = kept.cursorX;
    world.pen.y = kept.cursorY;
    world.pen.shown = kept.cursorShown;
    requestWholeRepaint(world);
    return true;
}

} // namespace kelvaro
