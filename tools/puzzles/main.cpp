// kelvaro-puzzles: Kelvaro puzzles outside the game, to print or share by seed.
#include "drawing.h"
#include "engine/checker.h"
#include "engine/generator.h"
#include "engine/random_source.h"
#include "options.h"

#include <cstdio>
#include <random>
#include <string>

using namespace kelvaro;

int main(int argc, char** argv) {
    puzzles::Options options;
    std::string error;
    if (!puzzles::parseOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "kelvaro-puzzles: %s\n", error.c_str());
        return 2;
    }
    if (options.command == puzzles::Command::help) {
        std::fputs(puzzles::helpText(), stdout);
        return 0;
    }
    if (options.command == puzzles::Command::version) {
        std::puts(KELVARO_VERSION);
        return 0;
    }

    const std::uint32_t seed = options.hasSeed ? options.seed : std::random_device{}();
    Mt19937Source random(seed);
    Board board;
    board.boardSize = static_cast<std::int16_t>(options.size);
    const bool json = options.format == puzzles::Format::json;
    if (!json) std::printf("seed %u\n", seed);
    for (std::uint32_t index = 0; index < options.count; ++index) {
        generatePuzzle(board, random);
        const bool ok = checkGrid(board, solutionLayer) == 0;
        const std::string out = json ? puzzles::puzzleJson(board, seed, index, ok) + "\n"
                                     : puzzles::puzzleText(board, index, ok, options.solution);
        std::fputs(out.c_str(), stdout);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
