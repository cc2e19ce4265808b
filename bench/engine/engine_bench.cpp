// Speed of the engine calls the game makes most: a new puzzle, the check after a stroke, and
// the solver that tells puzzles with one solution from the others.
#include "engine/checker.h"
#include "engine/generator.h"
#include "engine/ladder.h"
#include "engine/solver.h"
#include "engine/unique_puzzle.h"

#include <benchmark/benchmark.h>
#include <vector>

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

// The first `count` generated puzzles of seed 1 at a size.
std::vector<Board> generatedPuzzles(std::int64_t size, std::size_t count) {
    std::vector<Board> puzzles(count);
    Mt19937Source random(1);
    for (Board& board : puzzles) {
        board.boardSize = static_cast<std::int16_t>(size);
        generatePuzzle(board, random);
    }
    return puzzles;
}

// countSolutions over the first 1,000 generated puzzles of seed 1, one puzzle per iteration,
// round and round: the mean time of a call over the mix of answers a generator meets.
void countSolutionsBench(benchmark::State& state) {
    const std::vector<Board> puzzles = generatedPuzzles(state.range(0), 1000);
    std::size_t next = 0;
    std::int64_t steps = 0;
    for (auto _ : state) {
        const SolveResult result = countSolutions(puzzles[next], uniqueStepBudget);
        steps += result.steps;
        benchmark::DoNotOptimize(result);
        next = (next + 1) % puzzles.size();
    }
    state.counters["steps"] =
        benchmark::Counter(static_cast<double>(steps), benchmark::Counter::kAvgIterations);
}
BENCHMARK(countSolutionsBench)->Arg(5)->Arg(8)->Arg(12)->Unit(benchmark::kMicrosecond);

// countShownSolutions over the same puzzles: every pairing of equal lengths is tried.
void countShownSolutionsBench(benchmark::State& state) {
    const std::vector<Board> puzzles = generatedPuzzles(state.range(0), 1000);
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(countShownSolutions(puzzles[next], uniqueStepBudget));
        next = (next + 1) % puzzles.size();
    }
}
BENCHMARK(countShownSolutionsBench)->Arg(5)->Arg(8)->Arg(12)->Unit(benchmark::kMicrosecond);

// Grading the puzzles the game grades: generated puzzles with one solution as shown, the first
// 60 of seed 1 at each size, one per iteration, round and round: the mean time of a grading;
// engine_ladder_stats gives the median and 95th percentile per puzzle.
void gradePuzzleBench(benchmark::State& state) {
    std::vector<Board> puzzles;
    Board board;
    board.boardSize = static_cast<std::int16_t>(state.range(0));
    Mt19937Source random(1);
    while (puzzles.size() < 60) {
        generatePuzzle(board, random);
        if (countShownSolutions(board, uniqueStepBudget).solutions == oneSolution)
            puzzles.push_back(board);
    }
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(gradePuzzle(puzzles[next], gradeStepBudget));
        next = (next + 1) % puzzles.size();
    }
}
BENCHMARK(gradePuzzleBench)->Arg(5)->Arg(8)->Arg(12)->Unit(benchmark::kMillisecond);

// A unique puzzle of each choice (1 any level, 2 gentle, 3 demanding), the stream going on from
// one to the next as with --count.
void generateUniquePuzzleBench(benchmark::State& state) {
    Board board;
    board.boardSize = static_cast<std::int16_t>(state.range(0));
    Mt19937Source random(1);
    std::int64_t candidates = 0;
    for (auto _ : state) {
        UniqueSearch search;
        search.levels = levelsFor(static_cast<UniqueChoice>(state.range(1)));
        if (!generateUniquePuzzle(board, random, search)) state.SkipWithError("gave up");
        candidates += search.candidates;
    }
    state.counters["candidates"] =
        benchmark::Counter(static_cast<double>(candidates), benchmark::Counter::kAvgIterations);
}
BENCHMARK(generateUniquePuzzleBench)
    ->ArgsProduct({{5, 8, 12}, {uniqueAnyLevel, uniqueGentle, uniqueDemanding}})
    ->Unit(benchmark::kMillisecond);

} // namespace
