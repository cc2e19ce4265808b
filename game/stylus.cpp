#include "game/stylus.h"

#include "engine/checker.h"
#include "engine/trace.h"
#include "game/finish.h"
#include "game/game_keeping.h"
#include "game/hints.h"
#include "game/lifecycle.h"
#include "game/unique_puzzles.h"

#include <cstdlib>

namespace kelvaro {

static std::int8_t cellCoordinate(int pixel, int origin) {
    if (pixel < origin) return -1;
    const int cell = (pixel - origin) / cellPixels;
    return static_cast<std::int8_t>(cell < storageSide ? cell : storageSide);
}

Cell cellFromPixel(const GameState& state, int px, int py) {
    return Cell{cellCoordinate(px, state.boardLeft), cellCoordinate(py, state.boardTop)};
}

static void forgetStroke(GameState& state) {
    state.curX = state.curY = state.prevX = state.prevY = -1;
}

static bool nextTo(int ax, int ay, int bx, int by) {
    return (ax == bx && std::abs(ay - by) == 1) || (ay == by && std::abs(ax - bx) == 1);
}

// Any press while the splash shows only ends it; the pressed cell becomes current.
static void pressDuringSplash(GameWorld& world, Cell cell) {
    GameState& state = world.state;
    endSplash(world);
    state.curX = cell.x;
    state.curY = cell.y;
    state.prevX = state.prevY = -1;
    world.window.requestRepaint();
    world.window.updateNow();
}

// A startTick of 0 means "clock not started", so a clock that would start on tick 0 (once
// in 49 days of ticks) starts a millisecond later instead of refusing Hint and Pause.
static std::uint32_t clockStart(std::uint32_t tick) {
    return tick != 0 ? tick : 1;
}

static void resumeGame(GameWorld& world, std::uint32_t now) {
    GameState& state = world.state;
    state.startTick = clockStart(state.startTick + (now - state.pauseTick));
    state.gamePhase = phasePlaying;
    startWindowTimer(world, clockPeriodMs);
}

static void boardEvent(GameWorld& world, Cell cell, std::uint32_t now) {
    GameState& state = world.state;
    if (state.tapCount == 0) {
        state.startTick = clockStart(now);
        startWindowTimer(world, clockPeriodMs);
    }
    state.tapCount += 1;
    if (state.hintMode == 1) {
        revealLine(world, cell.x, cell.y);
    } else if (state.justErased == 0) {
        drawStep(world, cell.x, cell.y);
        state.repaintMode = repaintStroke;
    }
    if (testSolved(world.board) <= 0) finishGame(world);
}

static void press(GameWorld& world, int px, int py) {
    GameState& state = world.state;
    Board& board = world.board;
    const Cell cell = cellFromPixel(state, px, py);
    state.repaintMode = repaintWhole;
    state.partnerX = state.partnerY = -1;
    if (state.splashTick != 0) {
        pressDuringSplash(world, cell);
        return;
    }

    const std::uint32_t now = world.window.tickCount();
    if (now - state.lastStylusTick > strokeTimeoutMs && state.stylusLifted == 1)
        forgetStroke(state);
    state.lastStylusTick = now;
    state.stylusLifted = 0;

    const bool onBoard = inBoard(board, cell.x, cell.y) != 0;
    if (state.gamePhase == phasePaused) {
        resumeGame(world, now);
    } else if (state.gamePhase == phaseFinished) {
        state.curX = cell.x;
        state.curY = cell.y;
        state.hintMode = -1;
        if (onBoard)
            traceLine(board, gridLayer, cell.x, cell.y);
        else
            clearLayer(board.traceMarks);
    } else if (onBoard) {
        boardEvent(world, cell, now);
    } else {
        forgetStroke(state);
        clearLayer(board.traceMarks);
        state.hintMode = 0;
    }
    state.justErased = 0;
    world.window.requestRepaint();
}

// While the puzzle is being prepared the board is empty and takes nothing; a touch only ends
// the splash, as it always does. True when the event is used up so.
static bool waitingForPuzzle(GameWorld& world, int px, int py) {
    if (!preparingPuzzle(world)) return false;
    if (world.state.splashTick != 0) pressDuringSplash(world, cellFromPixel(world.state, px, py));
    return true;
}

void onStylusDown(GameWorld& world, int px, int py) {
    if (waitingForPuzzle(world, px, py)) return;
    // A press with a step still open lost its lift (a message box took it): that step ends here.
    endStep(world.history, world.board);
    beginStep(world.history, world.board);
    press(world, px, py);
}

void onStylusMove(GameWorld& world, int px, int py) {
    if (waitingForPuzzle(world, px, py)) return;
    beginStep(world.history, world.board);
    press(world, px, py);
}

void onStylusDoubleTap(GameWorld& world, int px, int py) {
    GameState& state = world.state;
    Board& board = world.board;
    if (waitingForPuzzle(world, px, py)) return;
    const Cell cell = cellFromPixel(state, px, py);
    // The erase is a step of its own, after the first tap's.
    beginStep(world.history, board);
    if (state.splashTick != 0) {
        pressDuringSplash(world, cell);
        return;
    }
    if (cell.x != state.curX || cell.y != state.curY) {
        press(world, px, py);
        return;
    }
    forgetStroke(state);
    if (inBoard(board, cell.x, cell.y) && state.gamePhase == phasePlaying &&
        cellAt(board, board.solution, cell.x, cell.y) < 0 &&
        cellAt(board, board.revealed, cell.x, cell.y) == 0) {
        setCell(board, board.grid, cell.x, cell.y, 0);
        testSolved(board);
    }
    state.justErased = 1;
}

void onStylusUp(GameWorld& world) {
    GameState& state = world.state;
    Board& board = world.board;
    if (preparingPuzzle(world)) return;
    endStep(world.history, board);
    clearLayer(board.traceMarks);
    if (state.gamePhase == phaseFinished) {
        state.hintMode = 0;
        if (inBoard(board, state.curX, state.curY))
            traceLine(board, solutionLayer, state.curX, state.curY);
    }
    state.stylusLifted = 1;
    requestWholeRepaint(world);
    // A lift ends every step of the stylus's: a stroke, an erase, a reveal.
    keepAfterStep(world);
}

// Lights the other endpoint of the last traced endpoint's pair, unless the trace holds both.
static void lightPartner(GameWorld& world) {
    Board& board = world.board;
    GameState& state = world.state;
    const int n = boardSide(board);
    std::int8_t symbol = 0;
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            const int i = cellIndex(x, y);
            if (board.solution[i] > 0 && board.traceMarks[i] != 0) symbol = board.solution[i];
        }
    if (symbol == 0) return;
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            const int i = cellIndex(x, y);
            if (board.solution[i] == symbol && board.traceMarks[i] == 0) {
                board.traceMarks[i] = partnerMark;
                state.partnerX = static_cast<std::int8_t>(x);
                state.partnerY = static_cast<std::int8_t>(y);
            }
        }
}

void drawStep(GameWorld& world, int x, int y) {
    GameState& state = world.state;
    Board& board = world.board;
    if (x != state.curX || y != state.curY) {
        if (!nextTo(x, y, state.curX, state.curY)) forgetStroke(state);
        const int hx = state.curX, hy = state.curY;
        const bool steppingBack = x == state.prevX && y == state.prevY;
        if (state.prevX >= 0 && cellAt(board, board.grid, hx, hy) <= 0 && !steppingBack &&
            cellAt(board, board.revealed, hx, hy) == 0) {
            setCell(board, board.grid, hx, hy,
                    segmentCodeFor(state.prevX, state.prevY, hx, hy, x, y));
        }
        state.prevX = state.curX;
        state.prevY = state.curY;
        state.curX = static_cast<std::int8_t>(x);
        state.curY = static_cast<std::int8_t>(y);
    }

    int length = 0;
    if (cellAt(board, board.grid, x, y) != 0)
        length = traceLine(board, gridLayer, x, y);
    else if (state.prevX >= 0)
        length = traceLine(board, gridLayer, state.prevX, state.prevY);
    else
        clearLayer(board.traceMarks);
    // A line snaking over most of a 12 x 12 board is longer than the field holds.
    state.lineLength = static_cast<std::int8_t>(length < 127 ? length : 127);
    lightPartner(world);
}

} // namespace kelvaro
