#include "game/lifecycle.h"

#include "engine/checker.h"
#include "engine/generator.h"
#include "game/game_keeping.h"
#include "game/game_texts.h"
#include "game/keyboard_pen.h"
#include "game/unique_puzzles.h"
#include "model/layout.h"
#include "store/settings_store.h"

namespace kelvaro {

void startWindowTimer(GameWorld& world, int periodMs) {
    world.state.timerId = world.window.startTimer(windowTimerId, periodMs);
}

void stopWindowTimer(GameWorld& world) {
    world.window.stopTimer(world.state.timerId);
}

void requestWholeRepaint(GameWorld& world) {
    world.state.repaintMode = repaintWhole;
    world.window.requestRepaint();
}

void keepSlotInRange(Settings& settings) {
    if (settings.difficulty < 0) settings.difficulty = 0;
    if (settings.difficulty > difficulties - 1) settings.difficulty = difficulties - 1;
    if (settings.player < 0) settings.player = 0;
    if (settings.player > playerSlots - 1) settings.player = playerSlots - 1;
}

void newGame(GameWorld& world) {
    endSplash(world);
    if (confirmAbandon(world) != 1) return;
    forgetKeptGame(world);
    setUpNewGame(world);
    warnIfGenerationFailed(world);
    requestWholeRepaint(world);
}

void warnIfGenerationFailed(GameWorld& world) {
    // A puzzle still being prepared is checked when it arrives.
    if (!preparingPuzzle(world) && checkGrid(world.board, solutionLayer) != 0)
        world.window.messageBox(generationFailedText, generationFailedCaption, buttonsOk);
}

std::int16_t sideForDifficulty(std::int32_t difficulty) {
    switch (difficulty) {
    case 1:
        return 8;
    case 2:
        return 12;
    default:
        return 5;
    }
}

// A number with a size is played at that size; otherwise the puzzle gets the difficulty's size
// and a seed of its own, and is unique when the option says so.
static void setUpGame(GameWorld& world, const PuzzleNumber* chosen) {
    GameState& state = world.state;
    cancelPreparation(world.preparation);
    // After a failed save the store holds older values than memory; keep memory's.
    if (!world.saving.pending) loadSettings(world.settings, world.statistics, world.registry);
    keepSlotInRange(world.settings);
    PuzzleNumber number{sideForDifficulty(world.settings.difficulty), 0};
    if (chosen != nullptr) {
        number.seed = chosen->seed;
        if (isPuzzleSize(chosen->size)) number.size = chosen->size;
        number.unique = chosen->unique;
    } else {
        number.seed = static_cast<std::uint32_t>(world.seedSource());
        number.unique = isUniqueChoice(world.settings.unique)
                            ? static_cast<UniqueChoice>(world.settings.unique)
                            : uniqueOff;
    }
    world.board.boardSize = number.size;

    state.penaltyCells = 0;
    state.gamePhase = phasePlaying;
    state.exampleMode = 0;
    state.tapCount = 0;
    state.solveState = -1;
    state.finalTime = 0;
    state.startTick = 0;
    state.nowTick = 0;
    state.hintMode = 0;
    state.repaintMode = repaintWhole;
    placeBoard(state, world.board);
    state.curX = state.curY = state.prevX = state.prevY = -1;
    state.lastStylusTick = 0;

    world.puzzle = number;
    world.puzzleLevel = 0;
    world.practiceGame = chosen != nullptr;
    if (world.practiceGame && !world.practiceNoticeShown) world.practiceNoticeDue = true;
    startFreshPlay(world);
    // A unique puzzle comes from a source of its own, on a worker: the window need not wait
    // for the search, and the splash's draws cannot change which puzzle the number names.
    if (number.unique) {
        prepareUniqueGame(world, number);
        return;
    }
    // The game's random source starts again from the puzzle's seed, so the number names this
    // puzzle whatever the splash drew from the same source before.
    generateNumberedPuzzle(world.board, world.random, number);
}

void setUpNewGame(GameWorld& world) {
    setUpGame(world, nullptr);
}

void setUpNumberedGame(GameWorld& world, PuzzleNumber number) {
    setUpGame(world, &number);
}

void startFreshPlay(GameWorld& world) {
    clearHistory(world.history);
    resetKeyboardPen(world.pen);
}

int confirmAbandon(GameWorld& world) {
    GameState& state = world.state;
    if (state.gamePhase == phasePaused) return abandonRefusedPaused;
    if (state.tapCount != 0 && state.gamePhase == phasePlaying) {
        const std::int32_t language = world.settings.language;
        const int answer = world.window.messageBox(abandonText(language), abandonCaption(language),
                                                   buttonsOkCancel);
        if (answer != answerOk) {
            state.repaintMode = repaintWhole;
            return answer;
        }
    }
    stopWindowTimer(world);
    state.tapCount = 0;
    state.repaintMode = repaintWhole;
    // Whatever replaces the game, or the closing window, has no use for its puzzle either.
    cancelPreparation(world.preparation);
    return 1;
}

bool closeRequest(GameWorld& world) {
    endSplash(world);
    // A kept game loses nothing by the close, so nothing is asked.
    if (keepGameAtClose(world)) return true;
    return confirmAbandon(world) == 1;
}

void endSplash(GameWorld& world) {
    if (world.state.splashTick == 0) return;
    world.state.splashTick = 0;
    stopWindowTimer(world);
}

} // namespace kelvaro
