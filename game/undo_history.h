// The player's steps, to undo and redo: each step keeps only the grid cells it changed.
#pragma once

#include "engine/board.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace kelvaro {

struct CellChange {
    std::uint8_t index; // storage index of the cell
    std::int8_t before;
    std::int8_t after;
};

// Steps are stored one after the other in `changes`; step i ends at stepEnds[i]. The first
// `done` steps are applied; the ones after them can be redone.
struct UndoHistory {
    std::vector<CellChange> changes;
    std::vector<std::uint32_t> stepEnds;
    std::size_t done = 0;
    bool stepOpen = false; // between a press and its lift
    Layer stepStart{};     // the grid when the open step began
};

// Forgets every step, the open one too.
void clearHistory(UndoHistory& history);

// A press: remembers the grid, unless a step is open already (the moves of one stroke).
void beginStep(UndoHistory& history, const Board& board);

// A lift: the cells the open step changed become a step, unless it changed none; a new step
// drops the steps that could have been redone. Revealed cells are the hint's, never a step's.
void endStep(UndoHistory& history, const Board& board);

bool canUndo(const UndoHistory& history);
bool canRedo(const UndoHistory& history);

// Puts back the cells of the last applied step, or applies the next one again; revealed cells
// stay as the hint left them. False when there was no step to move over.
bool undoStep(UndoHistory& history, Board& board);
bool redoStep(UndoHistory& history, Board& board);

} // namespace kelvaro
