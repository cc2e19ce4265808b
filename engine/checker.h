// Judging a layer as a finished puzzle.
#pragma once

#include "engine/board.h"

namespace kelvaro {

// 0 for a correct, complete layer; otherwise a positive number of problems.
// Writes errors and the layer's length layer; leaves traceMarks as it found them.
int checkGrid(Board& board, int layer);

// Rewrites solutionOwner or gridOwner: the symbol of the line covering each cell.
void computeOwners(Board& board, int layer);

// Recomputes gridOwner, then counts the cells whose owner differs from solutionOwner.
int countOwnerDifferences(Board& board);

// 1 not solved; 0 solved with the generated lines; -1 solved along other routes.
int testSolved(Board& board);

} // namespace kelvaro
