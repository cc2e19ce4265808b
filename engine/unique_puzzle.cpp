#include "engine/unique_puzzle.h"

#include "engine/checker.h"
#include "engine/generator.h"
#include "engine/solver.h"

namespace kelvaro {

CandidateAnswer answerCandidate(Board& board, LevelRange levels) {
    CandidateAnswer answer;
    // A board whose generation failed is no puzzle at all: it is rejected unsolved.
    answer.sound = checkGrid(board, solutionLayer) == 0;
    if (!answer.sound) return answer;
    answer.result = countSolutions(board, uniqueStepBudget);
    if (answer.result.solutions != oneSolution) return answer;
    const std::int32_t bySymbolSteps = answer.result.steps;
    answer.result = countShownSolutions(board, uniqueStepBudget);
    answer.result.steps += bySymbolSteps;
    if (answer.result.solutions == oneSolution)
        answer.grade = gradePuzzle(board, gradeStepBudget, levels.highest);
    return answer;
}

UniqueVerdict countCandidate(UniqueSearch& search, const CandidateAnswer& answer) {
    if (search.verdict != uniqueSearching) return search.verdict;
    ++search.candidates;
    if (answer.sound) {
        search.steps += answer.result.steps;
        if (answer.result.solutions == oneSolution) {
            search.steps += answer.grade.steps;
            const int level = answer.grade.level;
            if (level != needsGuessing && level >= search.levels.lowest &&
                level <= search.levels.highest) {
                search.level = level;
                search.verdict = uniqueFound;
                return search.verdict;
            }
            ++search.graded;
        }
        if (answer.result.solutions == unknownSolutions) ++search.undecided;
    } else {
        ++search.unsound;
    }
    ++search.rejected;
    if (search.candidates >= uniqueCandidateCap) search.verdict = uniqueGaveUp;
    return search.verdict;
}

UniqueVerdict uniqueSearchStep(UniqueSearch& search, Board& board, RandomSource& random) {
    if (search.verdict != uniqueSearching) return search.verdict;
    if (search.candidates >= uniqueCandidateCap) {
        search.verdict = uniqueGaveUp;
        return search.verdict;
    }
    generatePuzzle(board, random);
    return countCandidate(search, answerCandidate(board, search.levels));
}

bool generateUniquePuzzle(Board& board, RandomSource& random, UniqueSearch& search) {
    while (uniqueSearchStep(search, board, random) == uniqueSearching) {
    }
    return search.verdict == uniqueFound;
}

} // namespace kelvaro
