#include "board_text.h"
#include "engine/checker.h"
#include "engine/refine.h"
#include "engine/trace.h"
#include "scripted_source.h"

#include <gtest/gtest.h>

namespace kelvaro {
namespace {

TEST(FillGaps, ChangesNothingWithoutAnEndpointBesideAGap) {
    for (const char* text : {"F12F7\n|FJ||\n||3J|\n|L-2|\nL13-J\n", "---\n-.-\n---\n"}) {
        SCOPED_TRACE(text);
        Board board = boardFromText(text);
        ScriptedSource random({});
        EXPECT_EQ(fillGaps(board, random), 0);
        EXPECT_EQ(layerText(board, board.solution), text);
        EXPECT_EQ(random.used(), 0u);
    }
}

TEST(FillGaps, TheDrawChoosesWhichLineGrows) {
    // The gap at (3, 0) touches endpoints of lines 3 (below), 2 (right) and 1 (left).
    const char* before = "1-1.2\n"
                         "3--3|\n"
                         "4--42\n"
                         "5---5\n"
                         "6---6\n";
    struct Case {
        std::int32_t draw;
        const char* after;
    };
    const Case cases[] = {
        {0, "1-132\n3--J|\n4--42\n5---5\n6---6\n"},
        {1, "1-127\n3--3|\n4--42\n5---5\n6---6\n"}, // "above" is off the board: on to "right"
        {2 + 256, "1-127\n3--3|\n4--42\n5---5\n6---6\n"},
        {3, "1--12\n3--3|\n4--42\n5---5\n6---6\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.draw);
        Board board = boardFromText(before);
        ScriptedSource random({c.draw});
        EXPECT_EQ(fillGaps(board, random), 1);
        EXPECT_EQ(random.used(), 1u);
        EXPECT_EQ(layerText(board, board.solution), c.after);
        EXPECT_EQ(checkGrid(board, solutionLayer), 0);
    }
}

TEST(FillGaps, AnEndpointMadeEarlierInTheScanCanGrowAgain) {
    Board board = boardFromText("1-1..\n2---2\n3---3\n4---4\n5---5\n");
    ScriptedSource random({0, 3});
    EXPECT_EQ(fillGaps(board, random), 2);
    EXPECT_EQ(layerText(board, board.solution), "1---1\n2---2\n3---3\n4---4\n5---5\n");
}

TEST(AddDetours, PrefersTheLeftSide) {
    Board board = boardFromText("1.234\n"
                                "|.|||\n"
                                "|.|||\n"
                                "|.|||\n"
                                "1.234\n");
    addDetours(board);
    EXPECT_EQ(layerText(board, board.solution), "1.234\n"
                                                "L7|||\n"
                                                "FJ|||\n"
                                                "|.|||\n"
                                                "1.234\n");
    EXPECT_EQ(traceLine(board, solutionLayer, 0, 0), 5); // 3 + 2
}

TEST(AddDetours, TakesABottomRowPairIntoTheLineAbove) {
    Board board = boardFromText("14423\n"
                                "|||||\n"
                                "|||||\n"
                                "|LJ||\n"
                                "1..23\n");
    addDetours(board);
    EXPECT_EQ(layerText(board, board.solution), "14423\n"
                                                "|||||\n"
                                                "|||||\n"
                                                "|||||\n"
                                                "1LJ23\n");
    EXPECT_EQ(checkGrid(board, solutionLayer), 0);
    EXPECT_EQ(board.solutionLength[1 * 12 + 0], 8); // 6 + 2
}

TEST(AddDetours, SideBySideGapsAboveTheBottomRowStayEmpty) {
    const char* text = "1--1\n....\n2--2\n3--3\n";
    Board board = boardFromText(text);
    addDetours(board);
    EXPECT_EQ(layerText(board, board.solution), text);
}

TEST(SplitAtCorner, NeedsALineAroundADiagonalNeighbour) {
    const char* text = "1-1\n...\n...\n";
    Board board = boardFromText(text);
    ScriptedSource random({});
    std::int8_t k = 2;
    EXPECT_EQ(splitAtCorner(board, random, k), 0);
    EXPECT_EQ(k, 2);
    EXPECT_EQ(random.used(), 0u);
    EXPECT_EQ(layerText(board, board.solution), text);
}

TEST(SplitAtCorner, CutsTheChosenCornerIntoTwoLines) {
    // Only (3, 1) is empty; quadrants 0, 1 and 3 allow a split, quadrant 2 does not.
    const char* before = "1---7\n"
                         "2-2.|\n"
                         "3--3|\n"
                         "4--4|\n"
                         "5--51\n";
    struct Case {
        std::int32_t draw;
        const char* after;
    };
    const Case cases[] = {
        {0, "1---7\n2-21J\n3--36\n4--4|\n5--56\n"},
        {1, "1--76\n2-21|\n3--3|\n4--4|\n5--56\n"},
        {2, "6-6F7\n2-21|\n3--3|\n4--4|\n5--51\n"}, // quadrant 2 is refused: on to 3
        {3, "6-6F7\n2-21|\n3--3|\n4--4|\n5--51\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.draw);
        Board board = boardFromText(before);
        ScriptedSource random({c.draw});
        std::int8_t k = 6;
        EXPECT_EQ(splitAtCorner(board, random, k), 1);
        EXPECT_EQ(k, 7);
        EXPECT_EQ(random.used(), 1u);
        EXPECT_EQ(layerText(board, board.solution), c.after);
        EXPECT_EQ(checkGrid(board, solutionLayer), 0);
    }
}

TEST(SplitAtCorner, ALineWithoutEndpointsIsNeverCut) {
    // The gap's diagonal neighbours lie on a closed loop: nothing to cut, and no endless splitting.
    Board board = boardFromText("F-7\n|.|\nL-J\n");
    ScriptedSource random({0, 0});
    std::int8_t k = 1;
    EXPECT_EQ(splitAtCorner(board, random, k), 0);
    EXPECT_EQ(k, 1);
    EXPECT_EQ(layerText(board, board.solution), "F-7\n|.|\nL-J\n");
}

} // namespace
} // namespace kelvaro
