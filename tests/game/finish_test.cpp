#include "game_fixture.h"
#include "store/histogram.h"
#include "store/settings_store.h"

#include <cstdint>
#include <limits>

namespace kelvaro {
namespace {

using FinishTest = GameFixture;

const MessageBoxCall abandonQuestion{"This will abort the current game. Continue?", "Warning",
                                     buttonsOkCancel};

TEST_F(FinishTest, ShowSolutionIsRefusedUnlessTheClockRuns) {
    enum { notStarted, paused, finished };
    for (int situation : {notStarted, paused, finished}) {
        SCOPED_TRACE(situation);
        startPuzzle(smallPuzzle);
        if (situation != notStarted) startClock();
        if (situation == paused) pauseGame(world);
        if (situation == finished) {
            window.advance(1000);
            finishGame(world);
        }
        window.messageBoxes.clear();
        const GameState before = state;
        finishGame(world);
        EXPECT_TRUE(window.messageBoxes.empty());
        EXPECT_EQ(state.gamePhase, before.gamePhase);
        EXPECT_EQ(state.finalTime, before.finalTime);
        EXPECT_EQ(world.statistics.gamesPlayed[0][0], situation == finished ? 1 : 0);
    }
}

// A grid solved along other routes than the generated ones, some cells owned by another line:
// accepted without a question and without any charge for the differing owners, and recorded.
TEST_F(FinishTest, AGridSolvedAlongOtherRoutesIsAcceptedUnchargedAndRecorded) {
    startPuzzle(twoRoutesPuzzle);
    setLayer(board.grid, otherRoutesAlmostDrawn);
    startClock();
    window.advance(42000);
    stroke({{2, 1}, {2, 2}, {1, 2}, {0, 2}});
    EXPECT_EQ(gridRows(), otherRoutesDrawn);
    EXPECT_GT(countOwnerDifferences(board), 0);

    EXPECT_EQ(state.gamePhase, phaseFinished);
    EXPECT_EQ(state.solveState, -1);
    EXPECT_TRUE(window.messageBoxes.empty());
    EXPECT_EQ(state.penaltyCells, 0);
    EXPECT_EQ(state.finalTime, 42000);
    EXPECT_EQ(state.hintMode, 0); // the painter shows "Accepted solution!" (no penalty)
    const Statistics& records = world.statistics;
    EXPECT_EQ(records.gamesPlayed[0][0], 1);
    EXPECT_EQ(records.totalTime[0][0], 42000);
    EXPECT_EQ(records.totalPenalty[0][0], 0);
    EXPECT_EQ(records.bestTime[0][0], 42000);
    Settings settings;
    Statistics saved;
    ASSERT_EQ(loadSettings(settings, saved, registry), 0);
    EXPECT_EQ(saved.gamesPlayed[0][0], 1);
}

TEST_F(FinishTest, ShowSolutionAnsweredCancelLetsTheGameGoOn) {
    startPuzzle(smallPuzzle);
    startClock();
    window.answerNext(answerCancel);
    finishGame(world);
    ASSERT_EQ(window.messageBoxes.size(), 1u);
    EXPECT_EQ(window.messageBoxes[0], abandonQuestion);
    EXPECT_EQ(state.gamePhase, phasePlaying);
    EXPECT_TRUE(window.timerRunning);
    EXPECT_EQ(state.repaintMode, repaintWhole);
    EXPECT_EQ(world.statistics.gamesPlayed[0][0], 0);
    EXPECT_EQ(registry.findKey(settingsKeyPath), nullptr);
}

TEST_F(FinishTest, ShowSolutionAnsweredOkChargesEveryMismatchingCellAndRecordsTheGame) {
    startPuzzle(smallPuzzle);
    stroke({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}, {3, 2}}); // line 1; 11 segment cells left
    window.advance(30000);
    finishGame(world);

    EXPECT_EQ(window.messageBoxes.size(), 1u);
    EXPECT_EQ(state.gamePhase, phaseFinished);
    EXPECT_FALSE(window.timerRunning);
    EXPECT_EQ(state.solveState, 1);
    EXPECT_EQ(state.nowTick, window.now);
    EXPECT_EQ(state.penaltyCells, 11);
    EXPECT_EQ(state.finalTime, 30000 + 11 * 15000);
    const Statistics& records = world.statistics;
    EXPECT_EQ(records.gamesPlayed[0][0], 1);
    EXPECT_EQ(records.totalTime[0][0], 30000);
    EXPECT_EQ(records.totalPenalty[0][0], 11);
    EXPECT_EQ(records.bestTime[0][0], 195000);
    const HistogramRecord histogram = histogramParse(records.histogram[0][0]);
    EXPECT_TRUE(histogram.hasHeader);
    EXPECT_EQ(histogram.width, 1);
    EXPECT_EQ(histogram.counts[59], 1); // 195 s lies beyond the last bucket

    // What was saved is what a new game reads back.
    Settings settings;
    Statistics saved;
    ASSERT_EQ(loadSettings(settings, saved, registry), 0);
    EXPECT_EQ(saved.gamesPlayed[0][0], 1);
    EXPECT_EQ(saved.bestTime[0][0], 195000);
    EXPECT_EQ(saved.histogram[0][0], records.histogram[0][0]);
}

struct BestTimeCase {
    const char* name;
    std::int32_t gamesBefore;
    std::int32_t bestBefore;
    std::uint32_t elapsed;
    std::int32_t language;
    std::int32_t bestAfter;
    bool congratulates;
};

class BestTimeTest : public GameFixture, public ::testing::WithParamInterface<BestTimeCase> {};

TEST_P(BestTimeTest, FollowsTheFastestGame) {
    const BestTimeCase c = GetParam();
    startPuzzle(smallPuzzle);
    world.settings.language = c.language;
    world.settings.player = 1;
    world.settings.difficulty = 2; // the slot is what counts here, not the board's size
    world.statistics.gamesPlayed[1][2] = c.gamesBefore;
    world.statistics.bestTime[1][2] = c.bestBefore;
    startClock();
    window.advance(c.elapsed);
    setLayer(board.grid, smallPuzzle);
    finishGame(world);

    EXPECT_EQ(state.solveState, 0);
    EXPECT_EQ(world.statistics.gamesPlayed[1][2], c.gamesBefore + 1);
    EXPECT_EQ(world.statistics.bestTime[1][2], c.bestAfter);
    EXPECT_EQ(world.statistics.gamesPlayed[0][0], 0);
    if (c.congratulates) {
        const MessageBoxCall expected =
            c.language == 0 ? MessageBoxCall{"Best time!", "Congratulations", buttonsOk}
                            : MessageBoxCall{"Meilleur temps!", "Félicitations", buttonsOk};
        ASSERT_EQ(window.messageBoxes.size(), 1u);
        EXPECT_EQ(window.messageBoxes[0], expected);
    } else {
        EXPECT_TRUE(window.messageBoxes.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Games, BestTimeTest,
    ::testing::Values(BestTimeCase{"firstGameSetsItSilently", 0, 0, 50000, 0, 50000, false},
                      BestTimeCase{"firstGameIgnoresAStaleValue", 0, 1000, 50000, 0, 50000, false},
                      BestTimeCase{"fasterGame", 3, 60000, 50000, 0, 50000, true},
                      BestTimeCase{"fasterGameInFrench", 3, 60000, 50000, 1, 50000, true},
                      BestTimeCase{"equalTimeIsNoRecord", 3, 50000, 50000, 0, 50000, false},
                      BestTimeCase{"slowerGame", 3, 40000, 50000, 0, 40000, false}),
    [](const auto& param) { return std::string(param.param.name); });

struct ElapsedCase {
    std::uint32_t elapsed;
    bool recorded;
};

class ElapsedTest : public GameFixture, public ::testing::WithParamInterface<ElapsedCase> {};

TEST_P(ElapsedTest, OnlyTimesUpToTheLimitReachTheRecords) {
    const ElapsedCase c = GetParam();
    startPuzzle(smallPuzzle);
    startClock();
    window.advance(c.elapsed);
    setLayer(board.grid, smallPuzzle);
    const int repaintsBefore = window.repaintRequests;
    finishGame(world);

    EXPECT_EQ(state.gamePhase, phaseFinished);
    EXPECT_FALSE(window.timerRunning);
    EXPECT_GT(window.repaintRequests, repaintsBefore);
    EXPECT_EQ(state.repaintMode, repaintWhole);
    EXPECT_EQ(state.finalTime, c.recorded ? static_cast<std::int32_t>(c.elapsed) : 0);
    EXPECT_EQ(world.statistics.gamesPlayed[0][0], c.recorded ? 1 : 0);
    EXPECT_EQ(world.statistics.totalTime[0][0], c.recorded ? state.finalTime : 0);
    EXPECT_EQ(registry.findKey(settingsKeyPath) != nullptr, c.recorded);
}

INSTANTIATE_TEST_SUITE_P(Times, ElapsedTest,
                         ::testing::Values(ElapsedCase{1, true}, ElapsedCase{10000000, true},
                                           ElapsedCase{0, false}, ElapsedCase{10000001, false},
                                           ElapsedCase{0x80000000u, false},
                                           ElapsedCase{0x80000005u, false},
                                           ElapsedCase{0xFFFFFFFFu, false}));

TEST_F(FinishTest, RecordSumsStopAtTheLargestValueInsteadOfTurningNegative) {
    constexpr std::int32_t top = std::numeric_limits<std::int32_t>::max();
    startPuzzle(smallPuzzle);
    startClock();
    askHint(world);
    tap(1, 4); // five penalty cells
    world.statistics.gamesPlayed[0][0] = top;
    world.statistics.totalTime[0][0] = top - 10;
    world.statistics.totalPenalty[0][0] = top - 1;
    world.statistics.bestTime[0][0] = 1;
    window.advance(9000000);
    setLayer(board.grid, smallPuzzle);
    finishGame(world);
    EXPECT_EQ(world.statistics.gamesPlayed[0][0], top);
    EXPECT_EQ(world.statistics.totalTime[0][0], top);
    EXPECT_EQ(world.statistics.totalPenalty[0][0], top);
    EXPECT_EQ(world.statistics.bestTime[0][0], 1);
    EXPECT_EQ(state.finalTime, 9000000 + 5 * 15000);
}

} // namespace
} // namespace kelvaro
