// The puzzles of one seed, as generate and stats go through them: made one after the other
// (the only order a seed gives them in), checked and answered by the solver on several threads,
// and handed back in the order they were made.
#pragma once

#include "engine/board.h"
#include "engine/unique_puzzle.h"

#include <cstdint>
#include <functional>

namespace kelvaro::puzzles {

struct Candidate {
    Board board;
    CandidateAnswer answer; // without solving, only `sound` is set
    double millis = 0;      // spent on generating it and on its answer
};

struct StreamPlan {
    int size = 0;
    std::uint32_t seed = 0;
    std::uint64_t limit = UINT64_MAX; // puzzles to make at most
    bool solve = false;               // count each sound puzzle's solutions
    int jobs = 1;
    LevelRange levels; // graded up to the highest of them
};

// Hands every puzzle of the plan to `take`, in order, until `take` returns false or the limit
// is reached.
void streamCandidates(const StreamPlan& plan, const std::function<bool(const Candidate&)>& take);

} // namespace kelvaro::puzzles
