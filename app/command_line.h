// The kelvaro command line: --puzzle, --help and --version, read before any window exists so
// that help, version and bad arguments need no display. Qt's own options pass through.
#pragma once

#include "engine/puzzle_number.h"

#include <optional>
#include <string>

namespace kelvaro {

enum class CommandLineAction { play, help, version, fail };

struct CommandLine {
    CommandLineAction action = CommandLineAction::play;
    std::optional<PuzzleNumber> puzzle; // --puzzle: the first game (size 0: the difficulty's)
    std::string error;                  // fail: one line naming the bad argument
};

// Reads argv and removes our own options from it (argc shrinks), leaving Qt's for QApplication.
CommandLine readCommandLine(int& argc, char** argv);

const char* commandLineHelp();

// "Kelvaro 1.1"
std::string versionLine();

} // namespace kelvaro
