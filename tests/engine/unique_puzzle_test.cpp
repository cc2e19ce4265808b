#include "board_text.h"
#include "engine/checker.h"
#include "engine/generator.h"
#include "engine/ladder.h"
#include "engine/puzzle_number.h"
#include "engine/solver.h"
#include "engine/unique_puzzle.h"
#include "scripted_source.h"

#include <gtest/gtest.h>

namespace kelvaro {
namespace {

// FNV-1a over the board's solution cells, column by column: a short name for a whole puzzle.
std::uint32_t solutionHash(const Board& board) {
    std::uint32_t hash = 2166136261u;
    const int n = boardSide(board);
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y) {
            hash ^= static_cast<std::uint8_t>(board.solution[x * storageSide + y]);
            hash *= 16777619u;
        }
    return hash;
}

// Counts the draws, so a test sees when a step generates nothing.
class CountingSource final : public RandomSource {
  public:
    explicit CountingSource(std::uint32_t seed) : source_(seed) {}
    std::int32_t draw() override {
        ++draws_;
        return source_.draw();
    }
    long draws() const { return draws_; }

  private:
    Mt19937Source source_;
    long draws_ = 0;
};

// What "12u-S", "12g-S", "12d-S" and their kin name. These change only when the generator, the
// solvers' budgets or orders of search, the ladder's rules, or the candidate cap change, and then
// every published unique number changes.
TEST(UniquePuzzle, TheFirstUniquePuzzleOfASeedStaysTheSame) {
    struct Pin {
        int size;
        std::uint32_t seed;
        UniqueChoice choice;
        std::int32_t candidates;
        int level;
        std::uint32_t hash;
    };
    const Pin pins[] = {
        {5, 1u, uniqueAnyLevel, 3, 1, 0x82a94e6fu},
        {5, 9u, uniqueAnyLevel, 3, 1, 0x6bf486a8u},
        {5, 3141592653u, uniqueAnyLevel, 3, 4, 0x82473d28u},
        {8, 1u, uniqueAnyLevel, 7, 5, 0x38f49043u},
        {8, 3141592653u, uniqueAnyLevel, 1, 5, 0x99e4d985u},
        {12, 1u, uniqueAnyLevel, 59, 7, 0x7e5e5687u},
        {12, 2u, uniqueAnyLevel, 75, 4, 0xf14d3a17u},
        {12, 3141592653u, uniqueAnyLevel, 101, 7, 0x7f257afbu},
        {5, 1u, uniqueGentle, 3, 1, 0x82a94e6fu},
        {12, 1u, uniqueGentle, 131, 4, 0x2d2345a9u},
        {5, 1u, uniqueDemanding, 43, 7, 0xcf685ccdu},
        {8, 1u, uniqueDemanding, 27, 7, 0x07c43d86u},
        {12, 1u, uniqueDemanding, 59, 7, 0x7e5e5687u},
    };
    for (const Pin& pin : pins) {
        SCOPED_TRACE(::testing::Message()
                     << pin.size << uniqueLetter(pin.choice) << "-" << pin.seed);
        Board board;
        board.boardSize = static_cast<std::int16_t>(pin.size);
        Mt19937Source random(pin.seed);
        UniqueSearch search;
        search.levels = levelsFor(pin.choice);
        ASSERT_TRUE(generateUniquePuzzle(board, random, search));
        EXPECT_EQ(search.candidates, pin.candidates);
        EXPECT_EQ(search.rejected, pin.candidates - 1);
        EXPECT_EQ(search.level, pin.level);
        EXPECT_EQ(solutionHash(board), pin.hash) << std::hex << solutionHash(board);
    }
}

// Every candidate before the kept one fails one of the three tests, and the kept one passes all.
TEST(UniquePuzzle, KeepsTheFirstGeneratedPuzzleUniqueAsShownAndOfItsLevel) {
    for (const UniqueChoice choice : {uniqueAnyLevel, uniqueGentle, uniqueDemanding}) {
        for (const int size : {5, 8}) {
            for (const std::uint32_t seed : {1u, 9u}) {
                SCOPED_TRACE(::testing::Message() << size << uniqueLetter(choice) << "-" << seed);
                const LevelRange levels = levelsFor(choice);
                Board found;
                found.boardSize = static_cast<std::int16_t>(size);
                Mt19937Source random(seed);
                UniqueSearch search;
                search.levels = levels;
                ASSERT_TRUE(generateUniquePuzzle(found, random, search));
                EXPECT_EQ(checkGrid(found, solutionLayer), 0);
                EXPECT_EQ(countShownSolutions(found, 10'000'000).solutions, oneSolution);
                const int level = gradePuzzle(found, gradeStepBudget).level;
                EXPECT_EQ(level, search.level);
                EXPECT_TRUE(level >= levels.lowest && level <= levels.highest) << level;

                Board replay;
                replay.boardSize = found.boardSize;
                Mt19937Source again(seed);
                for (int i = 1; i < search.candidates; ++i) {
                    generatePuzzle(replay, again);
                    const bool unique =
                        countShownSolutions(replay, 10'000'000).solutions == oneSolution;
                    const int other = gradePuzzle(replay, gradeStepBudget).level;
                    EXPECT_TRUE(!unique || other == needsGuessing || other < levels.lowest ||
                                other > levels.highest)
                        << i;
                }
                generatePuzzle(replay, again);
                EXPECT_EQ(layerText(replay, replay.solution), layerText(found, found.solution));
                EXPECT_EQ(replay.grid, found.grid);
            }
        }
    }
}

TEST(UniquePuzzle, TakesOneCandidatePerStepAndStopsOnceFound) {
    Board board;
    board.boardSize = 8;
    CountingSource random(1);
    UniqueSearch search;
    long draws = 0;
    for (int step = 1; step <= 7; ++step) { // 8u-1 is the seventh candidate
        const UniqueVerdict verdict = uniqueSearchStep(search, board, random);
        EXPECT_EQ(search.candidates, step);
        EXPECT_GT(random.draws(), draws);
        draws = random.draws();
        EXPECT_EQ(verdict, step < 7 ? uniqueSearching : uniqueFound);
    }
    EXPECT_EQ(search.rejected, 6);
    EXPECT_GT(search.steps, 0);
    const std::string kept = layerText(board, board.solution);
    EXPECT_EQ(uniqueSearchStep(search, board, random), uniqueFound);
    EXPECT_EQ(random.draws(), draws);
    EXPECT_EQ(search.candidates, 7);
    EXPECT_EQ(layerText(board, board.solution), kept);
}

TEST(UniquePuzzle, GivesUpAtTheCandidateCap) {
    // With every draw 1 the generator makes the same 5 x 5 puzzle again and again, and it has
    // two solutions.
    Board board;
    board.boardSize = 5;
    ConstantSource random(1);
    generatePuzzle(board, random);
    ASSERT_EQ(countSolutions(board, uniqueStepBudget).solutions, severalSolutions);

    UniqueSearch search;
    EXPECT_FALSE(generateUniquePuzzle(board, random, search));
    EXPECT_EQ(search.verdict, uniqueGaveUp);
    EXPECT_EQ(search.candidates, uniqueCandidateCap);
    EXPECT_EQ(search.rejected, uniqueCandidateCap);
    EXPECT_EQ(uniqueSearchStep(search, board, random), uniqueGaveUp);
    EXPECT_EQ(search.candidates, uniqueCandidateCap);
}

} // namespace
} // namespace kelvaro
