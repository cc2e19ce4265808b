// Play without a mouse: a cursor cell moved by the arrow keys and a pen put down and lifted
// with Space. The keyboard is one more stylus: every key ends in the four stylus handlers,
// called with the centre of the cursor's cell, so every rule of drawing holds unchanged.
#pragma once

#include "engine/board.h"
#include "game/game_world.h"

#include <cstdint>

namespace kelvaro {

// Puts the cursor back on the top-left cell, hidden until the next arrow key, pen up. Every
// new game, restart, replay and example starts so.
void resetKeyboardPen(KeyboardPen& pen);

// An arrow key (dirUp .. dirLeft). A hidden cursor is only shown; a shown one moves one cell,
// stopping at the board's edge, and with the pen down the move is a stylus move there.
void keyboardArrow(GameWorld& world, int direction);

// Space: the pen goes down on the cursor's cell (a stylus down) or is lifted (a stylus up).
// While paused it is a tap, which resumes, and the pen stays up.
void keyboardSpace(GameWorld& world);

// Delete and BackSpace: a double tap on the cursor's cell (down, up, double tap, up).
void keyboardErase(GameWorld& world);

// Lifts a pen that is down, as a stylus up; nothing when it is up.
void liftKeyboardPen(GameWorld& world);

// A mouse press at this buffer pixel: the pen is lifted first, and the cursor hides and
// moves to the pressed cell (when on the board) until the next arrow key.
void followMousePress(GameWorld& world, int px, int py);

// Whether the shell draws the cursor: shown, on the board, and neither the splash nor the
// pause showing.
bool keyboardCursorVisible(const GameWorld& world);

// The buffer rectangle of the cursor's cell.
Rect keyboardCursorRect(const GameWorld& world);

} // namespace kelvaro
