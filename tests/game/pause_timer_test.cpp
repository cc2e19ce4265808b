#include "game_fixture.h"

#include <functional>

namespace kelvaro {
namespace {

using PauseTimerTest = GameFixture;

TEST_F(PauseTimerTest, PauseStopsTheClockAndATapResumesItWhereItStopped) {
    startPuzzle(smallPuzzle);
    startClock();
    window.advance(12000);
    pauseGame(world);
    EXPECT_EQ(state.gamePhase, phasePaused);
    EXPECT_EQ(state.pauseTick, window.now);
    EXPECT_FALSE(window.timerRunning);
    EXPECT_EQ(state.repaintMode, repaintWhole);

    window.advance(45000);
    onStylusDown(world, 0, 0); // anywhere in the window
    EXPECT_EQ(state.gamePhase, phasePlaying);
    EXPECT_TRUE(window.timerRunning);
    EXPECT_EQ(window.timerPeriodMs, 100);
    window.advance(3000);
    setLayer(board.grid, smallPuzzle);
    finishGame(world);
    EXPECT_EQ(state.finalTime, 15000);
}

TEST_F(PauseTimerTest, AClockStartingOnTickZeroStillCountsAsStarted) {
    startPuzzle(smallPuzzle);
    window.now = 0;
    tap(2, 2);
    EXPECT_NE(state.startTick, 0u);
    askHint(world);
    EXPECT_EQ(state.hintMode, 1);

    // A resume that would move the start onto tick 0.
    pauseGame(world);
    window.now = state.pauseTick + (0u - state.startTick);
    onStylusDown(world, 0, 0);
    EXPECT_EQ(state.gamePhase, phasePlaying);
    EXPECT_NE(state.startTick, 0u);
    finishGame(world);
    EXPECT_EQ(state.gamePhase, phaseFinished);
}

TEST_F(PauseTimerTest, PauseIsRefusedBeforeTheFirstTapWhilePausedAndAfterFinishing) {
    startPuzzle(smallPuzzle);
    pauseGame(world);
    EXPECT_EQ(state.gamePhase, phasePlaying);
    EXPECT_EQ(window.repaintRequests, 0);

    startClock();
    pauseGame(world);
    const std::uint32_t pausedAt = state.pauseTick;
    window.advance(500);
    pauseGame(world);
    EXPECT_EQ(state.pauseTick, pausedAt);

    tap(4, 4);
    window.advance(500);
    finishGame(world);
    ASSERT_EQ(state.gamePhase, phaseFinished);
    pauseGame(world);
    EXPECT_EQ(state.gamePhase, phaseFinished);
}

TEST_F(PauseTimerTest, WhilePausedEveryOtherCommandDoesNothing) {
    startPuzzle(smallPuzzle);
    startClock();
    window.advance(1000);
    pauseGame(world);
    const BoardRows solutionBefore = layerRows(board, board.solution);
    const std::function<void(GameWorld&)> commands[] = {newGame, learnRules, showOptions, askHint,
                                                        finishGame};
    for (const auto& command : commands) command(world);
    EXPECT_FALSE(closeRequest(world));
    EXPECT_EQ(state.gamePhase, phasePaused);
    EXPECT_EQ(state.hintMode, 0);
    EXPECT_EQ(state.exampleMode, 0);
    EXPECT_EQ(layerRows(board, board.solution), solutionBefore);
    EXPECT_TRUE(window.messageBoxes.empty());
    EXPECT_EQ(window.rulesDialogRuns + window.optionsDialogRuns, 0);
    EXPECT_FALSE(window.timerRunning);
}

TEST_F(PauseTimerTest, TheTimerRefreshesOnlyTheClockStripAndOnlyWhileTheClockRuns) {
    startPuzzle(smallPuzzle);
    onTimer(world);
    EXPECT_EQ(window.repaintRequests, 0);

    startClock();
    const int repaints = window.repaintRequests;
    onTimer(world);
    EXPECT_EQ(state.repaintMode, repaintStatus);
    EXPECT_EQ(window.repaintRequests, repaints + 1);
    EXPECT_EQ(window.immediateUpdates, 1);

    pauseGame(world);
    onTimer(world);
    EXPECT_EQ(state.repaintMode, repaintWhole);
    EXPECT_EQ(window.immediateUpdates, 1);
}

TEST_F(PauseTimerTest, WhileTheSplashShowsTheTickIsTheSplashs) {
    startPuzzle(smallPuzzle);
    startClock();
    int splashSteps = 0;
    world.splashTimerStep = [&](GameWorld&) { ++splashSteps; };
    state.splashTick = window.now;
    onTimer(world);
    EXPECT_EQ(splashSteps, 1);
    EXPECT_EQ(window.immediateUpdates, 0);
    state.splashTick = 0;
    onTimer(world);
    EXPECT_EQ(splashSteps, 1);
    EXPECT_EQ(window.immediateUpdates, 1);
}

} // namespace
} // namespace kelvaro
