#include "play_script.h"

#include <string>
#include <vector>

namespace kelvaro {
namespace {

// The small puzzle's grid at the start: its endpoints alone.
const BoardRows endpoints{"1...2", "3.3..", "45.1.", ".5.2.", "....4"};
const BoardRows line1Drawn{"1--72", "3.3..", "45.1.", ".5.2.", "....4"};
const BoardRows oldCodes{"1|.|2", "3.3..", "45.1.", ".5.2.", "....4"};

struct UndoCase {
    const char* name;
    BoardRows gridBefore; // empty: the endpoints alone
    std::vector<Play> actions;
};

class UndoTable : public PlayScript, public ::testing::WithParamInterface<UndoCase> {};

TEST_P(UndoTable, StepsGoBackAndForth) {
    const UndoCase& c = GetParam();
    startPuzzle(smallPuzzle);
    if (!c.gridBefore.empty()) setLayer(board.grid, c.gridBefore);
    play(c.actions);
}

const std::vector<Play> line1Stroke{Down(0, 0), Move(1, 0), Move(2, 0),
                                    Move(3, 0), Move(3, 1), Up()};

std::vector<Play> after(std::vector<Play> first, const std::vector<Play>& then) {
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

INSTANTIATE_TEST_SUITE_P(
    History, UndoTable,
    ::testing::Values(
        UndoCase{"aStrokeIsOneStep",
                 {},
                 after(line1Stroke,
                       {GridIs(line1Drawn), Undo(), GridIs(endpoints), Undo(), GridIs(endpoints),
                        Redo(), GridIs(line1Drawn), Redo(), GridIs(line1Drawn)})},
        UndoCase{"anEraseIsOneStep",
                 {},
                 after(line1Stroke, {Down(2, 0), Up(), DoubleTap(2, 0), Up(),
                                     GridIs({"1-.72", "3.3..", "45.1.", ".5.2.", "....4"}), Undo(),
                                     GridIs(line1Drawn), Undo(), GridIs(endpoints), Redo(), Redo(),
                                     GridIs({"1-.72", "3.3..", "45.1.", ".5.2.", "....4"})})},
        // The first tap extends the line's head towards the tapped cell, the double tap then
        // erases that cell: two steps.
        UndoCase{"aDoubleClickNextToTheHeadExtendsThenErases",
                 oldCodes,
                 {Down(0, 0),
                  Move(1, 0),
                  Move(2, 0),
                  Up(),
                  GridIs({"1-.|2", "3.3..", "45.1.", ".5.2.", "....4"}),
                  Down(3, 0),
                  Up(),
                  DoubleTap(3, 0),
                  Up(),
                  GridIs({"1--.2", "3.3..", "45.1.", ".5.2.", "....4"}),
                  Undo(),
                  GridIs({"1--|2", "3.3..", "45.1.", ".5.2.", "....4"}),
                  Undo(),
                  GridIs({"1-.|2", "3.3..", "45.1.", ".5.2.", "....4"}),
                  Undo(),
                  GridIs(oldCodes),
                  Redo(),
                  Redo(),
                  Redo(),
                  GridIs({"1--.2", "3.3..", "45.1.", ".5.2.", "....4"})}},
        // The hint takes (1, 0) from the stroke; undoing the stroke leaves it revealed.
        UndoCase{"aRevealInBetweenStaysRevealed",
                 {},
                 {Down(0, 0), Move(1, 0), Move(1, 1), Move(2, 1), Up(),
                  GridIs({"17..2", "3L3..", "45.1.", ".5.2.", "....4"}), Hint(), Down(1, 0), Up(),
                  GridIs({"1--72", "3L3|.", "45.1.", ".5.2.", "....4"}), Undo(),
                  GridIs({"1--72", "3.3|.", "45.1.", ".5.2.", "....4"}), Undo(),
                  GridIs({"1--72", "3.3|.", "45.1.", ".5.2.", "....4"}), Redo(),
                  GridIs({"1--72", "3L3|.", "45.1.", ".5.2.", "....4"})}},
        UndoCase{"aNewStepDropsTheRedoHistory",
                 {},
                 after(line1Stroke, {Undo(), Down(0, 1), Move(1, 1), Move(2, 1), Up(), Redo(),
                                     GridIs({"1...2", "3-3..", "45.1.", ".5.2.", "....4"}), Undo(),
                                     GridIs(endpoints), Redo(),
                                     GridIs({"1...2", "3-3..", "45.1.", ".5.2.", "....4"})})},
        UndoCase{"aPressThatChangesNothingIsNoStep",
                 {},
                 after(line1Stroke, {Undo(), Down(4, 4), Up(), Wait(3000), Down(2, 2), Move(2, 2),
                                     Up(), GridIs(endpoints), Redo(), GridIs(line1Drawn), Undo(),
                                     GridIs(endpoints)})}),
    [](const auto& param) { return std::string(param.param.name); });

using UndoTest = PlayScript;

TEST_F(UndoTest, MovesOnlyTheGridAndForgetsTheStroke) {
    startPuzzle(smallPuzzle);
    play({Hint()});                                     // refused: the clock has not started
    play({Down(4, 4), Up(), Hint(), Down(0, 4), Up()}); // line 4 revealed: 5 cells charged
    play(line1Stroke);
    play({Down(0, 1), Move(1, 1)}); // a stroke under way, partner lit
    const GameState before = state;
    window.repaintRequests = 0;
    undoCommand(world); // refused while the stylus is down
    EXPECT_EQ(gridRows()[0], "1--72");
    play({Up()});
    window.advance(5000);

    undoCommand(world);
    EXPECT_EQ(gridRows()[0], "1...2");
    EXPECT_EQ(state.curX, -1);
    EXPECT_EQ(state.curY, -1);
    EXPECT_EQ(state.prevX, -1);
    EXPECT_EQ(state.prevY, -1);
    for (std::int8_t mark : board.traceMarks) ASSERT_EQ(mark, 0);
    EXPECT_EQ(state.repaintMode, repaintWhole);
    EXPECT_GT(window.repaintRequests, 0);
    EXPECT_EQ(state.tapCount, before.tapCount);
    EXPECT_EQ(state.startTick, before.startTick);
    EXPECT_EQ(state.penaltyCells, 5);
    EXPECT_TRUE(window.timerRunning);

    redoCommand(world);
    EXPECT_EQ(gridRows()[0], "1--72");
    EXPECT_EQ(state.penaltyCells, 5);
}

TEST_F(UndoTest, NothingHappensWhilePausedOrAfterTheGameIsFinished) {
    startPuzzle(smallPuzzle);
    play(line1Stroke);
    pauseGame(world);
    EXPECT_FALSE(undoAvailable(world));
    undoCommand(world);
    EXPECT_EQ(gridRows(), line1Drawn);
    EXPECT_EQ(state.gamePhase, phasePaused);

    play({Down(4, 4), Up()}); // resumes
    finishGame(world);
    ASSERT_EQ(state.gamePhase, phaseFinished);
    EXPECT_FALSE(undoAvailable(world));
    undoCommand(world);
    EXPECT_EQ(gridRows(), line1Drawn);
}

// The grid was complete but for one wrong cell of line 2 when the player spoilt line 3; a hint
// then put line 2 right. Undoing the spoiling step leaves the grid solved, and the game ends as
// if a board event had solved it.
TEST_F(UndoTest, AnUndoThatLeavesTheGridSolvedFinishesTheGame) {
    startPuzzle(smallPuzzle);
    setLayer(board.grid, {"1--72", "3-3|-", "4571|", "|5J2J", "L---4"});
    play({Wait(1000), Down(1, 0), Move(1, 1), Move(1, 2), Up()});
    ASSERT_EQ(gridRows()[1], "3|3|-");
    play({Hint(), Down(4, 1), Up()});
    ASSERT_EQ(state.penaltyCells, 3);
    ASSERT_EQ(state.gamePhase, phasePlaying);
    window.advance(20000);

    undoCommand(world);
    EXPECT_EQ(gridRows(), smallPuzzle);
    EXPECT_EQ(state.gamePhase, phaseFinished);
    EXPECT_EQ(state.solveState, 0);
    EXPECT_FALSE(window.timerRunning);
    EXPECT_EQ(state.finalTime, 20000 + 3 * 15000);
    EXPECT_EQ(world.statistics.gamesPlayed[0][0], 1);
    EXPECT_EQ(window.messageBoxes.size(), 1u); // the hint's message; no question
}

TEST_F(UndoTest, EveryFreshBoardStartsWithoutHistory) {
    const std::vector<std::pair<const char*, void (*)(GameWorld&)>> starts{
        {"new game", newGame},
        {"example", learnRules},
        {"restart", restartPuzzle},
        {"by number", playPuzzleByNumber},
    };
    for (const auto& [name, start] : starts) {
        SCOPED_TRACE(name);
        startPuzzle(smallPuzzle);
        play(line1Stroke);
        play({Down(0, 1), Move(1, 1), Move(2, 1), Up(), Undo()});
        ASSERT_TRUE(canUndo(world.history));
        ASSERT_TRUE(canRedo(world.history));
        window.typedTexts.push_back("5-77");
        start(world);
        EXPECT_FALSE(canUndo(world.history));
        EXPECT_FALSE(canRedo(world.history));
    }
}

TEST(UndoHistoryMemory, KeepsOnlyTheChangedCells) {
    UndoHistory history;
    Board board;
    board.boardSize = 12;
    for (int step = 0; step < 1000; ++step) {
        beginStep(history, board);
        for (int c = 0; c < 10; ++c) board.grid[(step * 10 + c) % layerCells] ^= 1;
        endStep(history, board);
    }
    EXPECT_EQ(history.stepEnds.size(), 1000u);
    EXPECT_EQ(history.changes.size(), 10000u);
}

} // namespace
} // namespace kelvaro
