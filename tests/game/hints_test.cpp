#include "game_fixture.h"

namespace kelvaro {
namespace {

using HintTest = GameFixture;

const MessageBoxCall hintMessage{"One line will be revealed, and 15 seconds penalty per segment",
                                 "Info", buttonsOk};

// The cells of the small puzzle's line 4, endpoints included.
const std::pair<int, int> line4[] = {{0, 2}, {0, 3}, {0, 4}, {1, 4}, {2, 4}, {3, 4}, {4, 4}};

TEST_F(HintTest, IsRefusedUnlessTheClockRuns) {
    enum { notStarted, paused, finished };
    for (int situation : {notStarted, paused, finished}) {
        SCOPED_TRACE(situation);
        startPuzzle(smallPuzzle);
        if (situation != notStarted) startClock();
        if (situation == paused) pauseGame(world);
        if (situation == finished) finishGame(world);
        window.messageBoxes.clear();
        const std::int16_t hintBefore = state.hintMode;
        askHint(world);
        EXPECT_TRUE(window.messageBoxes.empty());
        EXPECT_EQ(state.hintMode, hintBefore);
    }
}

TEST_F(HintTest, RevealsTheTappedCellsLineOverThePlayersOwnAndChargesItsSegments) {
    startPuzzle(smallPuzzle);
    setLayer(board.grid, {"1...2", "3.3..", "45.1.", "-5.2.", ".J..4"});
    startClock();
    askHint(world);
    ASSERT_EQ(window.messageBoxes.size(), 1u);
    EXPECT_EQ(window.messageBoxes[0], hintMessage);
    EXPECT_EQ(state.hintMode, 1);
    EXPECT_EQ(state.repaintMode, repaintWhole);

    down(2, 4);
    EXPECT_EQ(state.hintMode, 0);
    EXPECT_EQ(state.penaltyCells, 5);
    EXPECT_EQ(state.tapCount, 2);
    EXPECT_EQ(gridRows(), (BoardRows{"1...2", "3.3..", "45.1.", "|5.2.", "L---4"}));
    int revealedCells = 0;
    for (std::int8_t r : board.revealed) revealedCells += r;
    EXPECT_EQ(revealedCells, 7);
    for (auto [x, y] : line4) {
        EXPECT_EQ(board.revealed[cellIndex(x, y)], 1) << x << "," << y;
        EXPECT_NE(board.traceMarks[cellIndex(x, y)], 0) << x << "," << y;
    }
    up();
    for (std::int8_t mark : board.traceMarks) ASSERT_EQ(mark, 0);
    EXPECT_EQ(state.gamePhase, phasePlaying);
}

TEST_F(HintTest, TwoHintsInARowShowTwoMessagesAndOneReveal) {
    startPuzzle(smallPuzzle);
    startClock();
    askHint(world);
    askHint(world);
    EXPECT_EQ(window.messageBoxes.size(), 2u);
    tap(1, 4);
    EXPECT_EQ(state.penaltyCells, 5);
    tap(2, 2); // an ordinary press now
    EXPECT_EQ(state.penaltyCells, 5);
    EXPECT_EQ(board.revealed[cellIndex(2, 2)], 0);
}

TEST_F(HintTest, AHintOnAnAlreadyRevealedLineIsUsedUpForNothing) {
    startPuzzle(smallPuzzle);
    startClock();
    askHint(world);
    tap(1, 4);
    ASSERT_EQ(state.penaltyCells, 5);
    const BoardRows before = gridRows();
    askHint(world);
    tap(0, 3);
    EXPECT_EQ(state.hintMode, 0);
    EXPECT_EQ(state.penaltyCells, 5);
    EXPECT_EQ(gridRows(), before);
}

TEST_F(HintTest, TheRevealThatCompletesTheGridFinishesAtOnceWithItsPenalty) {
    startPuzzle(smallPuzzle);
    setLayer(board.grid, {"1--72", "3-3||", "4571|", ".5J2J", "....4"});
    startClock();
    askHint(world);
    window.advance(20000);
    tap(1, 4);
    EXPECT_EQ(state.gamePhase, phaseFinished);
    EXPECT_EQ(state.solveState, 0);
    EXPECT_EQ(window.messageBoxes.size(), 1u); // the hint's own, and no question
    EXPECT_EQ(state.penaltyCells, 5);
    EXPECT_EQ(state.finalTime, 20000 + 5 * 15000);
    EXPECT_EQ(world.statistics.totalTime[0][0], 20000);
    EXPECT_EQ(world.statistics.totalPenalty[0][0], 5);
    EXPECT_EQ(world.statistics.bestTime[0][0], 95000);
}

} // namespace
} // namespace kelvaro
