#include "game/puzzle_commands.h"

#include "engine/checker.h"
#include "game/finish.h"
#include "game/game_keeping.h"
#include "game/lifecycle.h"
#include "game/puzzle_texts.h"
#include "game/unique_puzzles.h"

#include <string_view>

namespace kelvaro {

namespace {

// Longest piece of the player's text quoted back in the bad-number message.
constexpr std::size_t quotedInputLimit = 40;

bool strokeUnderWay(const GameWorld& world) {
    return world.history.stepOpen || world.pen.down;
}

bool historyUsable(const GameWorld& world) {
    return world.state.gamePhase == phasePlaying && !strokeUnderWay(world);
}

// After the grid moved back or forward a step: as a fresh look at the board.
void afterHistoryMove(GameWorld& world) {
    GameState& state = world.state;
    state.curX = state.curY = state.prevX = state.prevY = -1;
    state.partnerX = state.partnerY = -1;
    clearLayer(world.board.traceMarks);
    if (testSolved(world.board) <= 0) finishGame(world);
    requestWholeRepaint(world);
    keepAfterStep(world);
}

// Generates the chosen puzzle and shows it, saying so when generation failed, as newGame does.
void playNumbered(GameWorld& world, PuzzleNumber number) {
    setUpNumberedGame(world, number);
    warnIfGenerationFailed(world);
    requestWholeRepaint(world);
}

// Restart and Copy need a numbered puzzle on the board: not the example, not one still being
// prepared (it might yet turn out plain), and not while paused.
bool puzzleOnBoard(const GameWorld& world) {
    return world.state.gamePhase != phasePaused && world.state.exampleMode == 0 &&
           !preparingPuzzle(world);
}

std::string badNumberMessage(std::int32_t language, std::string_view typed) {
    std::string quoted(typed.substr(0, quotedInputLimit));
    if (typed.size() > quotedInputLimit) quoted += "...";
    const std::string_view open = isFrench(language) ? "« " : "\"";
    const std::string_view close = isFrench(language) ? " »" : "\"";
    return std::string(open) + quoted + std::string(close) + std::string(badNumberText(language));
}

} // namespace

bool undoAvailable(const GameWorld& world) {
    return historyUsable(world) && canUndo(world.history);
}

bool redoAvailable(const GameWorld& world) {
    return historyUsable(world) && canRedo(world.history);
}

void undoCommand(GameWorld& world) {
    endSplash(world);
    if (!historyUsable(world) || !undoStep(world.history, world.board)) return;
    afterHistoryMove(world);
}

void redoCommand(GameWorld& world) {
    endSplash(world);
    if (!historyUsable(world) || !redoStep(world.history, world.board)) return;
    afterHistoryMove(world);
}

void restartPuzzle(GameWorld& world) {
    endSplash(world);
    if (!puzzleOnBoard(world)) return;
    if (confirmAbandon(world) != 1) return;
    forgetKeptGame(world);
    playNumbered(world, world.puzzle);
    showPracticeNoticeIfDue(world);
}

void playPuzzleByNumber(GameWorld& world) {
    endSplash(world);
    if (world.state.gamePhase == phasePaused) return;
    const std::int32_t language = world.settings.language;
    std::string typed;
    if (!world.window.askText(askNumberPrompt(language), askNumberCaption(language), typed)) return;
    PuzzleNumber number;
    if (!parsePuzzleNumber(typed, number)) {
        world.window.messageBox(badNumberMessage(language, typed), badNumberCaption(language),
                                buttonsOk);
        return;
    }
    if (number.size == 0) number.size = sideForDifficulty(world.settings.difficulty);
    if (confirmAbandon(world) != 1) return;
    forgetKeptGame(world);
    playNumbered(world, number);
    showPracticeNoticeIfDue(world);
}

void copyPuzzleNumber(GameWorld& world) {
    endSplash(world);
    if (!puzzleOnBoard(world)) return;
    world.window.copyText(puzzleNumberText(world));
}

void printPuzzle(GameWorld& world) {
    endSplash(world);
    if (!puzzleOnBoard(world)) return;
    world.window.printPuzzle(world.board, puzzleNumberText(world));
}

void startPuzzleByNumber(GameWorld& world, PuzzleNumber number) {
    playNumbered(world, number);
}

void showPracticeNoticeIfDue(GameWorld& world) {
    // Not on top of another box either (a puzzle may arrive while one is open): it waits for the
    // next event after that box has closed.
    if (!world.practiceNoticeDue || world.state.splashTick != 0 || strokeUnderWay(world) ||
        world.window.modalOpen())
        return;
    world.practiceNoticeDue = false;
    world.practiceNoticeShown = true;
    const std::int32_t language = world.settings.language;
    world.window.messageBox(practiceText(language), practiceCaption(language), buttonsOk);
}

std::string puzzleNumberText(const GameWorld& world) {
    return std::string(formatPuzzleNumber(world.puzzle).view());
}

} // namespace kelvaro
