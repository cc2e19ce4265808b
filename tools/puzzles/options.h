// The command line of kelvaro-puzzles.
#pragma once

#include <cstdint>
#include <string>

namespace kelvaro::puzzles {

enum class Command { generate, solve, stats, help, version };
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
    std::string file;    // solve: the file to read; standard input when empty
};

// Fills `options` from argv; on a bad argument returns false and sets `error` to one line
// that names the bad value.
bool parseOptions(int argc, const char* const* argv, Options& options, std::string& error);

// The --help text.
const char* helpText();

} // namespace kelvaro::puzzles
