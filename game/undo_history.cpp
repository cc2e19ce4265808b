#include "game/undo_history.h"

namespace kelvaro {

namespace {

std::size_t stepBegin(const UndoHistory& history, std::size_t step) {
    return step == 0 ? 0 : history.stepEnds[step - 1];
}

} // namespace

void clearHistory(UndoHistory& history) {
    history.changes.clear();
    history.stepEnds.clear();
    history.done = 0;
    history.stepOpen = false;
}

void beginStep(UndoHistory& history, const Board& board) {
    if (history.stepOpen) return;
    history.stepStart = board.grid;
    history.stepOpen = true;
}

void endStep(UndoHistory& history, const Board& board) {
    if (!history.stepOpen) return;
    history.stepOpen = false;
    const std::size_t keep = stepBegin(history, history.done);
    const std::size_t mark = history.changes.size();
    for (int i = 0; i < layerCells; ++i) {
        if (board.grid[i] == history.stepStart[i] || board.revealed[i] != 0) continue;
        history.changes.push_back(
            {static_cast<std::uint8_t>(i), history.stepStart[i], board.grid[i]});
    }
    if (history.changes.size() == mark) return;
    // The new step replaces whatever could have been redone.
    history.changes.erase(history.changes.begin() + static_cast<std::ptrdiff_t>(keep),
                          history.changes.begin() + static_cast<std::ptrdiff_t>(mark));
    history.stepEnds.resize(history.done);
    history.stepEnds.push_back(static_cast<std::uint32_t>(history.changes.size()));
    ++history.done;
}

bool canUndo(const UndoHistory& history) {
    return history.done > 0;
}

bool canRedo(const UndoHistory& history) {
    return history.done < history.stepEnds.size();
}

bool undoStep(UndoHistory& history, Board& board) {
    if (!canUndo(history)) return false;
    --history.done;
    const std::size_t end = history.stepEnds[history.done];
    for (std::size_t c = stepBegin(history, history.done); c < end; ++c) {
        const CellChange& change = history.changes[c];
        if (board.revealed[change.index] == 0) board.grid[change.index] = change.before;
    }
    return true;
}

bool redoStep(UndoHistory& history, Board& board) {
    if (!canRedo(history)) return false;
    const std::size_t end = history.stepEnds[history.done];
    for (std::size_t c = stepBegin(history, history.done); c < end; ++c) {
        const CellChange& change = history.changes[c];
        if (board.revealed[change.index] == 0) board.grid[change.index] = change.after;
    }
    ++history.done;
    return true;
}

} // namespace kelvaro
