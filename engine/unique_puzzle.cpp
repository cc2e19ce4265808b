#include "engine/unique_puzzle.h"

#include "engine/checker.h"
#include "engine/generator.h"
#include "engine/solver.h"

namespace kelvaro {

UniqueVerdict uniqueSearchStep(UniqueSearch& search, Board& board, RandomSource& random) {
    if (search.verdict != uniqueSearching) return search.verdict;
    if (search.candidates >= uniqueCandidateCap) {
        search.verdict = uniqueGaveUp;
        return search.verdict;
    }
    generatePuzzle(board, random);
    ++search.candidates;
    // A board whose generation failed is no puzzle at all: it is rejected unsolved.
    if (checkGrid(board, solutionLayer) == 0) {
        SolveResult result = countSolutions(board, uniqueStepBudget);
        search.steps += result.steps;
        if (result.solutions == oneSolution) {
            result = countShownSolutions(board, uniqueStepBudget);
            search.steps += result.steps;
        }
        if (result.solutions == oneSolution) {
            const GradeResult grade = gradePuzzle(board, gradeStepBudget);
            search.steps += grade.steps;
            if (grade.level >= search.levels.lowest && grade.level <= search.levels.highest &&
                grade.level != needsGuessing) {
                search.level = grade.level;
                search.verdict = uniqueFound;
                return search.verdict;
            }
            ++search.graded;
        }
        if (result.solutions == unknownSolutions) ++search.undecided;
    } else {
        ++search.unsound;
    }
    ++search.rejected;
    if (search.candidates >= uniqueCandidateCap) search.verdict = uniqueGaveUp;
    return search.verdict;
}

bool generateUniquePuzzle(Board& board, RandomSource& random, UniqueSearch& search) {
    while (uniqueSearchStep(search, board, random) == uniqueSearching) {
    }
    return search.verdict == uniqueFound;
}

} // namespace kelvaro
