// How countSolutions does over many generated puzzles per size: the share of each answer, and the
// median and worst steps and time of one call.
// Usage: engine_solver_stats [puzzles per size, default 1000] [seed, default 1]
//                            [step budget, default the one unique puzzles are made with]
#include "engine/checker.h"
#include "engine/generator.h"
#include "engine/solver.h"
#include "engine/unique_puzzle.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace kelvaro;

int main(int argc, char** argv) {
    const long puzzles = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 1000;
    const unsigned long seed = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1;
    const long budget = argc > 3 ? std::strtol(argv[3], nullptr, 10) : uniqueStepBudget;
    if (puzzles <= 0 || budget <= 0) return 2;
    std::printf("size  puzzles  none  one     several  unknown  steps-median  steps-worst  "
                "us-median  us-worst\n");
    for (const int n : {5, 8, 12}) {
        Board board;
        board.boardSize = static_cast<std::int16_t>(n);
        Mt19937Source random(static_cast<std::uint32_t>(seed));
        long answers[4] = {};
        std::vector<long> steps;
        std::vector<double> micros;
        for (long p = 0; p < puzzles; ++p) {
            generatePuzzle(board, random);
            if (checkGrid(board, solutionLayer) != 0) continue;
            const auto start = std::chrono::steady_clock::now();
            const SolveResult result = countSolutions(board, static_cast<std::int32_t>(budget));
            const auto stop = std::chrono::steady_clock::now();
            ++answers[result.solutions + 1];
            steps.push_back(result.steps);
            micros.push_back(std::chrono::duration<double, std::micro>(stop - start).count());
        }
        std::sort(steps.begin(), steps.end());
        std::sort(micros.begin(), micros.end());
        const double total = static_cast<double>(steps.size());
        std::printf("%4d  %7zu  %4ld  %5.1f%%  %6.1f%%  %6.1f%%  %12ld  %11ld  %9.1f  %8.1f\n", n,
                    steps.size(), answers[1], 100.0 * static_cast<double>(answers[2]) / total,
                    100.0 * static_cast<double>(answers[3]) / total,
                    100.0 * static_cast<double>(answers[0]) / total, steps[steps.size() / 2],
                    steps.back(), micros[micros.size() / 2], micros.back());
    }
    return 0;
}
