// The command line of kelvaro-puzzles.
#pragma once

#include "engine/unique_puzzle.h"

#include <cstdint>
#include <string>

namespace kelvaro::puzzles {

enum class Command { generate, solve, grade, stats, help, version };
enum class Format { text, json };

struct Options {
    Command command = Command::generate;
    int size = 0;
    bool hasSeed = false;
    std::uint32_t seed = 0;
    std::uint32_t count = 1; // 100 for stats
    Format format = Format::text;
    bool solution = false;
    bool unique = false; // generate and stats: puzzles with exactly one solution only
    // With unique: the levels kept, and the game's choice they are (uniqueOff for one exact
    // level, which no puzzle number names). `levelGiven`: --level was on the command line.
    LevelRange levels;
    UniqueChoice choice = uniqueAnyLevel;
    bool levelGiven = false;
    bool bySymbol = false; // solve: pair the endpoints by their symbols, not as shown
    std::string file;      // solve and grade: the file to read; standard input when empty
};

// Fills `options` from argv; on a bad argument returns false and sets `error` to one line
// that names the bad value.
bool parseOptions(int argc, const char* const* argv, Options& options, std::string& error);

// The --help text.
const char* helpText();

} // namespace kelvaro::puzzles
