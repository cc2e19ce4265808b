#include "game/finish.h"

#include "engine/checker.h"
#include "game/game_keeping.h"
#include "game/game_texts.h"
#include "game/hints.h"
#include "game/lifecycle.h"
#include "game/save_records.h"
#include "store/histogram.h"
#include "store/statistics.h"

namespace kelvaro {

// Adds a finished game to the records of the current player and difficulty, and saves.
static void recordGame(GameWorld& world) {
    GameState& state = world.state;
    Statistics& records = world.statistics;
    keepSlotInRange(world.settings);
    const int p = world.settings.player;
    const int d = world.settings.difficulty;

    records.gamesPlayed[p][d] = saturatingAdd(records.gamesPlayed[p][d], 1);
    records.totalTime[p][d] = saturatingAdd(records.totalTime[p][d], state.finalTime);
    if (state.solveState > 0) state.penaltyCells += countOwnerDifferences(world.board);
    records.totalPenalty[p][d] = saturatingAdd(records.totalPenalty[p][d], state.penaltyCells);
    state.finalTime =
        saturatingAdd(state.finalTime, std::int64_t{state.penaltyCells} * penaltyPerCellMs);

    if (records.gamesPlayed[p][d] == 1) {
        records.bestTime[p][d] = state.finalTime;
    } else if (state.finalTime < records.bestTime[p][d]) {
        records.bestTime[p][d] = state.finalTime;
        const std::int32_t language = world.settings.language;
        world.window.messageBox(bestTimeText(language), bestTimeCaption(language), buttonsOk);
    }
    histogramAdd(records.histogram[p][d], state.finalTime, d);
    saveRecords(world);
}

void finishGame(GameWorld& world) {
    GameState& state = world.state;
    endSplash(world);
    if (state.gamePhase != phasePlaying || state.startTick == 0) return;

    state.solveState = static_cast<std::int16_t>(testSolved(world.board));
    if (state.solveState > 0) {
        const std::int32_t language = world.settings.language;
        const int answer = world.window.messageBox(abandonText(language), abandonCaption(language),
                                                   buttonsOkCancel);
        state.repaintMode = repaintWhole;
        if (answer != answerOk) return;
    }

    state.gamePhase = phaseFinished;
    stopWindowTimer(world);
    // Gone before the records are written: a game is never recorded twice.
    forgetKeptGame(world);
    state.nowTick = world.window.tickCount();
    // Pauses are already left out: every resume moved startTick on by the pause's length.
    // Compared before it becomes a signed time, so that no elapsed time can turn negative.
    const std::uint32_t elapsed = state.nowTick - state.startTick;
    if (elapsed > longestRecordedGameMs || elapsed == 0) {
        // Finished but not recorded; the board must still change to the solution.
        state.finalTime = 0;
        requestWholeRepaint(world);
        return;
    }
    state.finalTime = static_cast<std::int32_t>(elapsed);
    // Neither the example nor a practice game (restarted, or chosen by number) is a record.
    if (state.exampleMode != 1 && !world.practiceGame) {
        recordGame(world);
        state.repaintMode = repaintWhole;
    }
    world.window.requestRepaint();
}

} // namespace kelvaro
