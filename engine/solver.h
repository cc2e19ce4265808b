// Counting the solutions of a puzzle, to tell puzzles with exactly one solution from the others.
#pragma once

#include "engine/board.h"

#include <cstdint>

namespace kelvaro {

// The answer of countSolutions: how many complete grids the puzzle has, stopping at two.
enum SolutionCount : int {
    unknownSolutions = -1, // the step budget ran out first
    noSolution = 0,
    oneSolution = 1,
    severalSolutions = 2, // two or more
};

struct SolveResult {
    SolutionCount solutions = unknownSolutions;
    std::int32_t steps = 0; // search states examined, the same on every machine
};

// Counts, up to 2, the grids that solve the puzzle on the board: the endpoints of `solution` and,
// at each, the length in `solutionLength` (as the generator leaves them). A grid solves it when
// every pair is linked by a line of exactly its length, no two lines share a cell and no cell is
// empty. The segment cells of `solution` are not read. A symbol without exactly two endpoints, or
// whose two endpoints disagree on the length, has no solution. Gives up with unknownSolutions
// after `stepBudget` steps. Allocates nothing and keeps its working state on the stack (a few
// kilobytes), so it may run on any thread.
SolveResult countSolutions(const Board& board, std::int32_t stepBudget);

// The same count for the puzzle as the player sees it: the endpoints and their lengths, with no
// symbols. Any two endpoints showing the same length may be linked by a line of that length, so
// a grid that pairs them otherwise than the symbols do counts too. Every way of pairing is tried
// in turn, sharing one step budget.
SolveResult countShownSolutions(const Board& board, std::int32_t stepBudget);

} // namespace kelvaro
