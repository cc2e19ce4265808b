// Reading one JSON line of generate back: the line reader of every command that takes puzzles
// from other tools, and of its fuzz target.
#pragma once

#include "engine/board.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kelvaro::puzzles {

// One puzzle as a JSON line names it, with its board ready for countSolutions.
struct PuzzleLine {
    std::uint32_t seed = 0;
    std::uint32_t index = 0;
    Board board;
};

// Objects and arrays nested deeper than any line of ours are refused, so that a hostile line
// costs no more than a short one.
constexpr int maxJsonDepth = 16;

// Reads {"size":N,"seed":S,"index":I,...,"solution":[[...],...]}; other members are ignored,
// a key given twice is refused. The solution must be a sound puzzle, since its endpoints and
// line lengths are the puzzle. On failure returns false with `error` saying why (and, for text
// that is not JSON, at which column).
bool readPuzzleLine(std::string_view line, PuzzleLine& puzzle, std::string& error);

} // namespace kelvaro::puzzles
