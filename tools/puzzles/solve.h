// The solve command: reads generate's JSON lines back and counts each puzzle's solutions.
#pragma once

#include "engine/ladder.h"
#include "engine/solver.h"
#include "puzzle_line.h"

#include <iosfwd>
#include <string>

namespace kelvaro::puzzles {

// {"size":N,"seed":S,"index":I,"solutions":0|1|2|"unknown","steps":K} without a line break.
std::string solveJson(const PuzzleLine& puzzle, const SolveResult& result);

// {"size":N,"seed":S,"index":I,"level":L|"guess","steps":K} without a line break.
std::string gradeJson(const PuzzleLine& puzzle, const GradeResult& result);

// What solveLines answers for each puzzle.
enum class Answer { shownSolutions, symbolSolutions, level };

// Answers every puzzle line of `in` on `out`, skipping blank lines; each bad line gets one message
// on `err` with its line number. The lines are answered on `jobs` threads and written in their
// order. Returns the exit status: 0, or 1 when a line was bad or `out` could not be written.
int solveLines(std::istream& in, std::ostream& out, std::ostream& err, int jobs,
               Answer answer = Answer::shownSolutions);

} // namespace kelvaro::puzzles
