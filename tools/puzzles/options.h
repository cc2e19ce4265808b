// The command line of kelvaro-puzzles.
#pragma once

#include "engine/unique_puzzle.h"

#include <cstdint>
#include <string>

namespace kelvaro::puzzles {

enum class Command { generate, solve, grade, stats, print, help, version };
enum class Format { text, json, pdf, svg };
enum class Paper { a4, letter };

// The most pages print makes in one go: more is surely a mistaken count.
constexpr std::uint64_t maxPrintedPages = 1000;

struct Options {
    Command command = Command::generate;
    int size = 0;
    bool hasSeed = false;
    std::uint32_t seed = 0;
    std::uint32_t count = 1;      // 100 for stats
    Format format = Format::text; // pdf for print
    bool solution = false;
    bool unique = false; // generate and stats: puzzles with exactly one solution only
    // With unique: the levels kept, and the game's choice they are (uniqueOff for one exact
    // level, which no puzzle number names). `levelGiven`: --level was on the command line.
    LevelRange levels;
    UniqueChoice choice = uniqueAnyLevel;
    bool levelGiven = false;
    bool bySymbol = false; // solve: pair the endpoints by their symbols, not as shown
    std::string file;      // solve and grade: the file to read; standard input when empty
    int jobs = 1;          // threads; all cores unless --jobs says otherwise
    // print: puzzles per page (1, 2, 4 or 6), the paper, the solution pages, the output file
    // (for SVG, the name its numbered pages are made from).
    int perPage = 1;
    Paper paper = Paper::a4;
    bool solutions = false;
    std::string output;
};

// Fills `options` from argv; on a bad argument returns false and sets `error` to one line
// that names the bad value.
bool parseOptions(int argc, const char* const* argv, Options& options, std::string& error);

// The --help text.
const char* helpText();

} // namespace kelvaro::puzzles
