#include "board_text.h"
#include "engine/board.h"
#include "engine/trace.h"

#include <gtest/gtest.h>

namespace kelvaro {
namespace {

TEST(Board, InBoardAtTheEdgesOfEverySize) {
    for (const int n : {5, 8, 12}) {
        SCOPED_TRACE(n);
        Board board;
        board.boardSize = static_cast<std::int16_t>(n);
        EXPECT_EQ(inBoard(board, -1, 0), 0);
        EXPECT_EQ(inBoard(board, 0, -1), 0);
        EXPECT_EQ(inBoard(board, 0, n), 0);
        EXPECT_EQ(inBoard(board, n, 0), 0);
        EXPECT_EQ(inBoard(board, n - 1, n - 1), 1);
        EXPECT_EQ(inBoard(board, 0, 0), 1);
        const std::int8_t noCell = static_cast<std::int8_t>(255);
        EXPECT_EQ(inBoard(board, noCell, 0), 0);
        EXPECT_EQ(inBoard(board, 0, noCell), 0);
        // Coordinates are taken as 16-bit values first.
        EXPECT_EQ(inBoard(board, 65536 + 2, 1), 1);
        EXPECT_EQ(inBoard(board, 65535, 1), 0);
    }
}

TEST(Board, ASizeBeyondTheStorageNeverReachesPastIt) {
    Board board;
    board.boardSize = 40;
    EXPECT_EQ(boardSide(board), 12);
    EXPECT_EQ(inBoard(board, 12, 0), 0);
    board.boardSize = -3;
    EXPECT_EQ(boardSide(board), 0);
    EXPECT_EQ(inBoard(board, 0, 0), 0);
}

TEST(Board, ReadsOutsideTheBoardAreEmptyAndWritesThereAreDropped) {
    Board board = boardFromText(exampleBoard);
    const int far[][2] = {{-1, 0},  {0, -1},  {5, 0},         {0, 5},      {11, 11},       {12, 0},
                          {255, 0}, {-1, -1}, {1000, 100000}, {-32769, 3}, {3, 2147483647}};
    for (const auto& c : far) {
        SCOPED_TRACE(::testing::Message() << c[0] << "," << c[1]);
        EXPECT_EQ(cellAt(board, board.solution, c[0], c[1]), 0);
        setCell(board, board.solution, c[0], c[1], 7);
        EXPECT_EQ(boardIndex(board, c[0], c[1]), -1);
    }
    EXPECT_EQ(layerText(board, board.solution), exampleBoard);
    EXPECT_TRUE(outsideIsClear(board, board.solution));
}

TEST(Board, StorageIsColumnByColumn) {
    const Board board = boardFromText(exampleBoard);
    // (1, 0) holds symbol 1 and (0, 1) a vertical straight.
    EXPECT_EQ(board.solution[1 * 12 + 0], 1);
    EXPECT_EQ(board.solution[0 * 12 + 1], -13);
    EXPECT_EQ(cellIndex(3, 4), 40);
    EXPECT_EQ(cellIndex(12, 0), -1);
    EXPECT_EQ(cellIndex(0, -1), -1);
}

TEST(Board, ClearingALayerClearsAll144Bytes) {
    Board board;
    board.boardSize = 5;
    board.errors.fill(3);
    clearLayer(board.errors);
    for (const auto v : board.errors) EXPECT_EQ(v, 0);
}

TEST(Board, SegmentCodeForNeighbours) {
    struct Case {
        int px, py, mx, my, qx, qy;
        int code;
    };
    const Case cases[] = {
        {2, 1, 2, 2, 3, 2, -12}, // above and right
        {3, 2, 2, 2, 2, 1, -12}, // the same, P and Q swapped
        {2, 1, 2, 2, 2, 3, -13}, {2, 1, 2, 2, 1, 2, -14}, {3, 2, 2, 2, 2, 3, -23},
        {3, 2, 2, 2, 1, 2, -24}, {2, 3, 2, 2, 1, 2, -34}, {2, 1, 2, 2, 2, 1, 0}, // P == Q
        {3, 3, 2, 2, 2, 1, 0},                                                   // P diagonal to M
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(segmentCodeFor(c.px, c.py, c.mx, c.my, c.qx, c.qy), c.code);
    }
    EXPECT_EQ(static_cast<std::uint8_t>(segmentCodeFor(2, 1, 2, 2, 3, 2)), 244);
}

TEST(Board, CodeDigitsAndRedirection) {
    EXPECT_TRUE(codeContains(-12, 1));
    EXPECT_TRUE(codeContains(-12, 2));
    EXPECT_FALSE(codeContains(-12, 3));
    EXPECT_TRUE(codeContains(-34, 4));
    EXPECT_FALSE(codeContains(3, 3)); // endpoints contain no direction
    EXPECT_FALSE(codeContains(0, 0));
    EXPECT_EQ(otherDirection(-23, 2), 3);
    EXPECT_EQ(otherDirection(-23, 3), 2);
    EXPECT_EQ(otherDirection(-23, 1), 0);
    // Keeps the remaining link and adds the new direction, smaller digit first.
    EXPECT_EQ(redirectCode(2, -13, 1, 4), -12);
    EXPECT_EQ(redirectCode(2, -34, 1, 4), -24);
    EXPECT_EQ(redirectCode(4, -23, 3, 2), -34);
    EXPECT_EQ(redirectCode(3, -24, 1, 4), -34);
    EXPECT_EQ(oppositeDirection(1), 3);
    EXPECT_EQ(oppositeDirection(2), 4);
    EXPECT_EQ(oppositeDirection(3), 1);
    EXPECT_EQ(oppositeDirection(4), 2);
}

TEST(Board, CodeContainsReadsTheDigitsOfEveryByte) {
    for (int c = -128; c <= 127; ++c)
        for (int d = -1; d <= 10; ++d) {
            const bool digit = c < 0 && ((-c) / 10 == d || (-c) % 10 == d);
            EXPECT_EQ(codeContains(c, d), digit) << c << " " << d;
        }
}

TEST(Board, CellsJoinedOnTheExample) {
    const Board board = boardFromText(exampleBoard);
    EXPECT_TRUE(cellsJoined(board, 0, 1, 0, 2));  // vertical, P above
    EXPECT_TRUE(cellsJoined(board, 0, 2, 0, 1));  // vertical, Q above
    EXPECT_TRUE(cellsJoined(board, 1, 3, 2, 3));  // horizontal, P left
    EXPECT_TRUE(cellsJoined(board, 4, 0, 3, 0));  // horizontal, Q left
    EXPECT_FALSE(cellsJoined(board, 0, 0, 1, 0)); // a segment pointing at an endpoint
    EXPECT_FALSE(cellsJoined(board, 0, 3, 1, 3)); // neighbours on different lines
    EXPECT_FALSE(cellsJoined(board, 0, 1, 0, 3)); // not neighbours
    EXPECT_FALSE(cellsJoined(board, 0, 1, 0, 1)); // the same cell
    EXPECT_FALSE(cellsJoined(board, 0, 0, -1, 0));
    EXPECT_FALSE(cellsJoined(board, 4, 4, 5, 4));
}

TEST(Board, TheExampleHasThreeLinesCoveringTheBoard) {
    Board board = boardFromText(exampleBoard);
    struct Line {
        int x, y, length;
    };
    const Line lines[] = {{1, 0, 5}, {2, 0, 5}, {2, 2, 9}};
    Layer covered{};
    for (const Line& line : lines) {
        EXPECT_EQ(traceLine(board, solutionLayer, line.x, line.y), line.length);
        for (int i = 0; i < layerCells; ++i) covered[i] += board.traceMarks[i] != 0 ? 1 : 0;
    }
    for (int x = 0; x < 5; ++x)
        for (int y = 0; y < 5; ++y) EXPECT_EQ(covered[x * 12 + y], 1) << x << "," << y;
}

} // namespace
} // namespace kelvaro
