#include "engine/generator.h"
#include "engine/random_source.h"
#include "engine/unique_puzzle.h"
#include "game/unique_preparation.h"

#include <atomic>
#include <gtest/gtest.h>

namespace kelvaro {
namespace {

// The engine's own answer for a unique number: generateUniquePuzzle on a fresh source.
Board engineUnique(std::int16_t size, std::uint32_t seed, UniqueSearch& search) {
    Board board;
    board.boardSize = size;
    Mt19937Source fresh(seed);
    generateUniquePuzzle(board, fresh, search);
    return board;
}

Board enginePlain(std::int16_t size, std::uint32_t seed) {
    Board board;
    board.boardSize = size;
    Mt19937Source fresh(seed);
    generatePuzzle(board, fresh);
    return board;
}

void expectSamePuzzle(const Board& got, const Board& expected) {
    EXPECT_EQ(got.boardSize, expected.boardSize);
    EXPECT_EQ(got.solution, expected.solution);
    EXPECT_EQ(got.solutionLength, expected.solutionLength);
    EXPECT_EQ(got.solutionOwner, expected.solutionOwner);
    EXPECT_EQ(got.grid, expected.grid);
}

TEST(PrepareUniquePuzzle, IsTheEnginesUniquePuzzleOfAFreshSource) {
    const std::atomic<bool> stop{false};
    for (const std::int16_t size : {5, 8, 12}) {
        for (const std::uint32_t seed : {1u, 3141592653u}) {
            SCOPED_TRACE(std::to_string(size) + "u-" + std::to_string(seed));
            UniqueSearch search;
            const Board expected = engineUnique(size, seed, search);
            ASSERT_EQ(search.verdict, uniqueFound);
            PreparedPuzzle prepared;
            ASSERT_TRUE(prepareUniquePuzzle(prepared, size, seed, uniqueAnyLevel,
                                            uniqueCandidateCap, stop));
            EXPECT_TRUE(prepared.unique);
            EXPECT_EQ(prepared.search.candidates, search.candidates);
            expectSamePuzzle(prepared.board, expected);
        }
    }
}

TEST(PrepareUniquePuzzle, FallsBackToThePlainPuzzleOfTheSeedAtTheCap) {
    const std::atomic<bool> stop{false};
    // A seed whose first unique 12 x 12 puzzle lies beyond the third candidate.
    std::uint32_t seed = 1;
    UniqueSearch search;
    while (engineUnique(12, seed, search), search.candidates <= 3) {
        search = UniqueSearch{};
        ++seed;
    }
    PreparedPuzzle prepared;
    ASSERT_TRUE(prepareUniquePuzzle(prepared, 12, seed, uniqueAnyLevel, 3, stop));
    EXPECT_FALSE(prepared.unique);
    EXPECT_EQ(prepared.search.candidates, 3);
    EXPECT_EQ(prepared.search.verdict, uniqueGaveUp);
    expectSamePuzzle(prepared.board, enginePlain(12, seed));

    // At the real cap the same seed finds its unique puzzle.
    ASSERT_TRUE(prepareUniquePuzzle(prepared, 12, seed, uniqueAnyLevel, uniqueCandidateCap, stop));
    EXPECT_TRUE(prepared.unique);
}

TEST(PrepareUniquePuzzle, StopsBeforeTheNextCandidate) {
    const std::atomic<bool> stop{true};
    PreparedPuzzle prepared;
    EXPECT_FALSE(prepareUniquePuzzle(prepared, 12, 7, uniqueAnyLevel, uniqueCandidateCap, stop));
    EXPECT_EQ(prepared.search.candidates, 0);
}

TEST(PuzzlePreparation, AWorkerPreparesThePuzzleAndSaysSoOnce) {
    PuzzlePreparation preparation;
    std::atomic<int> told{0};
    startPreparation(preparation, 8, 42, uniqueAnyLevel, 1000, [&told] { ++told; });
    EXPECT_TRUE(preparation.active);
    EXPECT_EQ(preparation.startTick, 1000u);
    waitForPreparation(preparation);
    EXPECT_TRUE(preparationDone(preparation));
    ASSERT_TRUE(takePreparedPuzzle(preparation));
    EXPECT_FALSE(preparation.active);
    EXPECT_FALSE(takePreparedPuzzle(preparation)); // taken once
    EXPECT_EQ(told.load(), 1);
    UniqueSearch search;
    expectSamePuzzle(preparation.result.board, engineUnique(8, 42, search));
}

TEST(PuzzlePreparation, ACancelledWorkerIsJoinedAndLeavesNothingToTake) {
    PuzzlePreparation preparation;
    std::atomic<int> told{0};
    startPreparation(preparation, 12, 9, uniqueAnyLevel, 1, [&told] { ++told; });
    EXPECT_TRUE(cancelPreparation(preparation));
    EXPECT_FALSE(preparation.worker.joinable());
    EXPECT_FALSE(preparation.active);
    EXPECT_FALSE(preparationDone(preparation));
    EXPECT_FALSE(takePreparedPuzzle(preparation));
    EXPECT_FALSE(cancelPreparation(preparation)); // nothing going any more

    // A new start cancels the one going; only the last one is there to take.
    startPreparation(preparation, 12, 9, uniqueAnyLevel, 1, [&told] { ++told; });
    startPreparation(preparation, 5, 11, uniqueAnyLevel, 2, [&told] { ++told; });
    waitForPreparation(preparation);
    ASSERT_TRUE(takePreparedPuzzle(preparation));
    EXPECT_EQ(preparation.result.board.boardSize, 5);
    UniqueSearch search;
    expectSamePuzzle(preparation.result.board, engineUnique(5, 11, search));
}

} // namespace
} // namespace kelvaro
