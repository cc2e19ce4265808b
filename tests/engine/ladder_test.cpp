#include "board_text.h"
#include "engine/checker.h"
#include "engine/generator.h"
#include "engine/ladder.h"
#include "engine/puzzle_number.h"
#include "engine/solver.h"
#include "game/example_board.h"
#include "shown_brute_force.h"

#include <gtest/gtest.h>
#include <string>

namespace kelvaro {
namespace {

Board plainPuzzle(int size, std::uint32_t seed) {
    Board board;
    Mt19937Source random(seed);
    generateNumberedPuzzle(board, random, PuzzleNumber{static_cast<std::int16_t>(size), seed});
    return board;
}

// Each rung, on generated puzzles that need it: the ladder up to that rung finishes the puzzle,
// finds the generated lines, and names that rung as its level; without the rung it is stuck.
TEST(Ladder, EachRungFinishesPuzzlesTheRungsBelowItCannot) {
    struct Case {
        int size;
        std::uint32_t seed;
        int rung;
    };
    const Case cases[] = {
        {5, 2, ruleOnlyWayOn},     {8, 31, ruleOnlyWayOn},   {5, 500, ruleOnlyPartner},
        {8, 628, ruleOnlyPartner}, {5, 51, ruleOnlyRoute},   {8, 2, ruleOnlyRoute},
        {5, 38, ruleCommonCells},  {8, 69, ruleCommonCells}, {5, 5, ruleOnlyOneLine},
        {8, 83, ruleOnlyOneLine},  {5, 457, ruleRegions},    {8, 128, ruleRegions},
        {5, 99, ruleLookAhead},    {8, 14, ruleLookAhead},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.size << "-" << c.seed << ", rung " << c.rung);
        const Board puzzle = plainPuzzle(c.size, c.seed);
        const GradeResult finished = gradePuzzle(puzzle, gradeStepBudget, c.rung);
        EXPECT_EQ(finished.level, c.rung);
        EXPECT_EQ(finished.lineOf, puzzle.solutionOwner);
        EXPECT_EQ(gradePuzzle(puzzle, gradeStepBudget).level, c.rung);
        const GradeResult stuck = gradePuzzle(puzzle, gradeStepBudget, c.rung - 1);
        EXPECT_EQ(stuck.level, needsGuessing);
        EXPECT_FALSE(stuck.budgetSpent);
    }
}

// Every rule is sound: whatever the ladder finishes has exactly one solution as shown, and it is
// the generated one.
TEST(Ladder, FinishesOnlyPuzzlesWithOneSolutionAsShown) {
    for (const int size : {5, 8}) {
        int finished = 0;
        const std::uint32_t seeds = size == 5 ? 300 : 40;
        for (std::uint32_t seed = 1; seed <= seeds; ++seed) {
            SCOPED_TRACE(::testing::Message() << size << "-" << seed);
            const Board puzzle = plainPuzzle(size, seed);
            const GradeResult grade = gradePuzzle(puzzle, gradeStepBudget);
            if (grade.level == needsGuessing) continue;
            ++finished;
            EXPECT_EQ(ShownBruteForce(puzzle).count(2), 1) << layerText(puzzle, puzzle.solution);
            EXPECT_EQ(grade.lineOf, puzzle.solutionOwner);
        }
        EXPECT_GT(finished, 0);
    }
}

TEST(Ladder, HandMadeBoards) {
    struct Case {
        const char* name;
        Board puzzle;
        int level;
    };
    Board example;
    example.boardSize = exampleSide;
    for (int y = 0; y < exampleSide; ++y)
        for (int x = 0; x < exampleSide; ++x)
            example.solution[x * storageSide + y] = exampleRows[y][x];
    checkGrid(example, solutionLayer); // writes the lengths the endpoints show
    const Case cases[] = {
        // Each middle cell has the two ends beside it and nothing else to link.
        {"rows",
         [] {
             Board b;
             putPuzzle(b, rowsFromText("1-1\n2-2\n3-3\n"));
             return b;
         }(),
         ruleOnlyWayOn},
        // Two solutions: no sound rule can choose between them.
        {"snake",
         [] {
             Board b;
             putPuzzle(b, rowsFromText("1-7\nF-J\nL-1\n"));
             return b;
         }(),
         needsGuessing},
        {"the Learn rules example", example, ruleOnlyWayOn},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(gradePuzzle(c.puzzle, gradeStepBudget).level, c.level);
    }
}

// The level and the steps depend on nothing but the puzzle: the same on every run and machine.
TEST(Ladder, GradesTheSameOnEveryRun) {
    struct Pin {
        int size;
        std::uint32_t seed;
        int level;
        std::int32_t steps;
    };
    const Pin pins[] = {{5, 99, 7, 451}, {8, 83, 5, 402}, {8, 14, 7, 11961}};
    for (const Pin& pin : pins) {
        SCOPED_TRACE(::testing::Message() << pin.size << "-" << pin.seed);
        const Board puzzle = plainPuzzle(pin.size, pin.seed);
        const GradeResult first = gradePuzzle(puzzle, gradeStepBudget);
        const GradeResult again = gradePuzzle(puzzle, gradeStepBudget);
        EXPECT_EQ(first.level, pin.level);
        EXPECT_EQ(first.steps, pin.steps);
        EXPECT_EQ(again.steps, first.steps);
        EXPECT_EQ(again.lineOf, first.lineOf);
    }
}

TEST(Ladder, StopsAtItsBudget) {
    const Board puzzle = plainPuzzle(8, 14);
    const GradeResult result = gradePuzzle(puzzle, 10);
    EXPECT_EQ(result.level, needsGuessing);
    EXPECT_TRUE(result.budgetSpent);
    EXPECT_LT(result.steps, 10 + 1000); // a round in progress finishes its own work
}

// Boards no generator makes still get an answer and nothing read out of place.
TEST(Ladder, BoardsThatAreNoPuzzleNeedGuessing) {
    Board lone;
    putPuzzle(lone, rowsFromText("1-1\n2-2\n3-3\n"));
    lone.solution[cellIndex(2, 2)] = 4; // symbol 4 alone, with symbol 3's length
    lone.solutionLength[cellIndex(2, 2)] = 9;
    Board zeroLength;
    putPuzzle(zeroLength, rowsFromText("1-1\n2-2\n3-3\n"));
    zeroLength.solutionLength[cellIndex(0, 0)] = 0;
    Board badSymbol;
    putPuzzle(badSymbol, rowsFromText("1-1\n2-2\n3-3\n"));
    badSymbol.solution[cellIndex(0, 0)] = 100;
    Board oversized;
    putPuzzle(oversized, rowsFromText("1-1\n2-2\n3-3\n"));
    oversized.boardSize = 300;
    Board empty;
    empty.boardSize = 5;
    for (const Board* board : {&lone, &zeroLength, &badSymbol, &oversized, &empty})
        EXPECT_EQ(gradePuzzle(*board, gradeStepBudget).level, needsGuessing);
}

} // namespace
} // namespace kelvaro
