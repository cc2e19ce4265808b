// kelvaro-puzzles: Kelvaro puzzles outside the game, to print or share by seed.
#include "candidate_stream.h"
#include "drawing.h"
#include "engine/puzzle_number.h"
#include "engine/unique_puzzle.h"
#include "options.h"
#include "print.h"
#include "solve.h"
#include "stats.h"

#include <QGuiApplication>
#include <QHashFunctions>
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
    const int status = puzzles::solveLines(in, std::cout, std::cerr, options.jobs, answer);
    if (in.bad()) {
        std::cerr << "kelvaro-puzzles: cannot read "
                  << (fromStdin ? std::string("standard input") : "'" + options.file + "'") << "\n";
        return 2;
    }
    return status;
}

int generateCommand(const puzzles::Options& options, std::uint32_t seed) {
    const bool json = options.format == puzzles::Format::json;
    if (!json) std::printf("seed %u\n", seed);
    std::uint32_t index = 0;
    bool gaveUp = false;
    // Each unique puzzle continues the same stream of generated puzzles.
    UniqueSearch search;
    search.levels = options.levels;
    const puzzles::StreamPlan plan{
        options.size,   seed,         options.unique ? UINT64_MAX : options.count,
        options.unique, options.jobs, options.levels};
    const auto take = [&](const puzzles::Candidate& candidate) {
        puzzles::UniqueNote note;
        if (options.unique) {
            const UniqueVerdict verdict = countCandidate(search, candidate.answer);
            if (verdict == uniqueSearching) return true;
            if (verdict == uniqueGaveUp) {
                gaveUp = true;
                return false;
            }
            note.unique = true;
            note.rejected = search.rejected;
            note.level = search.level;
            search = UniqueSearch{};
            search.levels = options.levels;
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
        const bool ok = candidate.answer.sound;
        const std::string out =
            json ? puzzles::puzzleJson(candidate.board, seed, index, ok, note) + "\n"
                 : puzzles::puzzleText(candidate.board, index, ok, options.solution, note);
        std::fputs(out.c_str(), stdout);
        return ++index < options.count;
    };
    if (options.count > 0) puzzles::streamCandidates(plan, take);
    if (gaveUp) {
        std::fflush(stdout);
        std::fprintf(stderr, "kelvaro-puzzles: no puzzle with one solution among %d candidates\n",
                     uniqueCandidateCap);
        return 1;
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

// Fonts come from Qt's database, which needs a QGuiApplication; the tool shows no window, so
// it runs on the platform that needs no display.
int printCommand(const puzzles::Options& options, std::uint32_t seed, char* program) {
    char platformOption[] = "-platform";
    char platform[] = "offscreen";
    char* qtArgv[] = {program, platformOption, platform, nullptr};
    int qtArgc = 3;
    // Standard error carries the tool's own lines only, such as the one about a file it cannot
    // write; Qt's notes about the environment (no runtime folder, say) are not for its users.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    // Qt's PDF writer lays out some of its objects in the order of a hash table, which Qt seeds
    // at random in every process; a fixed seed makes the same pages the same bytes.
    QHashSeed::setDeterministicGlobalSeed();
    QGuiApplication application(qtArgc, qtArgv);
    return puzzles::printPuzzles(options, seed);
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
    std::uint32_t seed = options.hasSeed ? options.seed : std::random_device{}();
    if (options.command == puzzles::Command::print) {
        // A random first seed leaves room for the count's seeds after it.
        if (!options.hasSeed)
            seed = static_cast<std::uint32_t>(std::uint64_t{seed} %
                                              (std::uint64_t{4294967296u} - options.count + 1));
        return printCommand(options, seed, argv[0]);
    }
    if (options.command == puzzles::Command::stats) {
        puzzles::printStats(options, seed, std::cout);
        std::cout.flush();
        return std::cout ? 0 : 1;
    }
    return generateCommand(options, seed);
}
