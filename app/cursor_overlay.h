// The keyboard's cursor, drawn by the shell over the presented picture and never into the back
// buffer: a frame two buffer pixels wide around the cursor's cell.
#pragma once

#include "game/game_world.h"

#include <QColor>
#include <QRect>

class QPainter;

namespace kelvaro {

struct GameAreaPlacement;

// Orange stands out on the mauve tiles, on the silver pipes and on every line colour.
constexpr QRgb cursorFrameColour = 0xFFFF8000;
constexpr int cursorFrameBufferPixels = 2;
constexpr QRgb cursorEdgeColour = 0xFF000000;

// Where the frame belongs in the widget now; empty when the cursor is not to be seen.
QRect wantedCursorFrame(const GameWorld& world, const GameAreaPlacement& placement);

// Where the frame is drawn now, in device pixels; empty when the cursor is not to be seen.
QRect deviceCursorFrame(const GameWorld& world, const GameAreaPlacement& placement);

// Paints the frame around `cell` (device pixels), `factor` device pixels per buffer pixel.
// With `edged` (Clear colours) the orange runs between two black lines, one on the cell's
// edge and one inside it, so that it stands out whatever the cell and its neighbours show.
void paintCursorFrame(QPainter& painter, const QRect& cell, int factor, bool edged = false);

} // namespace kelvaro
