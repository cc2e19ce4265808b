// Puzzles with exactly one solution: generated as usual, kept only when the solver finds no other
// for the puzzle as the player sees it and the ladder finishes it without guessing.
#pragma once

#include "engine/board.h"
#include "engine/ladder.h"
#include "engine/random_source.h"
#include "engine/solver.h"

#include <cstdint>

namespace kelvaro {

// These two numbers, with the solver's order of search, decide which puzzle a unique puzzle number
// ("12u-S": the first unique puzzle from seed S) stands for. Changing either one, or the order in
// which the solver tries its cells, changes those puzzles, and published numbers would then show
// other boards. The budget lets the solver decide practically every generated puzzle: among
// 100,000 generated 12 x 12 puzzles, the hardest (a unique one) took 184,386 steps, the next
// 115,109, and all others under 90,000. The cap is never met in practice: even at 12 x 12, where
// fewest puzzles are unique (about 2.7%), 2,000 candidates in a row fail with a chance near 1e-24.
constexpr std::int32_t uniqueStepBudget = 200'000;
constexpr std::int32_t uniqueCandidateCap = 2'000;

// Which puzzles a unique search keeps, by the reasoning they need. The values are those of the
// stored option, 0 meaning plain generated puzzles.
enum UniqueChoice : int {
    uniqueOff = 0,
    uniqueAnyLevel = 1,  // any level of the ladder
    uniqueGentle = 2,    // no look-ahead needed
    uniqueDemanding = 3, // look-ahead needed
};
constexpr bool isUniqueChoice(int value) {
    return value >= uniqueOff && value <= uniqueDemanding;
}

// The levels a search accepts, both ends included.
struct LevelRange {
    int lowest = 1;
    int highest = ladderTop;
    bool operator==(const LevelRange&) const = default;
};
constexpr LevelRange levelsFor(UniqueChoice choice) {
    switch (choice) {
    case uniqueGentle:
        return {1, ruleLookAhead - 1};
    case uniqueDemanding:
        return {ruleLookAhead, ruleLookAhead};
    default:
        return {1, ladderTop};
    }
}

enum UniqueVerdict : int {
    uniqueSearching = 0, // the last candidate was rejected; more may follow
    uniqueFound = 1,     // the board holds a puzzle with exactly one solution
    uniqueGaveUp = -1,   // uniqueCandidateCap candidates were all rejected
};

// Where one search for a unique puzzle stands; a fresh record starts a new search.
struct UniqueSearch {
    LevelRange levels; // set before the first step
    int level = 0;     // the found puzzle's
    UniqueVerdict verdict = uniqueSearching;
    std::int32_t candidates = 0; // puzzles generated so far
    // Of them, those turned down: two solutions or more (by their symbols or as shown), no
    // answer within the budget (also counted in `undecided`), a failed generation (also counted
    // in `unsound`), or one solution but a level out of range or a need to guess (also counted
    // in `graded`).
    std::int32_t rejected = 0;
    std::int32_t graded = 0;
    std::int32_t undecided = 0;
    std::int32_t unsound = 0;
    std::int64_t steps = 0; // solver and ladder steps spent on them all
};

// One generated candidate's answers, worked out apart from the search so that candidates can be
// answered on several threads and then counted in the order they were made.
struct CandidateAnswer {
    bool sound = false; // checkGrid found the generated solution a sound puzzle
    // countSolutions with uniqueStepBudget, then, on one solution, countShownSolutions with the
    // same budget (its steps added); untouched when not sound.
    SolveResult result;
    // gradePuzzle with gradeStepBudget when the result is one solution as shown; else untouched.
    // Graded only up to the highest level asked for: a puzzle those rungs finish gets the same
    // level as with the whole ladder (the harder rungs are tried only when the easier are
    // stuck), and one they cannot finish is turned down either way, without the costly
    // look-ahead.
    GradeResult grade;
};

// checkGrid on the candidate's solution; for a sound one countSolutions first (cheap, and two
// solutions by the symbols are two as shown too), then countShownSolutions, then gradePuzzle.
CandidateAnswer answerCandidate(Board& board, LevelRange levels = {});

// Counts one answered candidate into the search, exactly as uniqueSearchStep does with the
// candidate it generates: found on one solution as shown and a level within `search.levels`,
// otherwise rejected, and given up at the cap.
UniqueVerdict countCandidate(UniqueSearch& search, const CandidateAnswer& answer);

// One candidate: generatePuzzle into `board` from `random`, answered and counted as above (an
// unknown answer is rejected like two solutions).
// Does nothing once the search has found its puzzle or given up. Callers that must stay
// responsive (or be cancelled) call it once per turn; the board then holds the last candidate.
UniqueVerdict uniqueSearchStep(UniqueSearch& search, Board& board, RandomSource& random);

// Runs the search to its end: true with the unique puzzle on the board, false when the cap was
// reached (the caller then falls back to the plain puzzle of the same seed).
bool generateUniquePuzzle(Board& board, RandomSource& random, UniqueSearch& search);

} // namespace kelvaro
