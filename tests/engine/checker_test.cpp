#include "board_text.h"
#include "engine/checker.h"
#include "engine/generator.h"

#include <gtest/gtest.h>
#include <random>

namespace kelvaro {
namespace {

// Two lines whose endpoints and lengths allow two different fillings of the top-left 4 x 4,
// with a third line around them.
constexpr std::string_view twoRoutesA = "12F73\n"
                                        "|LJ||\n"
                                        "|F7||\n"
                                        "LJ12|\n"
                                        "3---J\n";
constexpr std::string_view twoRoutesB = "12-73\n"
                                        "L7FJ|\n"
                                        "FJL7|\n"
                                        "L-12|\n"
                                        "3---J\n";
// The same endpoints joined with lengths 4 and 8 instead of 6 and 6.
constexpr std::string_view wrongLengths = "12F73\n"
                                          "|||||\n"
                                          "|LJ||\n"
                                          "L-12|\n"
                                          "3---J\n";

// A board as a new game would hold it: solution drawn, lengths and owners computed.
Board puzzleFromText(std::string_view solution) {
    Board board = boardFromText(solution);
    checkGrid(board, solutionLayer);
    computeOwners(board, solutionLayer);
    return board;
}

TEST(CheckGrid, AcceptsTheExampleAndStoresItsLengths) {
    Board board = boardFromText(exampleBoard);
    board.errors.fill(4);
    EXPECT_EQ(checkGrid(board, solutionLayer), 0);
    for (const auto e : board.errors) EXPECT_EQ(e, 0);
    const int lengths[][3] = {{1, 0, 5}, {1, 4, 5}, {2, 0, 5}, {3, 3, 5}, {2, 2, 9}, {2, 4, 9}};
    for (const auto& l : lengths) EXPECT_EQ(board.solutionLength[l[0] * 12 + l[1]], l[2]);
}

TEST(CheckGrid, TheStartOfAGameIsFaultyEverywhere) {
    Board board = puzzleFromText(exampleBoard);
    drawLayer(board, board.grid, ".12..\n.....\n..3..\n...2.\n.13..\n");
    EXPECT_GT(checkGrid(board, gridLayer), 0);
    EXPECT_EQ(maskText(board, board.errors), "#####\n#####\n#####\n#####\n#####\n");
}

TEST(TestSolved, TellsTheGeneratedRoutesFromOtherRoutes) {
    struct Case {
        std::string_view grid;
        int verdict;
    };
    const Case cases[] = {{twoRoutesA, 0}, {twoRoutesB, -1}, {wrongLengths, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.grid);
        Board board = puzzleFromText(twoRoutesA);
        drawLayer(board, board.grid, c.grid);
        EXPECT_EQ(testSolved(board), c.verdict);
    }
}

TEST(TestSolved, MarksBothEndsOfEachLineWithAWrongLength) {
    Board board = puzzleFromText(twoRoutesA);
    drawLayer(board, board.grid, wrongLengths);
    EXPECT_EQ(testSolved(board), 1);
    EXPECT_EQ(maskText(board, board.errors), "##...\n.....\n.....\n..##.\n.....\n");
    EXPECT_EQ(board.gridLength[0 * 12 + 0], 4);
    EXPECT_EQ(board.gridLength[3 * 12 + 3], 8);
}

TEST(TestSolved, LeavesTheOwnersComputeOwnersWouldGive) {
    for (const std::string_view grid : {twoRoutesA, twoRoutesB}) {
        Board board = puzzleFromText(twoRoutesA);
        drawLayer(board, board.grid, grid);
        testSolved(board);
        const Layer fromTestSolved = board.gridOwner;
        computeOwners(board, gridLayer);
        EXPECT_EQ(fromTestSolved, board.gridOwner) << grid;
    }
}

TEST(CountOwnerDifferences, CountsCellsCoveredByAnotherLine) {
    Board board = puzzleFromText(twoRoutesA);
    drawLayer(board, board.grid, twoRoutesB);
    EXPECT_EQ(countOwnerDifferences(board), 2); // (1, 1) and (2, 2) changed lines
    drawLayer(board, board.grid, twoRoutesA);
    EXPECT_EQ(countOwnerDifferences(board), 0);
}

TEST(CheckGrid, ALineJoiningTwoSymbols) {
    // Symbols 1 and 2 are joined on the top row; their partners below stand alone.
    Board board = boardFromText("1---2\n"
                                "3---3\n"
                                "4---4\n"
                                "5---5\n"
                                "16-62\n");
    // Five problems (two per lone endpoint, one for symbol 1 traced twice) and three faulty cells.
    EXPECT_EQ(checkGrid(board, solutionLayer), 8);
    EXPECT_EQ(maskText(board, board.errors), "....#\n.....\n.....\n.....\n#...#\n");
    EXPECT_EQ(board.errors[0 * 12 + 4], 2);
    EXPECT_EQ(board.errors[4 * 12 + 0], 1);

    computeOwners(board, solutionLayer);
    EXPECT_EQ(board.solutionOwner[4 * 12 + 0], 1); // both ends carry the first symbol met
    EXPECT_EQ(board.solutionOwner[4 * 12 + 4], 2);
}

TEST(CheckGrid, MarksSegmentsThatLeadNowhere) {
    struct Case {
        const char* board;
        int x, y;
    };
    const Case cases[] = {
        {"1-1\n...\n.-.\n", 1, 2}, // into empty cells
        {"1-1\n3-3\n..|\n", 2, 2}, // off the bottom edge
        {"1-1\n7-2\n2-2\n", 0, 1}, // off the left edge, no line reaches it either
        {"1-1\n2|2\n---\n", 1, 1}, // up into a segment that does not point back
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.board);
        Board board = boardFromText(c.board);
        EXPECT_GT(checkGrid(board, solutionLayer), 0);
        EXPECT_NE(board.errors[c.x * 12 + c.y], 0);
        EXPECT_EQ(board.errors[1 * 12 + 0], 0); // the sound line on the top row
    }
}

TEST(CheckGrid, LeavesTraceMarksAsTheyWere) {
    Board board = puzzleFromText(twoRoutesA);
    drawLayer(board, board.grid, wrongLengths);
    for (int i = 0; i < layerCells; ++i) board.traceMarks[i] = static_cast<std::int8_t>(i % 7);
    const Layer before = board.traceMarks;
    checkGrid(board, gridLayer);
    checkGrid(board, solutionLayer);
    computeOwners(board, gridLayer);
    testSolved(board);
    countOwnerDifferences(board);
    EXPECT_EQ(board.traceMarks, before);
}

// Many lines, or many endpoints of one symbol, as a board left by 20 failed attempts may hold.
TEST(CheckGrid, CountsEveryFaultOnCrowdedBoards) {
    Board board;
    board.boardSize = 12;
    int symbol = 1;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; x += 3) {
            board.solution[x * 12 + y] = board.solution[(x + 2) * 12 + y] =
                static_cast<std::int8_t>(symbol++);
            board.solution[(x + 1) * 12 + y] = -24;
        }
    // 48 sound lines with distinct numbers, but only 1..19 are symbols: the 29 lines beyond
    // have faulty endpoints.
    EXPECT_EQ(checkGrid(board, solutionLayer), 29 * 2);
    EXPECT_EQ(board.errors[0 * 12 + 0], 0);
    EXPECT_NE(board.errors[9 * 12 + 11], 0);
    computeOwners(board, solutionLayer);
    EXPECT_EQ(board.solutionOwner[10 * 12 + 11], 48);

    for (auto& v : board.solution) v = v > 0 ? 1 : v;
    EXPECT_EQ(checkGrid(board, solutionLayer), 48 * 47 / 2); // one symbol on 48 lines

    board.solution.fill(1);
    // Each of the 144 lone endpoints: two problems and a faulty cell; then every pair clashes.
    EXPECT_EQ(checkGrid(board, solutionLayer), 144 * 143 / 2 + 144 * 2 + 144);
}

TEST(CheckGrid, ALineTooLongToRecordIsAFault) {
    // One snake through all 144 cells: 142 segment cells, more than a length byte holds.
    Board board;
    board.boardSize = 12;
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) {
            const bool rightward = y % 2 == 0;
            const bool turnsDown = (rightward ? x == 11 : x == 0) && y < 11;
            const bool cameDown = (rightward ? x == 0 : x == 11) && y > 0;
            int code = -24;
            if (turnsDown && cameDown)
                code = -13;
            else if (turnsDown)
                code = rightward ? -34 : -23;
            else if (cameDown)
                code = rightward ? -12 : -14;
            board.solution[x * 12 + y] = static_cast<std::int8_t>(code);
        }
    board.solution[0] = 1;
    board.solution[0 * 12 + 11] = 1;
    EXPECT_EQ(checkGrid(board, solutionLayer), 2);
    EXPECT_EQ(board.solutionLength[0], 127);
    EXPECT_EQ(board.solutionLength[11], 127);
}

// An independent judge of a filled layer: every cell is on a path of links between two endpoints
// of one symbol, and no symbol is used by two paths.
bool bruteForceSound(const Board& board) {
    const int n = board.boardSize;
    auto at = [&](int x, int y) -> int {
        return x < 0 || y < 0 || x >= n || y >= n ? 0 : board.solution[x * 12 + y];
    };
    auto points = [&](int x, int y, int tx, int ty) {
        const int v = at(x, y);
        if (v >= 0) return false;
        const int digits[2] = {(-v) / 10, (-v) % 10};
        for (const int d : digits) {
            const int nx = x + (d == 2) - (d == 4), ny = y + (d == 3) - (d == 1);
            if (nx == tx && ny == ty) return true;
        }
        return false;
    };
    const int dxs[4] = {0, 1, 0, -1}, dys[4] = {-1, 0, 1, 0};
    auto linked = [&](int x, int y, int tx, int ty) {
        if (at(x, y) == 0 || at(tx, ty) == 0) return false;
        if (at(x, y) > 0 && at(tx, ty) > 0) return false;
        return (at(x, y) > 0 || points(x, y, tx, ty)) && (at(tx, ty) > 0 || points(tx, ty, x, y));
    };
    int degree[12][12] = {};
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            if (at(x, y) == 0) return false;
            for (int k = 0; k < 4; ++k) degree[x][y] += linked(x, y, x + dxs[k], y + dys[k]);
            if (degree[x][y] != (at(x, y) > 0 ? 1 : 2)) return false;
        }
    bool seen[12][12] = {};
    bool symbolUsed[128] = {};
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            if (at(x, y) <= 0 || seen[x][y]) continue;
            // Walk the path from this endpoint to its other end.
            int px = -1, py = -1, cx = x, cy = y;
            seen[x][y] = true;
            for (;;) {
                int nx = -1, ny = -1;
                for (int k = 0; k < 4; ++k) {
                    const int tx = cx + dxs[k], ty = cy + dys[k];
                    if ((tx != px || ty != py) && linked(cx, cy, tx, ty)) nx = tx, ny = ty;
                }
                px = cx, py = cy, cx = nx, cy = ny;
                seen[cx][cy] = true;
                if (at(cx, cy) > 0) break;
            }
            if (at(cx, cy) != at(x, y) || symbolUsed[at(x, y)]) return false;
            symbolUsed[at(x, y)] = true;
        }
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            if (!seen[x][y]) return false; // a closed loop of segments
    return true;
}

TEST(CheckGrid, AgreesWithABruteForceJudgeOnSmallBoards) {
    const std::int8_t values[] = {0, 1, 2, 3, 4, 5, 6, -12, -13, -14, -23, -24, -34};
    std::mt19937 mutate(7);
    int sound = 0, unsound = 0;
    for (std::uint32_t seed = 0; seed < 3000; ++seed) {
        Board board;
        board.boardSize = 5;
        Mt19937Source random(seed);
        generatePuzzle(board, random);
        // Mostly small damage to a good board, sometimes a board of pure noise.
        const int damage = static_cast<int>(seed % 4);
        for (int d = 0; d < damage; ++d)
            board.solution[(mutate() % 5) * 12 + mutate() % 5] = values[mutate() % 13];
        if (seed % 10 == 9)
            for (int i = 0; i < 25; ++i)
                board.solution[(i / 5) * 12 + i % 5] = values[mutate() % 13];
        const bool expected = bruteForceSound(board);
        (expected ? sound : unsound) += 1;
        ASSERT_EQ(checkGrid(board, solutionLayer) == 0, expected)
            << "seed " << seed << "\n"
            << layerText(board, board.solution);
    }
    // Both verdicts must have been exercised for the comparison to mean anything.
    EXPECT_GT(sound, 500);
    EXPECT_GT(unsound, 500);
}

} // namespace
} // namespace kelvaro
