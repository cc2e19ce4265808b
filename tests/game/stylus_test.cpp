#include "game_fixture.h"

#include <string>
#include <vector>

namespace kelvaro {
namespace {

// The small puzzle's grid at the start: its endpoints alone.
//   1...2
//   3.3..
//   45.1.
//   .5.2.
//   ....4

struct Action {
    enum Kind { down, move, up, doubleTap, wait } kind;
    int x = 0;
    int y = 0; // for wait, x is the time in ms
};

Action D(int x, int y) {
    return {Action::down, x, y};
}
Action M(int x, int y) {
    return {Action::move, x, y};
}
Action U() {
    return {Action::up};
}
Action T(int x, int y) {
    return {Action::doubleTap, x, y};
}
Action W(int ms) {
    return {Action::wait, ms};
}

struct DrawCase {
    const char* name;
    BoardRows gridBefore; // empty: the endpoints alone
    std::vector<std::pair<int, int>> revealed;
    std::vector<Action> actions;
    BoardRows gridAfter;
    Cell cur;
};

class DrawingTest : public GameFixture, public ::testing::WithParamInterface<DrawCase> {
  protected:
    void run(const Action& a) {
        switch (a.kind) {
        case Action::down:
            down(a.x, a.y);
            break;
        case Action::move:
            move(a.x, a.y);
            break;
        case Action::up:
            up();
            break;
        case Action::doubleTap:
            doubleTap(a.x, a.y);
            break;
        case Action::wait:
            window.advance(static_cast<std::uint32_t>(a.x));
            break;
        }
    }
};

TEST_P(DrawingTest, GridAfterTheStrokes) {
    const DrawCase& c = GetParam();
    startPuzzle(smallPuzzle);
    if (!c.gridBefore.empty()) setLayer(board.grid, c.gridBefore);
    for (auto [x, y] : c.revealed) board.revealed[cellIndex(x, y)] = 1;
    for (const Action& a : c.actions) run(a);
    EXPECT_EQ(gridRows(), c.gridAfter);
    EXPECT_EQ(state.curX, c.cur.x);
    EXPECT_EQ(state.curY, c.cur.y);
}

const BoardRows oldCodes{
    "1|.|2", "3.3..", "45.1.", ".5.2.", "....4",
};

INSTANTIATE_TEST_SUITE_P(
    Strokes, DrawingTest,
    ::testing::Values(DrawCase{"wholeLine",
                               {},
                               {},
                               {D(0, 0), M(1, 0), M(2, 0), M(3, 0), M(3, 1), M(3, 2), U()},
                               {"1--72", "3.3|.", "45.1.", ".5.2.", "....4"},
                               {3, 2}},
                      DrawCase{"skippedCellBreaksTheStroke",
                               {},
                               {},
                               {D(0, 0), M(1, 0), M(2, 0), M(3, 1), M(3, 2), M(4, 2), U()},
                               {"1-..2", "3.3..", "45.1.", ".5.2.", "....4"},
                               {4, 2}},
                      DrawCase{"steppingBackWritesNothing",
                               {"1.|.2", "3.3..", "45.1.", ".5.2.", "....4"},
                               {},
                               {D(0, 0), M(1, 0), M(2, 0), M(1, 0), M(1, 1), U()},
                               {"1F|.2", "3.3..", "45.1.", ".5.2.", "....4"},
                               {1, 1}},
                      DrawCase{"crossingAnEndpoint",
                               {},
                               {},
                               {D(1, 0), M(2, 0), M(2, 1), M(2, 2), M(2, 3), U()},
                               {"1.7.2", "3.3..", "45|1.", ".5.2.", "....4"},
                               {2, 3}},
                      DrawCase{"oldCodesAreReplaced",
                               oldCodes,
                               {},
                               {D(0, 0), M(1, 0), M(2, 0), M(3, 0), M(3, 1), U()},
                               {"1--72", "3.3..", "45.1.", ".5.2.", "....4"},
                               {3, 1}},
                      DrawCase{"revealedCellsAreNeverRewritten",
                               {"1.-.2", "3.3..", "45.1.", ".5.2.", "....4"},
                               {{2, 0}},
                               {D(1, 1), M(1, 0), M(2, 0), M(2, 1), U()},
                               {"1F-.2", "3.3..", "45.1.", ".5.2.", "....4"},
                               {2, 1}},
                      DrawCase{"touchingTheHeadAgainWritesNothing",
                               {},
                               {},
                               {D(1, 0), M(2, 0), M(2, 0), U(), D(2, 0), M(3, 0), U()},
                               {"1.-.2", "3.3..", "45.1.", ".5.2.", "....4"},
                               {3, 0}},
                      DrawCase{"aTouchWithinTheTimeOutContinues",
                               {},
                               {},
                               {D(0, 0), M(1, 0), M(2, 0), U(), W(2000), D(3, 0), U()},
                               {"1--.2", "3.3..", "45.1.", ".5.2.", "....4"},
                               {3, 0}},
                      DrawCase{"aTouchAfterTheTimeOutStartsAfresh",
                               {},
                               {},
                               {D(0, 0), M(1, 0), M(2, 0), U(), W(2001), D(3, 0), M(3, 1), U()},
                               {"1-..2", "3.3..", "45.1.", ".5.2.", "....4"},
                               {3, 1}},
                      DrawCase{"aLongHoldWithoutLiftingContinues",
                               {},
                               {},
                               {D(0, 0), M(1, 0), W(5000), M(2, 0), M(3, 0), U()},
                               {"1--.2", "3.3..", "45.1.", ".5.2.", "....4"},
                               {3, 0}},
                      DrawCase{"offTheBoardForgetsTheStroke",
                               {},
                               {},
                               {D(0, 0), M(1, 0), M(2, 0), M(2, -1), M(2, 0), M(3, 0), U()},
                               {"1-..2", "3.3..", "45.1.", ".5.2.", "....4"},
                               {3, 0}},
                      DrawCase{"doubleTapNextToTheHeadExtendsThenErases",
                               oldCodes,
                               {},
                               {D(0, 0), M(1, 0), M(2, 0), U(), D(3, 0), U(), T(3, 0), U()},
                               {"1--.2", "3.3..", "45.1.", ".5.2.", "....4"},
                               {-1, -1}},
                      DrawCase{"afterAnErasingDoubleTapTheNextPressDrawsNothing",
                               {},
                               {},
                               {D(0, 0), M(1, 0), M(2, 0), U(), T(2, 0), U(), D(3, 0), M(3, 1),
                                M(3, 2), U()},
                               {"1-..2", "3.3..", "45.1.", ".5.2.", "....4"},
                               {3, 2}},
                      DrawCase{"doubleTapOnAnEndpointErasesNothing",
                               {"1-..2", "3.3..", "45.1.", ".5.2.", "....4"},
                               {},
                               {D(0, 0), U(), T(0, 0), U()},
                               {"1-..2", "3.3..", "45.1.", ".5.2.", "....4"},
                               {-1, -1}},
                      DrawCase{"doubleTapOnARevealedCellErasesNothing",
                               {"1-..2", "3.3..", "45.1.", ".5.2.", "....4"},
                               {{1, 0}},
                               {D(1, 0), U(), T(1, 0), U()},
                               {"1-..2", "3.3..", "45.1.", ".5.2.", "....4"},
                               {-1, -1}},
                      DrawCase{"doubleTapAwayFromTheHeadActsAsAPress",
                               {"1-..2", "3.3..", "45.1.", ".5.2.", "....4"},
                               {},
                               {D(3, 0), M(3, 1), U(), T(1, 0), U()},
                               {"1-..2", "3.3..", "45.1.", ".5.2.", "....4"},
                               {1, 0}}),
    [](const auto& param) { return std::string(param.param.name); });

using StylusTest = GameFixture;

TEST_F(StylusTest, TheTraceLightsThePartnerUntilTheLineReachesIt) {
    startPuzzle(smallPuzzle);
    down(0, 0);
    move(1, 0);
    move(2, 0);
    move(3, 0);
    move(3, 1);
    // The head (3, 1) has no code yet, so the line is traced from the cell before it.
    EXPECT_EQ(state.lineLength, 3);
    EXPECT_EQ(state.partnerX, 3);
    EXPECT_EQ(state.partnerY, 2);
    EXPECT_EQ(board.traceMarks[cellIndex(3, 2)], partnerMark);
    EXPECT_EQ(board.traceMarks[cellIndex(3, 1)], 0);
    EXPECT_NE(board.traceMarks[cellIndex(0, 0)], 0);
    EXPECT_EQ(state.repaintMode, repaintStroke);

    move(3, 2);
    EXPECT_EQ(state.lineLength, 4);
    EXPECT_EQ(state.partnerX, -1);
    EXPECT_EQ(state.partnerY, -1);
    for (auto [x, y] : {std::pair{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}, {3, 2}})
        EXPECT_NE(board.traceMarks[cellIndex(x, y)], 0) << x << "," << y;

    up();
    for (std::int8_t mark : board.traceMarks) ASSERT_EQ(mark, 0);
    EXPECT_EQ(state.repaintMode, repaintWhole);
    EXPECT_EQ(state.stylusLifted, 1);
}

TEST_F(StylusTest, TheFirstBoardEventStartsTheClockAndOffBoardTapsDoNot) {
    startPuzzle(smallPuzzle);
    onStylusDown(world, 5, 5); // above and left of the board
    up();
    EXPECT_EQ(state.tapCount, 0);
    EXPECT_EQ(state.startTick, 0u);
    EXPECT_FALSE(window.timerRunning);

    window.advance(300);
    down(2, 2);
    EXPECT_EQ(state.tapCount, 1);
    EXPECT_EQ(state.startTick, window.now);
    EXPECT_TRUE(window.timerRunning);
    EXPECT_EQ(window.timerPeriodMs, 100);
    const std::uint32_t started = state.startTick;
    window.advance(50);
    move(2, 3);
    EXPECT_EQ(state.tapCount, 2);
    EXPECT_EQ(state.startTick, started);
    EXPECT_EQ(window.timerStarts, 1);
}

TEST_F(StylusTest, PixelsBecomeCellsAndFarPositionsNeverWrapOntoTheBoard) {
    startPuzzle(smallPuzzle); // board at (70, 100)
    struct PixelCase {
        int px, py;
        int x, y;
    };
    const PixelCase cases[] = {{70, 100, 0, 0},
                               {69, 99, -1, -1},
                               {89, 119, 0, 0},
                               {90, 120, 1, 1},
                               {169, 199, 4, 4},
                               {170, 200, 5, 5},
                               {239, 269, 8, 8},
                               {-5000, 0, -1, -1},
                               {70 + 20 * 256, 100, 12, 0},
                               {70, 100 + 20 * 268, 0, 12}};
    for (const PixelCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.px) + "," + std::to_string(c.py));
        const Cell cell = cellFromPixel(state, c.px, c.py);
        EXPECT_EQ(cell.x, c.x);
        EXPECT_EQ(cell.y, c.y);
    }
    // A press far to the right is off the board, not on column 0.
    down(0, 0);
    onStylusMove(world, 70 + 20 * 256, 100);
    EXPECT_EQ(state.curX, -1);
    EXPECT_EQ(state.tapCount, 1);
}

TEST_F(StylusTest, APressDuringTheSplashOnlyEndsIt) {
    startPuzzle(smallPuzzle);
    state.splashTick = window.now;
    startWindowTimer(world, 60);
    down(2, 2);
    EXPECT_EQ(state.splashTick, 0u);
    EXPECT_FALSE(window.timerRunning);
    EXPECT_EQ(state.curX, 2);
    EXPECT_EQ(state.curY, 2);
    EXPECT_EQ(state.prevX, -1);
    EXPECT_EQ(state.tapCount, 0);
    EXPECT_EQ(window.immediateUpdates, 1);
    EXPECT_EQ(state.repaintMode, repaintWhole);

    state.splashTick = window.now;
    doubleTap(3, 3);
    EXPECT_EQ(state.splashTick, 0u);
    EXPECT_EQ(state.curX, 3);
    EXPECT_EQ(state.justErased, 0);
}

TEST_F(StylusTest, ATapWhilePausedResumesAndDrawsNothing) {
    startPuzzle(smallPuzzle);
    stroke({{0, 0}, {1, 0}});
    window.advance(4000);
    pauseGame(world);
    const std::uint32_t shown = window.now - state.startTick;
    window.advance(60000);
    const BoardRows before = gridRows();
    move(2, 0);
    EXPECT_EQ(gridRows(), before);
    EXPECT_EQ(state.gamePhase, phasePlaying);
    EXPECT_EQ(window.now - state.startTick, shown);
    EXPECT_TRUE(window.timerRunning);
    EXPECT_EQ(window.timerPeriodMs, 100);
    EXPECT_EQ(state.tapCount, 2);
}

TEST_F(StylusTest, OnAFinishedBoardPressingShowsThePlayersLineAndLiftingTheSolutions) {
    startPuzzle(smallPuzzle);
    stroke({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}, {3, 2}}); // line 1, correct
    stroke({{4, 4}, {3, 4}, {2, 4}});                         // a start of line 4
    finishGame(world);
    ASSERT_EQ(state.gamePhase, phaseFinished);
    const std::int32_t taps = state.tapCount;

    down(3, 4);
    EXPECT_EQ(state.hintMode, -1);
    EXPECT_EQ(state.tapCount, taps);
    EXPECT_NE(board.traceMarks[cellIndex(4, 4)], 0);
    EXPECT_NE(board.traceMarks[cellIndex(3, 4)], 0);
    EXPECT_EQ(board.traceMarks[cellIndex(0, 4)], 0);
    up();
    EXPECT_EQ(state.hintMode, 0);
    // The solution's line 4 runs from (0, 2) round to (4, 4).
    for (auto [x, y] : {std::pair{0, 2}, {0, 3}, {0, 4}, {1, 4}, {2, 4}, {3, 4}, {4, 4}})
        EXPECT_NE(board.traceMarks[cellIndex(x, y)], 0) << x << "," << y;
    EXPECT_EQ(board.traceMarks[cellIndex(0, 0)], 0);

    onStylusDown(world, 5, 5);
    EXPECT_EQ(state.hintMode, -1);
    for (std::int8_t mark : board.traceMarks) ASSERT_EQ(mark, 0);
    up();
    for (std::int8_t mark : board.traceMarks) ASSERT_EQ(mark, 0);
}

TEST_F(StylusTest, DrawingTheLastLineFinishesTheGameWithoutAQuestion) {
    startPuzzle(smallPuzzle);
    setLayer(board.grid, {"1...2", "3-3.|", "4571|", "|5J2J", "L---4"});
    window.advance(1000);
    down(0, 0);
    for (auto [x, y] : {std::pair{1, 0}, {2, 0}, {3, 0}, {3, 1}}) move(x, y);
    ASSERT_EQ(state.gamePhase, phasePlaying);
    window.advance(9000);
    move(3, 2);
    EXPECT_EQ(state.gamePhase, phaseFinished);
    EXPECT_EQ(state.solveState, 0);
    EXPECT_TRUE(window.messageBoxes.empty());
    EXPECT_FALSE(window.timerRunning);
    EXPECT_EQ(state.finalTime, 9000);
    EXPECT_EQ(world.statistics.gamesPlayed[0][0], 1);
}

TEST_F(StylusTest, AnOffBoardPressDropsAPendingHint) {
    startPuzzle(smallPuzzle);
    startClock();
    askHint(world);
    ASSERT_EQ(state.hintMode, 1);
    onStylusDown(world, 5, 5);
    EXPECT_EQ(state.hintMode, 0);
    EXPECT_EQ(state.penaltyCells, 0);
}

} // namespace
} // namespace kelvaro
