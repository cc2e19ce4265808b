#include "game/dialog_commands.h"

#include "engine/checker.h"
#include "game/example_board.h"
#include "game/game_keeping.h"
#include "game/game_texts.h"
#include "game/lifecycle.h"
#include "game/save_records.h"
#include "model/layout.h"

namespace kelvaro {

static void putExample(Board& board) {
    clearLayer(board.solution);
    clearLayer(board.grid);
    clearLayer(board.revealed);
    clearLayer(board.errors);
    clearLayer(board.traceMarks);
    for (int y = 0; y < exampleSide; ++y)
        for (int x = 0; x < exampleSide; ++x) {
            board.solution[cellIndex(x, y)] = exampleRows[y][x];
            board.grid[cellIndex(x, y)] = exampleRows[y][x];
        }
    checkGrid(board, solutionLayer);
    computeOwners(board, solutionLayer);
    for (int y = 0; y < exampleSide; ++y) board.grid[cellIndex(0, y)] = 0;
}

void learnRules(GameWorld& world) {
    GameState& state = world.state;
    endSplash(world);
    if (confirmAbandon(world) != 1) return;
    forgetKeptGame(world);
    saveRecords(world);
    world.window.runRulesDialog();

    state.solveState = -1;
    world.board.boardSize = exampleSide;
    state.gamePhase = phasePlaying;
    state.exampleMode = 1;
    state.tapCount = 0;
    state.finalTime = 0;
    state.startTick = 0;
    state.nowTick = 0;
    state.hintMode = 0;
    placeBoard(state, world.board);
    putExample(world.board);
    state.curX = state.curY = state.prevX = state.prevY = -1;
    state.penaltyCells = 0;
    testSolved(world.board);
    startFreshPlay(world);
    // Our dialogs do not cover the window, so the example must be painted explicitly.
    requestWholeRepaint(world);
}

void showOptions(GameWorld& world) {
    GameState& state = world.state;
    endSplash(world);
    if (state.gamePhase == phasePaused) return;
    bool abandoned = false;
    const std::int32_t oldDifficulty = world.settings.difficulty;
    if (state.tapCount != 0 && state.gamePhase == phasePlaying) {
        const std::int32_t language = world.settings.language;
        if (world.window.messageBox(optionsAbandonText(language), abandonCaption(language),
                                    buttonsOkCancel) != answerOk)
            return;
        abandoned = true;
        // Gone already while the dialog is open: a signal there must not keep the game.
        forgetKeptGame(world);
    }
    state.tapCount = 0;
    stopWindowTimer(world);
    // A puzzle still being prepared is given up; a new game follows the dialog instead.
    if (cancelPreparation(world.preparation)) abandoned = true;

    world.window.runOptionsDialog();
    world.window.localiseMenu();
    saveRecords(world);

    if (abandoned || world.settings.difficulty != oldDifficulty) {
        newGame(world);
    } else {
        startWindowTimer(world, clockPeriodMs);
        requestWholeRepaint(world);
    }
}

} // namespace kelvaro
