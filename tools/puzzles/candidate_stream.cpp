#include "candidate_stream.h"

#include "engine/checker.h"
#include "engine/generator.h"
#include "engine/random_source.h"
#include "ordered_map.h"

#include <chrono>

namespace kelvaro::puzzles {

namespace {

using Clock = std::chrono::steady_clock;

double millisSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

} // namespace

void streamCandidates(const StreamPlan& plan, const std::function<bool(const Candidate&)>& take) {
    Mt19937Source random(plan.seed);
    std::uint64_t made = 0;
    mapInOrder<Candidate, Candidate>(
        plan.jobs,
        [&](Candidate& candidate) {
            if (made == plan.limit) return false;
            ++made;
            const Clock::time_point start = Clock::now();
            candidate.board.boardSize = static_cast<std::int16_t>(plan.size);
            generatePuzzle(candidate.board, random);
            candidate.millis = millisSince(start);
            return true;
        },
        [&plan](Candidate& candidate) {
            const Clock::time_point start = Clock::now();
            if (plan.solve)
                candidate.answer = answerCandidate(candidate.board, plan.levels);
            else
                candidate.answer.sound = checkGrid(candidate.board, solutionLayer) == 0;
            candidate.millis += millisSince(start);
            return candidate;
        },
        [&take](const Candidate&, const Candidate& answered) { return take(answered); });
}

} // namespace kelvaro::puzzles
