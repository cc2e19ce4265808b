// How a puzzle is written out: a drawing for a person, or one JSON line for other tools.
#pragma once

#include "engine/board.h"

#include <cstdint>
#include <string>

namespace kelvaro::puzzles {

// The endpoints with their letters and lengths, and the solution's lines when asked.
std::string puzzleText(const Board& board, std::uint32_t index, bool ok, bool withSolution);

// {"size":N,"seed":S,"index":I,"ok":B,"solution":[[...],...]} without a line break.
std::string puzzleJson(const Board& board, std::uint32_t seed, std::uint32_t index, bool ok);

} // namespace kelvaro::puzzles
