// How the ladder grades generated puzzles: for the first puzzle of each seed in a range, per
// size, the share of each level (and of those that need guessing), with the time of one grading.
// Usage: engine_ladder_stats [last seed, default 10000] [first seed, default 1]
#include "engine/generator.h"
#include "engine/ladder.h"
#include "engine/puzzle_number.h"
#include "engine/solver.h"
#include "engine/unique_puzzle.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace kelvaro;

namespace {

double percentile(std::vector<double>& values, int percent) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t rank = (values.size() * static_cast<std::size_t>(percent) + 99) / 100;
    return values[rank == 0 ? 0 : rank - 1];
}

} // namespace

int main(int argc, char** argv) {
    const unsigned long last = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 10000;
    const unsigned long first = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1;
    if (last < first) return 2;
    std::printf("size  puzzles  unique-by-symbol  unique-as-shown");
    for (int level = 1; level <= ladderTop; ++level) std::printf("  level-%d", level);
    std::printf("  guess   grade-ms median / 95%% / worst (unique as shown)\n");
    for (const int n : {5, 8, 12}) {
        long bySymbol = 0, asShown = 0, levels[ladderTop + 1] = {}, all = 0;
        std::vector<double> millis;
        for (unsigned long seed = first; seed <= last; ++seed) {
            Board board;
            Mt19937Source random(static_cast<std::uint32_t>(seed));
            generateNumberedPuzzle(
                board, random,
                PuzzleNumber{static_cast<std::int16_t>(n), static_cast<std::uint32_t>(seed)});
            ++all;
            bySymbol += countSolutions(board, uniqueStepBudget).solutions == oneSolution;
            if (countShownSolutions(board, uniqueStepBudget).solutions != oneSolution) {
                ++levels[needsGuessing];
                continue;
            }
            ++asShown;
            const auto start = std::chrono::steady_clock::now();
            const GradeResult grade = gradePuzzle(board, gradeStepBudget);
            const auto stop = std::chrono::steady_clock::now();
            millis.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
            ++levels[grade.level];
        }
        const auto share = [all](long part) { return 100.0 * static_cast<double>(part) / all; };
        std::printf("%4d  %7ld  %15.1f%%  %14.1f%%", n, all, share(bySymbol), share(asShown));
        for (int level = 1; level <= ladderTop; ++level)
            std::printf("  %6.2f%%", share(levels[level]));
        const double median = percentile(millis, 50);
        const double p95 = percentile(millis, 95);
        const double worst = percentile(millis, 100);
        std::printf("  %5.1f%%  %.2f / %.2f / %.2f\n", share(levels[needsGuessing]), median, p95,
                    worst);
    }
    return 0;
}
