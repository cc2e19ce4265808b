#include "board_text.h"
#include "engine/trace.h"

#include <gtest/gtest.h>

namespace kelvaro {
namespace {

struct TraceCase {
    const char* name;
    const char* board;
    int x, y;
    int length;
    const char* marked;
};

class TraceLineTest : public ::testing::TestWithParam<TraceCase> {};

TEST_P(TraceLineTest, MarksTheLineAndCountsItsSegments) {
    const TraceCase& c = GetParam();
    for (const int layer : {solutionLayer, gridLayer}) {
        SCOPED_TRACE(layer);
        Board board = boardFromText(c.board);
        board.traceMarks.fill(9); // stale marks from an earlier trace
        EXPECT_EQ(traceLine(board, layer, c.x, c.y), c.length);
        EXPECT_EQ(maskText(board, board.traceMarks), c.marked);
        EXPECT_TRUE(outsideIsClear(board, board.traceMarks));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TraceLineTest,
    ::testing::Values(
        TraceCase{"EmptyCell", "1-1\n...\n...\n", 1, 1, 0, "...\n...\n...\n"},
        TraceCase{"FromAnEndpoint", "F12F7\n|FJ||\n||3J|\n|L-2|\nL13-J\n", 1, 0, 5,
                  "##...\n#....\n#....\n#....\n##...\n"},
        TraceCase{"FromASegment", "F12F7\n|FJ||\n||3J|\n|L-2|\nL13-J\n", 0, 2, 5,
                  "##...\n#....\n#....\n#....\n##...\n"},
        TraceCase{"FromTheFarEnd", "F12F7\n|FJ||\n||3J|\n|L-2|\nL13-J\n", 2, 4, 9,
                  "...##\n...##\n..###\n....#\n..###\n"},
        TraceCase{"FromACornerSegment", "F12F7\n|FJ||\n||3J|\n|L-2|\nL13-J\n", 1, 1, 5,
                  "..#..\n.##..\n.#...\n.###.\n.....\n"},
        TraceCase{"NothingPointsAtTheEndpoint", "1|.\n...\n...\n", 0, 0, 0, "#..\n...\n...\n"},
        TraceCase{"TouchingEndpoints", "11.\n...\n...\n", 0, 0, 0, "#..\n...\n...\n"},
        TraceCase{"ChainEndsInAnEmptyCell", "1-.\n...\n...\n", 0, 0, 1, "##.\n...\n...\n"},
        TraceCase{"ChainRunsOffTheBoard", "--1\n...\n...\n", 2, 0, 2, "###\n...\n...\n"},
        TraceCase{"SegmentDoesNotPointBack", "1-|\n...\n...\n", 0, 0, 1, "##.\n...\n...\n"},
        TraceCase{"ClosedLoop", "F7.\nLJ.\n...\n", 0, 0, 4, "##.\n##.\n...\n"},
        TraceCase{"JoinsTwoSymbols", "1-2\n...\n...\n", 0, 0, 1, "###\n...\n...\n"},
        TraceCase{"EndpointWithTwoChains", "...\n-17\n..J\n", 1, 1, 3, "...\n###\n..#\n"},
        TraceCase{"TwoChainsToFarEnds", ".....\n2-1-2\n.....\n.....\n.....\n", 2, 1, 2,
                  ".....\n#####\n.....\n.....\n.....\n"}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(TraceLine, CountReadsTheSolutionWhicheverLayerIsTraced) {
    Board board = boardFromText("1-1\n...\n...\n");
    drawLayer(board, board.grid, "1..\n|..\n1..\n");
    EXPECT_EQ(traceLine(board, gridLayer, 0, 0), 0); // solution has no segment at (0, 1)
    EXPECT_EQ(maskText(board, board.traceMarks), "#..\n#..\n#..\n");
    EXPECT_EQ(traceLine(board, solutionLayer, 0, 0), 1);
}

TEST(TraceLine, AnyStartCoordinatesAreSafe) {
    Board board = boardFromText(exampleBoard);
    const int starts[][2] = {{-1, 0},  {0, -1},   {5, 0},      {255, 255},
                             {-1, -1}, {1000, 3}, {-32769, 0}, {0, 2147483647}};
    for (const auto& s : starts) {
        SCOPED_TRACE(::testing::Message() << s[0] << "," << s[1]);
        EXPECT_EQ(traceLine(board, gridLayer, s[0], s[1]), 0);
        EXPECT_EQ(maskText(board, board.traceMarks), ".....\n.....\n.....\n.....\n.....\n");
        for (int d = 0; d <= 5; ++d) traceStep(board, s[0], s[1], d, gridLayer);
        EXPECT_TRUE(outsideIsClear(board, board.traceMarks));
    }
}

TEST(TraceStep, ReportsWhyItStopped) {
    struct Case {
        const char* board;
        int x, y, d;
        int stop;
    };
    const Case cases[] = {
        {"1-2\n...\n...\n", 0, 0, dirRight, traceEndpoint},
        {"1-.\n...\n...\n", 0, 0, dirRight, traceEmpty},
        {"1-.\n...\n...\n", 0, 0, 0, traceBadDirection},
        {"1-.\n...\n...\n", 0, 0, 5, traceBadDirection},
        {"1|.\n...\n...\n", 0, 0, dirRight, traceNotJoined},
        {"F7.\nLJ.\n...\n", 0, 0, dirRight, traceAlreadyMarked},
        {"--1\n...\n...\n", 2, 0, dirLeft, traceOffBoard},
        {"1..\n...\n...\n", 0, 0, dirUp, traceOffBoard},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.board);
        Board board = boardFromText(c.board);
        EXPECT_EQ(traceStep(board, c.x, c.y, c.d, solutionLayer), c.stop);
    }
}

TEST(TraceStep, LeavingTheStartDoesNotMarkIt) {
    Board board = boardFromText("1-2\n...\n...\n");
    traceStep(board, 0, 0, dirRight, gridLayer);
    EXPECT_EQ(maskText(board, board.traceMarks), ".##\n...\n...\n");
}

} // namespace
} // namespace kelvaro
