// The solve command: reads generate's JSON lines back and counts each puzzle's solutions.
#pragma once

#include "engine/board.h"
#include "engine/ladder.h"
#include "engine/solver.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

namespace kelvaro::puzzles {

// One puzzle as a JSON line names it, with its board ready for countSolutions.
struct PuzzleLine {
    std::uint32_t seed = 0;
    std::uint32_t index = 0;
    Board board;
};

// Reads {"size":N,"seed":S,"index":I,...,"solution":[[...],...]}; other members are ignored.
// The solution must be a sound puzzle, since its endpoints and line lengths are the puzzle.
// On failure returns false with `error` saying why.
bool readPuzzleLine(std::string_view line, PuzzleLine& puzzle, std::string& error);

// {"size":N,"seed":S,"index":I,"solutions":0|1|2|"unknown","steps":K} without a line break.
std::string solveJson(const PuzzleLine& puzzle, const SolveResult& result);

// {"size":N,"seed":S,"index":I,"level":L|"guess","steps":K} without a line break.
std::string gradeJson(const PuzzleLine& puzzle, const GradeResult& result);

// What solveLines answers for each puzzle.
enum class Answer { shownSolutions, symbolSolutions, level };

// Answers every puzzle line of `in` on `out`, skipping blank lines; each bad line gets one message
// on `err` with its line number. Returns the exit status: 0, or 1 when a line was bad or `out`
// could not be written.
int solveLines(std::istream& in, std::ostream& out, std::ostream& err,
               Answer answer = Answer::shownSolutions);

} // namespace kelvaro::puzzles
