#include "play_script.h"

#include <string>
#include <string_view>

namespace kelvaro {
namespace {

// Keys as letters: arrows U D L R, Space _, Delete X; H the Hint command, P the Pause command,
// W a wait of three seconds.
class KeyboardTest : public PlayScript {
  protected:
    void keys(std::string_view typed) {
        for (const char key : typed) {
            switch (key) {
            case 'U':
                keyboardArrow(world, dirUp);
                break;
            case 'D':
                keyboardArrow(world, dirDown);
                break;
            case 'L':
                keyboardArrow(world, dirLeft);
                break;
            case 'R':
                keyboardArrow(world, dirRight);
                break;
            case '_':
                keyboardSpace(world);
                break;
            case 'X':
                keyboardErase(world);
                break;
            case 'H':
                askHint(world);
                break;
            case 'P':
                pauseGame(world);
                break;
            case 'W':
                window.advance(3000);
                break;
            default:
                FAIL() << "no key " << key;
            }
        }
    }
    Cell cursor() const { return {world.pen.x, world.pen.y}; }
};

TEST_F(KeyboardTest, TheFirstArrowOnlyShowsTheCursorThenArrowsMoveItAndStopAtTheEdge) {
    startPuzzle(smallPuzzle);
    EXPECT_FALSE(keyboardCursorVisible(world));
    keys("R");
    EXPECT_TRUE(keyboardCursorVisible(world));
    EXPECT_EQ(cursor().x, 0);
    EXPECT_EQ(cursor().y, 0);
    keys("LUUL");
    EXPECT_EQ(cursor().x, 0);
    EXPECT_EQ(cursor().y, 0);
    keys("RRRRRRRDDDDDDD");
    EXPECT_EQ(cursor().x, 4);
    EXPECT_EQ(cursor().y, 4);
    EXPECT_EQ(state.tapCount, 0); // a pen up makes no stylus event
    EXPECT_EQ(window.repaintRequests, 0);
    const Rect cell = keyboardCursorRect(world);
    EXPECT_EQ(cell.left, state.boardLeft + 80);
    EXPECT_EQ(cell.top, state.boardTop + 80);
    EXPECT_EQ(cell.width(), 20);
}

TEST_F(KeyboardTest, SpaceAndArrowsDrawALineAsAStrokeWould) {
    startPuzzle(smallPuzzle);
    keys("R_RRRDD");
    EXPECT_TRUE(world.pen.down);
    EXPECT_EQ(state.tapCount, 6);
    EXPECT_EQ(state.lineLength, 4);
    keys("_");
    EXPECT_FALSE(world.pen.down);
    EXPECT_EQ(gridRows(), (BoardRows{"1--72", "3.3|.", "45.1.", ".5.2.", "....4"}));
    for (std::int8_t mark : board.traceMarks) ASSERT_EQ(mark, 0); // lifted
    undoCommand(world);                                           // one stroke, one step
    EXPECT_EQ(gridRows()[0], "1...2");
}

TEST_F(KeyboardTest, DeleteErasesTheCursorsCellAndAPressNextToTheHeadContinuesTheLine) {
    startPuzzle(smallPuzzle);
    keys("R_RR_"); // (0, 0) to (2, 0), lifted on (2, 0)
    EXPECT_EQ(gridRows()[0], "1-..2");
    keys("R_DD_"); // within the time-out, next to the head: the same line goes on
    EXPECT_EQ(gridRows(), (BoardRows{"1--72", "3.3|.", "45.1.", ".5.2.", "....4"}));
    keys("WUULX"); // the double tap on (2, 0) erases it
    EXPECT_EQ(gridRows()[0], "1-.72");
    EXPECT_FALSE(world.pen.down);
    EXPECT_EQ(state.curX, -1);
    keys("UUDX"); // an endpoint: nothing is erased
    EXPECT_EQ(gridRows()[1], "3.3|.");
    EXPECT_EQ(gridRows()[0], "1-.72");
}

TEST_F(KeyboardTest, SpaceTakesAPendingHintAndResumesAPausedGameWithThePenUp) {
    startPuzzle(smallPuzzle);
    keys("R__"); // a tap on (0, 0) starts the clock
    keys("HDD_");
    EXPECT_EQ(state.hintMode, 0);
    EXPECT_EQ(state.penaltyCells, 5); // line 4 through (0, 2)
    EXPECT_EQ(board.revealed[cellIndex(0, 3)], 1);
    keys("_");

    keys("R_R"); // a stroke from (1, 2) under way
    ASSERT_TRUE(world.pen.down);
    keys("P");
    EXPECT_EQ(state.gamePhase, phasePaused);
    EXPECT_FALSE(keyboardCursorVisible(world));
    const BoardRows before = gridRows();
    keys("RRD"); // nothing moves while paused
    EXPECT_EQ(cursor().x, 2);
    EXPECT_EQ(cursor().y, 2);
    keys("_");
    EXPECT_EQ(state.gamePhase, phasePlaying);
    EXPECT_FALSE(world.pen.down);
    EXPECT_TRUE(keyboardCursorVisible(world));
    EXPECT_EQ(gridRows(), before);
}

TEST_F(KeyboardTest, DuringTheSplashAKeyOnlyEndsIt) {
    startPuzzle(smallPuzzle);
    state.splashTick = window.now;
    keys("R");
    EXPECT_EQ(state.splashTick, 0u);
    EXPECT_EQ(state.tapCount, 0);
    EXPECT_FALSE(keyboardCursorVisible(world));
    EXPECT_FALSE(world.pen.down);
}

TEST_F(KeyboardTest, AMousePressLiftsThePenAndHidesTheCursorOnThePressedCell) {
    startPuzzle(smallPuzzle);
    keys("R_R");
    ASSERT_TRUE(world.pen.down);
    followMousePress(world, pixelX(3), pixelY(2));
    EXPECT_FALSE(world.pen.down);
    EXPECT_EQ(state.stylusLifted, 1); // the pen's stylus up came first
    EXPECT_FALSE(keyboardCursorVisible(world));
    EXPECT_EQ(cursor().x, 3);
    EXPECT_EQ(cursor().y, 2);
    keys("D");
    EXPECT_EQ(cursor().y, 2); // shown there first
    EXPECT_TRUE(keyboardCursorVisible(world));
}

TEST_F(KeyboardTest, EveryFreshBoardPutsTheCursorBackOnTheTopLeftCell) {
    for (void (*start)(GameWorld&) : {newGame, learnRules, restartPuzzle}) {
        startPuzzle(smallPuzzle);
        keys("RRDD");
        start(world);
        EXPECT_EQ(cursor().x, 0);
        EXPECT_EQ(cursor().y, 0);
        EXPECT_FALSE(keyboardCursorVisible(world));
    }
}

} // namespace
} // namespace kelvaro
