// Speed of the two engine calls the game makes most: a new puzzle, and the check after a stroke.
#include "engine/checker.h"
#include "engine/generator.h"

#include <benchmark/benchmark.h>

namespace {

using namespace kelvaro;

void generatePuzzleBench(benchmark::State& state) {
    Board board;
    board.boardSize = static_cast<std::int16_t>(state.range(0));
    Mt19937Source random(1);
    for (auto _ : state) {
        generatePuzzle(board, random);
        benchmark::DoNotOptimize(board.solution.data());
    }
}
BENCHMARK(generatePuzzleBench)->Arg(5)->Arg(8)->Arg(12)->Unit(benchmark::kMicrosecond);

// testSolved on a full 12 x 12 grid: the player's last stroke, the worst case of every stroke.
void testSolvedBench(benchmark::State& state) {
    Board board;
    board.boardSize = 12;
    Mt19937Source random(2);
    generatePuzzle(board, random);
    board.grid = board.solution;
    if (testSolved(board) != 0) state.SkipWithError("the solved grid was not accepted");
    for (auto _ : state) benchmark::DoNotOptimize(testSolved(board));
}
BENCHMARK(testSolvedBench)->Unit(benchmark::kMicrosecond);

// The same check on the grid at the start of a game: endpoints only, every line traced alone.
void testSolvedStartBench(benchmark::State& state) {
    Board board;
    board.boardSize = 12;
    Mt19937Source random(2);
    generatePuzzle(board, random);
    for (auto _ : state) benchmark::DoNotOptimize(testSolved(board));
}
BENCHMARK(testSolvedStartBench)->Unit(benchmark::kMicrosecond);

} // namespace
