// The four stylus handlers and the drawing step. Positions are back-buffer pixels.
#pragma once

#include "engine/board.h"
#include "game/game_world.h"

#include <cstdint>

namespace kelvaro {

// A touch this long after the last one, once the stylus was lifted, starts a new stroke.
constexpr std::uint32_t strokeTimeoutMs = 2000;

// The trace mark that lights the endpoint the traced line is heading for.
constexpr std::int8_t partnerMark = 50;

// The cell under a pixel: -1 left of or above the board; far right or below, a coordinate
// of 12, which no board reaches, so that no position can wrap round into a board cell.
Cell cellFromPixel(const GameState& state, int px, int py);

void onStylusDown(GameWorld& world, int px, int py);
void onStylusMove(GameWorld& world, int px, int py);
void onStylusDoubleTap(GameWorld& world, int px, int py);
void onStylusUp(GameWorld& world);

// Moves the line head to the board cell (x, y), writing the code of the cell it leaves, then
// traces the line and lights its partner endpoint.
void drawStep(GameWorld& world, int x, int y);

} // namespace kelvaro
