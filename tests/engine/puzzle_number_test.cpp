#include "engine/checker.h"
#include "engine/generator.h"
#include "engine/puzzle_number.h"
#include "engine/solver.h"
#include "engine/unique_puzzle.h"

#include <gtest/gtest.h>
#include <string>

namespace kelvaro {
namespace {

TEST(PuzzleNumber, ReadsTheWrittenFormsAndNothingElse) {
    struct Case {
        const char* text;
        bool good;
        int size;
        std::uint32_t seed;
        UniqueChoice unique = uniqueOff;
    };
    const Case cases[] = {
        {"8-3141592653", true, 8, 3141592653u},
        {"5-0", true, 5, 0},
        {"12-4294967295", true, 12, 4294967295u},
        {"  8-42\t", true, 8, 42},
        {"\n12-7\r\n", true, 12, 7},
        {"8-0000000042", true, 8, 42},
        {"42", true, 0, 42},
        {" 0 ", true, 0, 0},
        {"4294967295", true, 0, 4294967295u},
        {"", false, 0, 0},
        {"   ", false, 0, 0},
        {"8-", false, 0, 0},
        {"-42", false, 0, 0},
        {"7-42", false, 0, 0},
        {"08-42", false, 0, 0},
        {"13-1", false, 0, 0},
        {"120-1", false, 0, 0},
        {"8-4294967296", false, 0, 0},
        {"8-00000000001", false, 0, 0}, // eleven digits
        {"99999999999", false, 0, 0},
        {"8--42", false, 0, 0},
        {"8-+42", false, 0, 0},
        {"8-4 2", false, 0, 0},
        {"8 -42", false, 0, 0},
        {"8-42x", false, 0, 0},
        {"12u-3141592653", true, 12, 3141592653u, uniqueAnyLevel},
        {"5U-0", true, 5, 0, uniqueAnyLevel},
        {" 8u-0000000042 ", true, 8, 42, uniqueAnyLevel},
        {"12g-77", true, 12, 77, uniqueGentle},
        {"5G-77", true, 5, 77, uniqueGentle},
        {"8d-77", true, 8, 77, uniqueDemanding},
        {"8D-77", true, 8, 77, uniqueDemanding},
        {"8ug-77", false, 0, 0},
        {"8gd-77", false, 0, 0},
        {"d-77", false, 0, 0},
        {"8-77g", false, 0, 0},
        {"8e-77", false, 0, 0},
        {"u-42", false, 0, 0},
        {"u42", false, 0, 0},
        {"42u", false, 0, 0},
        {"u8-42", false, 0, 0},
        {"8uu-42", false, 0, 0},
        {"8-u42", false, 0, 0},
        {"8-42u", false, 0, 0},
        {"8 u-42", false, 0, 0},
        {"8u -42", false, 0, 0},
        {"7u-42", false, 0, 0},
        {"012u-42", false, 0, 0},
        {"12u-4294967296", false, 0, 0},
        {"8x-42", false, 0, 0},
        {"x8-42", false, 0, 0},
        {"8-42-1", false, 0, 0},
        {"-", false, 0, 0},
        {"0x2A", false, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("'") + c.text + "'");
        PuzzleNumber number{3, 99};
        EXPECT_EQ(parsePuzzleNumber(c.text, number), c.good);
        const PuzzleNumber expected =
            c.good ? PuzzleNumber{static_cast<std::int16_t>(c.size), c.seed, c.unique}
                   : PuzzleNumber{3, 99};
        EXPECT_EQ(number, expected); // untouched when refused
    }
}

TEST(PuzzleNumber, IsWrittenAsItIsRead) {
    const PuzzleNumber numbers[] = {{8, 3141592653u},       {5, 0},
                                    {12, 4294967295u},      {0, 17},
                                    {5, 0, uniqueAnyLevel}, {12, 4294967295u, uniqueAnyLevel},
                                    {12, 77, uniqueGentle}, {8, 77, uniqueDemanding}};
    const char* texts[] = {"8-3141592653",   "5-0",    "12-4294967295", "17", "5u-0",
                           "12u-4294967295", "12g-77", "8d-77"};
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(texts[i]);
        EXPECT_EQ(formatPuzzleNumber(numbers[i]).view(), texts[i]);
        PuzzleNumber back;
        ASSERT_TRUE(parsePuzzleNumber(formatPuzzleNumber(numbers[i]).view(), back));
        EXPECT_EQ(back, numbers[i]);
    }
}

// Whatever a source drew before, the number names the first puzzle a fresh source of that
// seed makes, as the puzzle tool makes it.
TEST(PuzzleNumber, NamesTheFirstPuzzleOfItsSeedWhateverWasDrawnBefore) {
    for (const int size : {5, 8, 12}) {
        for (const std::uint32_t seed : {0u, 3141592653u, 4294967295u}) {
            SCOPED_TRACE(std::to_string(size) + "-" + std::to_string(seed));
            Board fresh;
            fresh.boardSize = static_cast<std::int16_t>(size);
            Mt19937Source own(seed);
            generatePuzzle(fresh, own);

            Board used;
            Mt19937Source shared(12345);
            for (int i = 0; i < 777; ++i) shared.draw();
            generateNumberedPuzzle(used, shared,
                                   PuzzleNumber{static_cast<std::int16_t>(size), seed});
            EXPECT_EQ(used.boardSize, size);
            EXPECT_EQ(used.solution, fresh.solution);
            EXPECT_EQ(used.grid, fresh.grid);
            EXPECT_EQ(checkGrid(used, solutionLayer), 0);
        }
    }
}

// A unique number names the first puzzle of a fresh source that the search of its choice keeps,
// as the tool's --unique --level keeps it, whatever was drawn before.
TEST(PuzzleNumber, AUniqueNumberNamesTheFirstPuzzleOfItsChoice) {
    for (const UniqueChoice choice : {uniqueAnyLevel, uniqueGentle, uniqueDemanding}) {
        for (const int size : {5, 8, 12}) {
            for (const std::uint32_t seed : {0u, 3141592653u}) {
                const auto side = static_cast<std::int16_t>(size);
                SCOPED_TRACE(formatPuzzleNumber({side, seed, choice}).view());
                Board fresh;
                fresh.boardSize = side;
                Mt19937Source own(seed);
                UniqueSearch search;
                search.levels = levelsFor(choice);
                ASSERT_TRUE(generateUniquePuzzle(fresh, own, search));
                EXPECT_GE(search.level, levelsFor(choice).lowest);
                EXPECT_LE(search.level, levelsFor(choice).highest);

                Board used;
                Mt19937Source shared(12345);
                for (int i = 0; i < 777; ++i) shared.draw();
                EXPECT_TRUE(generateNumberedPuzzle(used, shared, PuzzleNumber{side, seed, choice}));
                EXPECT_EQ(used.solution, fresh.solution);
                EXPECT_EQ(used.grid, fresh.grid);
                EXPECT_EQ(countShownSolutions(used, uniqueStepBudget).solutions, oneSolution);
                EXPECT_EQ(gradePuzzle(used, gradeStepBudget).level, search.level);
            }
        }
    }
}

} // namespace
} // namespace kelvaro
