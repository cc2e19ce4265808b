// How a puzzle is written out: a drawing for a person, or one JSON line for other tools.
#pragma once

#include "engine/board.h"

#include <cstdint>
#include <string>

namespace kelvaro::puzzles {

// How a unique puzzle was found: absent for plain puzzles.
struct UniqueNote {
    bool unique = false;
    std::int32_t rejected = 0; // puzzles skipped before it for having another solution
    int level = 0;             // the reasoning it needs, 1 to 7
};

// The endpoints with their letters and lengths, and the solution's lines when asked.
std::string puzzleText(const Board& board, std::uint32_t index, bool ok, bool withSolution,
                       UniqueNote note = {});

// {"size":N,"seed":S,"index":I,"ok":B,"solution":[[...],...]} without a line break; a unique
// puzzle adds "unique":true,"rejected":R,"level":L after "ok".
std::string puzzleJson(const Board& board, std::uint32_t seed, std::uint32_t index, bool ok,
                       UniqueNote note = {});

} // namespace kelvaro::puzzles
