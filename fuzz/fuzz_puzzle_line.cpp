// Any line as solve and grade read it: the reader never reads out of bounds nor throws, and a
// line it accepts is a sound puzzle of a size the game has, which the solver can take.
#include "engine/checker.h"
#include "engine/solver.h"
#include "tools/puzzles/puzzle_line.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace kelvaro;

void require(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    puzzles::PuzzleLine puzzle;
    std::string error;
    if (!puzzles::readPuzzleLine(line, puzzle, error)) {
        require(!error.empty());
        return 0;
    }
    require(error.empty());
    const int n = puzzle.board.boardSize;
    require(n == 5 || n == 8 || n == 12);
    require(checkGrid(puzzle.board, solutionLayer) == 0);
    // A small budget: the reader is under test, not the solver's patience.
    const SolveResult result = countSolutions(puzzle.board, 2000);
    require(result.steps >= 0 && result.steps <= 2001);
    return 0;
}
