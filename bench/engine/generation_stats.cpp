// How the generator behaves over many puzzles per size: attempts, failures and line lengths.
// Usage: engine_generation_stats [puzzles per size, default 10000] [seed, default 1]
#include "engine/checker.h"
#include "engine/generator.h"

#include <cstdio>
#include <cstdlib>

using namespace kelvaro;

int main(int argc, char** argv) {
    const long puzzles = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10000;
    const unsigned long seed = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 1;
    if (puzzles <= 0) return 2;
    std::printf("size  puzzles  all-20-failed  mean-attempts  mean-lines  longest  "
                "ends>=30  ends\n");
    for (const int n : {5, 8, 12}) {
        Board board;
        board.boardSize = static_cast<std::int16_t>(n);
        Mt19937Source random(static_cast<std::uint32_t>(seed));
        long failed = 0, attempts = 0, lines = 0, ends = 0, longEnds = 0;
        int longest = 0;
        for (long p = 0; p < puzzles; ++p) {
            const int accepted = generatePuzzleCounting(board, random);
            attempts += accepted == 0 ? 20 : accepted;
            if (accepted == 0 || checkGrid(board, solutionLayer) != 0) {
                ++failed;
                continue;
            }
            for (int x = 0; x < n; ++x)
                for (int y = 0; y < n; ++y) {
                    const int i = x * storageSide + y;
                    if (board.solution[i] <= 0) continue;
                    const int length = board.solutionLength[i];
                    ++ends;
                    longEnds += length >= 30 ? 1 : 0;
                    if (length > longest) longest = length;
                }
        }
        lines = ends / 2;
        std::printf("%4d  %7ld  %12.4f%%  %13.4f  %10.2f  %7d  %7.4f%%  %ld\n", n, puzzles,
                    100.0 * static_cast<double>(failed) / static_cast<double>(puzzles),
                    static_cast<double>(attempts) / static_cast<double>(puzzles),
                    static_cast<double>(lines) / static_cast<double>(puzzles - failed), longest,
                    ends > 0 ? 100.0 * static_cast<double>(longEnds) / static_cast<double>(ends)
                             : 0.0,
                    ends);
    }
    return 0;
}
