// kelvaro-puzzles: Kelvaro puzzles outside the game, to print or share by seed.
#include "drawing.h"
#include "engine/checker.h"
#include "engine/generator.h"
#include "engine/puzzle_number.h"
#include "engine/random_source.h"
#include "engine/unique_puzzle.h"
#include "options.h"
#include "solve.h"
#include "stats.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <random>
#include <string>

using namespace kelvaro;

namespace {

int solveCommand(const puzzles::Options& options) {
    const bool fromStdin = options.file.empty();
    std::ifstream file;
    if (!fromStdin) {
        file.open(options.file);
        if (!file) {
            std::cerr << "kelvaro-puzzles: cannot open '" << options.file << "'\n";
            return 2;
        }
    }
    std::istream& in = fromStdin ? std::cin : file;
    const puzzles::Answer answer = options.command == puzzles::Command::grade
                                       ? puzzles::Answer::level
                                   : options.bySymbol ? puzzles::Answer::symbolSolutions
                                                      : puzzles::Answer::shownSolutions;
    const int status = puzzles::solveLines(in, std::cout, std::cerr, answer);
    if (in.bad()) {
        std::cerr << "kelvaro-puzzles: cannot read "
                  << (fromStdin ? std::string("standard input") : "'" + options.file + "'") << "\n";
        return 2;
    }
    return status;
}

int generateCommand(const puzzles::Options& options, std::uint32_t seed) {
    Mt19937Source random(seed);
    Board board;
    board.boardSize = static_cast<std::int16_t>(options.size);
    const bool json = options.format == puzzles::Format::json;
    if (!json) std::printf("seed %u\n", seed);
    for (std::uint32_t index = 0; index < options.count; ++index) {
        puzzles::UniqueNote note;
        if (options.unique) {
            // Each unique puzzle continues the same stream of generated puzzles.
            UniqueSearch search;
            search.levels = options.levels;
            if (!generateUniquePuzzle(board, random, search)) {
                std::fflush(stdout);
                std::fprintf(stderr,
                             "kelvaro-puzzles: no puzzle with one solution among %d candidates\n",
                             uniqueCandidateCap);
                return 1;
            }
            note.unique = true;
            note.rejected = search.rejected;
            note.level = search.level;
        } else {
            generatePuzzle(board, random);
        }
        // One exact level is no choice of the game's, and no number names its puzzles.
        if (!json && index == 0 && (!options.unique || options.choice != uniqueOff)) {
            // The first puzzle from a seed is the one the game plays under this number; a
            // unique one is named only once it is found.
            const PuzzleNumberText number =
                formatPuzzleNumber({static_cast<std::int16_t>(options.size), seed,
                                    options.unique ? options.choice : uniqueOff});
            std::printf("number %.*s\n", static_cast<int>(number.length), number.chars);
        }
        const bool ok = checkGrid(board, solutionLayer) == 0;
        const std::string out = json
                                    ? puzzles::puzzleJson(board, seed, index, ok, note) + "\n"
                                    : puzzles::puzzleText(board, index, ok, options.solution, note);
        std::fputs(out.c_str(), stdout);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    puzzles::Options options;
    std::string error;
    if (!puzzles::parseOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "kelvaro-puzzles: %s\n", error.c_str());
        return 2;
    }
    switch (options.command) {
    case puzzles::Command::help:
        std::fputs(puzzles::helpText(), stdout);
        return 0;
    case puzzles::Command::version:
        std::puts(KELVARO_VERSION);
        return 0;
    case puzzles::Command::solve:
    case puzzles::Command::grade:
        return solveCommand(options);
    default:
        break;
    }
    const std::uint32_t seed = options.hasSeed ? options.seed : std::random_device{}();
    if (options.command == puzzles::Command::stats) {
        puzzles::printStats(options, seed, std::cout);
        std::cout.flush();
        return std::cout ? 0 : 1;
    }
    return generateCommand(options, seed);
}
