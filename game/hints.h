// The Hint command and the reveal of one solution line that follows it.
#pragma once

#include "game/game_world.h"
#include "store/statistics.h"

namespace kelvaro {

// Every revealed segment cell, and every mismatching cell when the solution is shown.
constexpr std::int32_t penaltyPerCellMs = penaltyCellTime;

void askHint(GameWorld& world);

// Copies the solution's line through the board cell (x, y) into the grid and charges its
// segment cells; a cell already revealed uses up the hint for nothing.
void revealLine(GameWorld& world, int x, int y);

} // namespace kelvaro
