#include "game/hints.h"

#include "engine/trace.h"
#include "game/game_texts.h"
#include "game/lifecycle.h"

#include <string>

namespace kelvaro {

void askHint(GameWorld& world) {
    GameState& state = world.state;
    endSplash(world);
    if (state.gamePhase != phasePlaying || state.startTick == 0) return;
    const std::string text = "One line will be revealed, and " +
                             std::to_string(penaltyPerCellMs / 1000) +
                             " seconds penalty per segment";
    world.window.messageBox(text, hintCaption, buttonsOk);
    state.hintMode = 1;
    requestWholeRepaint(world);
}

void revealLine(GameWorld& world, int x, int y) {
    Board& board = world.board;
    GameState& state = world.state;
    if (cellAt(board, board.revealed, x, y) == 0) {
        traceLine(board, solutionLayer, x, y);
        const int n = boardSide(board);
        for (int cx = 0; cx < n; ++cx)
            for (int cy = 0; cy < n; ++cy) {
                const int i = cellIndex(cx, cy);
                if (board.traceMarks[i] == 0) continue;
                board.revealed[i] = 1;
                board.grid[i] = board.solution[i];
                if (board.solution[i] < 0) state.penaltyCells += 1;
            }
    }
    state.hintMode = 0;
}

} // namespace kelvaro
