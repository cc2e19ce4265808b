#include "board_text.h"
#include "engine/checker.h"
#include "engine/generator.h"
#include "scripted_source.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <numeric>

namespace kelvaro {
namespace {

TEST(FindLineStart, PicksACellWithTwoEmptyNeighbours) {
    struct Case {
        const char* board;
        std::vector<std::int32_t> draws;
        int px, py, d;
    };
    const Case cases[] = {
        // (263 AND 255) mod 5 = 2: the start is (2, 2), and draw 0 picks the cell below.
        {".....\n.....\n.....\n.....\n.....\n", {263, 2, 0}, 2, 3, dirUp},
        // At the corner only "above" and "left" are open; 0 moves on to "above".
        {".....\n.....\n.....\n.....\n.....\n", {4, 4, 0}, 4, 3, dirDown},
        {".....\n.....\n.....\n.....\n.....\n", {4, 4, 3}, 3, 4, dirRight},
        // The scan runs along the row from the filled start cell to (3, 0).
        {"1-1..\n.....\n.....\n.....\n.....\n", {0, 0, 3}, 3, 1, dirUp},
        // From the bottom-right cell the scan wraps to the top-left one.
        {"..1\n.--\n---\n", {2, 2, 0}, 0, 1, dirUp},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.board << c.draws[0] << "," << c.draws[1]);
        Board board = boardFromText(c.board);
        ScriptedSource random(c.draws);
        int px = -1, py = -1, d = -1;
        ASSERT_TRUE(findLineStart(board, random, px, py, d));
        EXPECT_EQ(px, c.px);
        EXPECT_EQ(py, c.py);
        EXPECT_EQ(d, c.d);
        EXPECT_EQ(random.used(), 3u);
    }
}

TEST(FindLineStart, ReportsNoStartWhenNoGapHasTwoOpenNeighbours) {
    Board board = boardFromText(".-.\n-.-\n.-.\n");
    ScriptedSource random({1, 1});
    int px = 0, py = 0, d = 0;
    EXPECT_FALSE(findLineStart(board, random, px, py, d));
    EXPECT_EQ(random.used(), 2u);
}

TEST(WalkLine, StepsByThePicksUntilTheLimit) {
    Board board = boardFromText(".....\n.....\n.....\n.....\n.....\n");
    ScriptedSource random({2, 0, 3});
    EXPECT_EQ(walkLine(board, random, 0, 0, dirRight, 5, 1), 5);
    EXPECT_EQ(random.used(), 3u);
    EXPECT_EQ(layerText(board, board.solution), "1-7..\n.1J..\n.....\n.....\n.....\n");
}

TEST(WalkLine, StopsWhereItIsWalledIn) {
    Board board = boardFromText("...\n...\n...\n");
    ScriptedSource random({2, 1, 2, 0, 0, 3, 3});
    EXPECT_EQ(walkLine(board, random, 0, 0, dirDown, 25, 1), 9);
    EXPECT_EQ(random.used(), 7u);
    EXPECT_EQ(layerText(board, board.solution), "1F7\nLJ|\n1-J\n");
    EXPECT_EQ(checkGrid(board, solutionLayer), 0);
}

TEST(WalkLine, ALimitOfTwoLaysOnlyTheEndpoints) {
    Board board = boardFromText("...\n...\n...\n");
    ScriptedSource random({});
    EXPECT_EQ(walkLine(board, random, 0, 0, dirRight, 2, 4), 2);
    EXPECT_EQ(random.used(), 0u);
    EXPECT_EQ(layerText(board, board.solution), "44.\n...\n...\n");
}

TEST(DrawLineLimit, MasksThenReducesAndCapsAt25) {
    const int cases[][3] = {{5, 0, 7},   {5, 4, 11},   {8, 7, 19},   {8, 256, 12},
                            {12, 0, 18}, {12, 11, 25}, {12, 255, 21}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c[0] << " " << c[1]);
        ScriptedSource random({c[1]});
        EXPECT_EQ(drawLineLimit(c[0], random), c[2]);
        EXPECT_EQ(random.used(), 1u);
    }
}

TEST(ShuffleSymbols, SwapsAHundredTimesPerEntry) {
    std::int8_t list[3] = {1, 2, 3};
    ScriptedSource random({0, 1}); // one swap of entries 0 and 1, then swaps of entry 0 with itself
    shuffleSymbols(list, 3, random);
    EXPECT_EQ(random.used(), 600u);
    EXPECT_EQ(list[0], 2);
    EXPECT_EQ(list[1], 1);
    EXPECT_EQ(list[2], 3);
}

TEST(ShuffleSymbols, ReducesTheWholeDraw) {
    std::int8_t list[19];
    std::iota(list, list + 19, std::int8_t{1});
    ScriptedSource random({257, 0}); // 257 mod 19 = 10, where 257 AND 255 would give 1
    shuffleSymbols(list, 19, random);
    EXPECT_EQ(random.used(), 3800u);
    EXPECT_EQ(list[0], 11);
    EXPECT_EQ(list[10], 1);
}

TEST(ShuffleSymbols, LeavesAPermutation) {
    Mt19937Source random(5);
    std::int8_t list[19];
    std::iota(list, list + 19, std::int8_t{1});
    shuffleSymbols(list, 19, random);
    std::sort(list, list + 19);
    for (int i = 0; i < 19; ++i) EXPECT_EQ(list[i], i + 1);
}

// A 12 x 12 board of horizontal lines, numbered 1 up in laying order; the first `split` rows
// hold two lines each.
Board boardOfLines(int split) {
    Board board;
    board.boardSize = 12;
    std::int8_t symbol = 1;
    for (int y = 0; y < 12; ++y) {
        const int spans[2][2] = {{0, y < split ? 5 : 11}, {6, 11}};
        for (int s = 0; s < (y < split ? 2 : 1); ++s) {
            for (int x = spans[s][0]; x <= spans[s][1]; ++x) board.solution[x * 12 + y] = -24;
            board.solution[spans[s][0] * 12 + y] = board.solution[spans[s][1] * 12 + y] = symbol;
            ++symbol;
        }
    }
    return board;
}

TEST(FinishAttempt, AcceptsEighteenLinesAndRejectsNineteen) {
    {
        Board board = boardOfLines(7); // 19 lines, k = 20
        ScriptedSource random({});
        EXPECT_EQ(finishAttempt(board, random, 20), 1);
        EXPECT_EQ(random.used(), 0u);
    }
    Board board = boardOfLines(6); // 18 lines, k = 19
    Mt19937Source random(1);
    EXPECT_EQ(finishAttempt(board, random, 19), 0);
    bool seen[20] = {};
    for (int y = 0; y < 12; ++y) {
        const int v = board.solution[0 * 12 + y];
        ASSERT_GE(v, 1);
        ASSERT_LE(v, 19);
        EXPECT_FALSE(seen[v]);
        seen[v] = true;
    }
}

// Checks a generated puzzle against everything a new game relies on, following each line by
// hand rather than through the engine's own tracing.
void expectSoundPuzzle(Board board) {
    const int n = board.boardSize;
    auto at = [&](const Layer& layer, int x, int y) { return layer[x * 12 + y]; };
    bool symbolUsed[128] = {};
    bool covered[12][12] = {};
    int lines = 0;
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            const int v = at(board.solution, x, y);
            ASSERT_NE(v, 0) << "empty cell " << x << "," << y;
            EXPECT_EQ(at(board.grid, x, y), v > 0 ? v : 0);
            EXPECT_NE(at(board.solutionOwner, x, y), 0);
            if (v < 0 || covered[x][y]) continue;
            // Walk from this endpoint to the other one.
            ++lines;
            ASSERT_FALSE(symbolUsed[v]) << "symbol " << v << " used twice";
            symbolUsed[v] = true;
            int cx = x, cy = y, px = -1, py = -1, segments = 0;
            covered[x][y] = true;
            for (;;) {
                int nx = -1, ny = -1;
                const int dxs[4] = {0, 1, 0, -1}, dys[4] = {-1, 0, 1, 0};
                for (int k = 0; k < 4; ++k) {
                    const int tx = cx + dxs[k], ty = cy + dys[k];
                    if (tx < 0 || ty < 0 || tx >= n || ty >= n || (tx == px && ty == py)) continue;
                    const int here = at(board.solution, cx, cy);
                    const int there = at(board.solution, tx, ty);
                    const bool out = here > 0 || codeContains(here, k + 1);
                    const bool in = there > 0 || codeContains(there, oppositeDirection(k + 1));
                    if (out && in && !(here > 0 && there > 0)) nx = tx, ny = ty;
                }
                ASSERT_GE(nx, 0) << "line " << v << " breaks at " << cx << "," << cy;
                px = cx, py = cy, cx = nx, cy = ny;
                covered[cx][cy] = true;
                EXPECT_EQ(at(board.solutionOwner, cx, cy), v);
                if (at(board.solution, cx, cy) > 0) break;
                ++segments;
            }
            EXPECT_EQ(at(board.solution, cx, cy), v);
            EXPECT_GE(segments, 1);
            EXPECT_EQ(at(board.solutionLength, x, y), segments);
            EXPECT_EQ(at(board.solutionLength, cx, cy), segments);
        }
    EXPECT_LE(lines, 18);
    for (int i = 0; i < layerCells; ++i) {
        EXPECT_EQ(board.gridLength[i], 0);
        EXPECT_EQ(board.errors[i], 0);
        EXPECT_EQ(board.revealed[i], 0);
        EXPECT_EQ(board.traceMarks[i], 0);
    }
    for (const Layer* layer : {&board.solution, &board.solutionOwner, &board.solutionLength,
                               &board.grid, &board.gridOwner})
        EXPECT_TRUE(outsideIsClear(board, *layer));
    EXPECT_EQ(checkGrid(board, solutionLayer), 0);
}

TEST(GeneratePuzzle, EverySizeOverManySeeds) {
    for (const int n : {5, 8, 12}) {
        Board board;
        board.boardSize = static_cast<std::int16_t>(n);
        for (std::uint32_t seed = 0; seed < 400; ++seed) {
            SCOPED_TRACE(::testing::Message() << "size " << n << " seed " << seed);
            Mt19937Source random(seed * 2654435761u);
            // The board is reused, as the game does: nothing of the last puzzle may leak through.
            board.gridLength.fill(3);
            board.revealed.fill(1);
            board.traceMarks.fill(50);
            ASSERT_GT(generatePuzzleCounting(board, random), 0);
            expectSoundPuzzle(board);
            if (::testing::Test::HasFailure()) return;
        }
    }
}

TEST(GeneratePuzzle, TheSameDrawsGiveTheSamePuzzle) {
    Board first;
    first.boardSize = 12;
    Mt19937Source source(2024);
    RecordingSource recorder(source);
    generatePuzzle(first, recorder);

    Board replay;
    replay.boardSize = 12;
    ScriptedSource script(recorder.draws);
    generatePuzzle(replay, script);
    EXPECT_EQ(script.used(), recorder.draws.size());
    EXPECT_EQ(replay.solution, first.solution);
    EXPECT_EQ(replay.solutionOwner, first.solutionOwner);
    EXPECT_EQ(replay.solutionLength, first.solutionLength);
    EXPECT_EQ(replay.grid, first.grid);

    // And a seed always gives the same draws: mt19937 is specified to the bit.
    Mt19937Source again(2024);
    for (std::size_t i = 0; i < 50; ++i) EXPECT_EQ(again.draw(), recorder.draws[i]);
}

TEST(GeneratePuzzle, EndsCleanlyEvenWhenEveryAttemptFails) {
    for (const std::int32_t value : {0, 1, 3, 255, -1}) {
        for (const int n : {5, 8, 12}) {
            SCOPED_TRACE(::testing::Message() << "value " << value << " size " << n);
            Board board;
            board.boardSize = static_cast<std::int16_t>(n);
            ConstantSource random(value);
            const int accepted = generatePuzzleCounting(board, random);
            const int verdict = checkGrid(board, solutionLayer);
            if (accepted != 0) {
                EXPECT_EQ(verdict, 0);
            }
            // A board the caller takes for sound only holds symbols it can show.
            if (verdict == 0) {
                for (const auto v : board.solution) EXPECT_LE(v, maxSymbol);
            }
            for (int i = 0; i < layerCells; ++i) {
                EXPECT_EQ(board.grid[i], board.solution[i] > 0 ? board.solution[i] : 0);
                EXPECT_EQ(board.gridLength[i], 0);
            }
            EXPECT_TRUE(outsideIsClear(board, board.solution));
        }
    }
}

TEST(GeneratePuzzle, AStraySizeNeverLeavesTheStorage) {
    for (const std::int16_t size : {0, -4, 13, 127}) {
        SCOPED_TRACE(size);
        Board board;
        board.boardSize = size;
        Mt19937Source random(3);
        generatePuzzle(board, random);
        if (size <= 0) {
            for (const auto v : board.solution) EXPECT_EQ(v, 0);
        } else {
            EXPECT_EQ(checkGrid(board, solutionLayer), 0); // generated as a 12 x 12 board
        }
    }
}

} // namespace
} // namespace kelvaro
