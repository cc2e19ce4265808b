// Passes that absorb the cells the random walks left empty.
#pragma once

#include "engine/board.h"
#include "engine/random_source.h"

namespace kelvaro {

// Lengthens lines into empty cells next to their endpoints; returns the cells filled.
int fillGaps(Board& board, RandomSource& random);

// Reroutes one link of a line through two empty cells beside it.
void addDetours(Board& board);

// Fills one empty cell by cutting a neighbouring line at a corner; 1 when done (k grows).
int splitAtCorner(Board& board, RandomSource& random, std::int8_t& k);

} // namespace kelvaro
