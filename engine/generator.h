// Random puzzle generation.
#pragma once

#include "engine/board.h"
#include "engine/random_source.h"

namespace kelvaro {

// Makes a new puzzle of side board.boardSize in up to 20 attempts. Reports nothing:
// callers learn of a failure from checkGrid(solution). (A last attempt rejected only for having
// exactly 19 lines leaves a sound puzzle numbered 1..19, which checkGrid accepts; with more lines
// the numbers above 19 are faults.)
void generatePuzzle(Board& board, RandomSource& random);

// One attempt: 0 when accepted, otherwise positive.
int generateAttempt(Board& board, RandomSource& random);

// Finds the first cell P of a new line and the direction d from P to its second cell.
bool findLineStart(Board& board, RandomSource& random, int& px, int& py, int& d);

// Lays a line of symbol s from P, first stepping in direction d; returns its cell count.
int walkLine(Board& board, RandomSource& random, int px, int py, int d, int limit, std::int8_t s);

// The cell limit of one walk, both endpoints included: one draw, at most 25.
int drawLineLimit(int n, RandomSource& random);

// The end of an attempt once all lines are laid, k being the symbol counter: rejects 19 or more
// lines, numbers the lines with shuffled symbols and returns checkGrid(solution).
int finishAttempt(Board& board, RandomSource& random, int k);

// generatePuzzle that also tells how it went: the number (1 to 20) of the accepted attempt,
// or 0 when all 20 failed.
int generatePuzzleCounting(Board& board, RandomSource& random);

// Permutes the first m entries of list by m * 100 random swaps.
void shuffleSymbols(std::int8_t* list, int m, RandomSource& random);

} // namespace kelvaro
