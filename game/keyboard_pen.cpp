#include "game/keyboard_pen.h"

#include "game/stylus.h"
#include "game/unique_puzzles.h"
#include "model/layout.h"

namespace kelvaro {

namespace {

Point cursorCentre(const GameWorld& world) {
    const GameState& state = world.state;
    return {state.boardLeft + cellPixels * world.pen.x + cellPixels / 2,
            state.boardTop + cellPixels * world.pen.y + cellPixels / 2};
}

void press(GameWorld& world) {
    const Point at = cursorCentre(world);
    onStylusDown(world, at.x, at.y);
}

void tap(GameWorld& world) {
    press(world);
    onStylusUp(world);
}

bool splashShowing(const GameWorld& world) {
    return world.state.splashTick != 0;
}

// What Space and Delete do before they reach the board: the cursor put back on it, the splash
// ended by a tap, and nothing at all while the empty board waits for its puzzle. True when the
// key is spent.
bool spentBeforeTheBoard(GameWorld& world) {
    KeyboardPen& pen = world.pen;
    if (!inBoard(world.board, pen.x, pen.y)) pen.x = pen.y = 0;
    if (splashShowing(world)) {
        tap(world);
        return true;
    }
    return preparingPuzzle(world);
}

} // namespace

void resetKeyboardPen(KeyboardPen& pen) {
    pen = KeyboardPen{};
}

void keyboardArrow(GameWorld& world, int direction) {
    KeyboardPen& pen = world.pen;
    // Nothing of the board shows under the splash or the pause sign: a key only ends the
    // splash, the way a tap does, and waits while paused.
    if (splashShowing(world)) {
        tap(world);
        return;
    }
    if (world.state.gamePhase == phasePaused || preparingPuzzle(world)) return;
    if (!pen.shown || !inBoard(world.board, pen.x, pen.y)) {
        pen.shown = true;
        if (!inBoard(world.board, pen.x, pen.y)) pen.x = pen.y = 0;
        return;
    }
    int x = pen.x, y = pen.y;
    stepCell(direction, x, y);
    if (!inBoard(world.board, x, y)) return;
    pen.x = static_cast<std::int8_t>(x);
    pen.y = static_cast<std::int8_t>(y);
    if (!pen.down) return;
    const Point at = cursorCentre(world);
    onStylusMove(world, at.x, at.y);
}

void keyboardSpace(GameWorld& world) {
    if (spentBeforeTheBoard(world)) return;
    KeyboardPen& pen = world.pen;
    pen.shown = true;
    if (world.state.gamePhase == phasePaused) {
        liftKeyboardPen(world);
        tap(world);
        return;
    }
    if (pen.down) {
        liftKeyboardPen(world);
        return;
    }
    // Down before the press: anything the press opens (a message box) lifts it first.
    pen.down = true;
    press(world);
}

void keyboardErase(GameWorld& world) {
    if (spentBeforeTheBoard(world)) return;
    liftKeyboardPen(world);
    world.pen.shown = true;
    const Point at = cursorCentre(world);
    onStylusDown(world, at.x, at.y);
    onStylusUp(world);
    onStylusDoubleTap(world, at.x, at.y);
    onStylusUp(world);
}

void liftKeyboardPen(GameWorld& world) {
    if (!world.pen.down) return;
    world.pen.down = false;
    onStylusUp(world);
}

void followMousePress(GameWorld& world, int px, int py) {
    liftKeyboardPen(world);
    KeyboardPen& pen = world.pen;
    pen.shown = false;
    const Cell cell = cellFromPixel(world.state, px, py);
    if (inBoard(world.board, cell.x, cell.y)) {
        pen.x = cell.x;
        pen.y = cell.y;
    }
}

bool keyboardCursorVisible(const GameWorld& world) {
    return world.pen.shown && world.state.splashTick == 0 && world.state.gamePhase != phasePaused &&
           !preparingPuzzle(world) && inBoard(world.board, world.pen.x, world.pen.y);
}

Rect keyboardCursorRect(const GameWorld& world) {
    const int left = world.state.boardLeft + cellPixels * world.pen.x;
    const int top = world.state.boardTop + cellPixels * world.pen.y;
    return {left, top, left + cellPixels, top + cellPixels};
}

} // namespace kelvaro
