#include "options.h"

#include "engine/puzzle_number.h"

#include <string_view>

namespace kelvaro::puzzles {

namespace {

// Decimal digits only, no sign, no blanks, at most `limit`.
bool parseNumber(std::string_view text, std::uint64_t limit, std::uint64_t& value) {
    if (text.empty() || text.size() > 20) return false;
    value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > limit) return false;
    }
    return true;
}

std::string quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

// --level: a game's choice by name, or one exact level of the ladder.
bool parseLevel(std::string_view text, Options& options) {
    const UniqueChoice choice = text == "any"         ? uniqueAnyLevel
                                : text == "gentle"    ? uniqueGentle
                                : text == "demanding" ? uniqueDemanding
                                                      : uniqueOff;
    if (choice != uniqueOff) {
        options.choice = choice;
        options.levels = levelsFor(choice);
        return true;
    }
    std::uint64_t level = 0;
    if (!parseNumber(text, ladderTop, level) || level == 0) return false;
    options.choice = uniqueOff;
    options.levels = {static_cast<int>(level), static_cast<int>(level)};
    return true;
}

} // namespace

const char* helpText() {
    return "Usage: kelvaro-puzzles generate --size N [--seed S] [--count C]\n"
           "                       [--format text|json] [--solution] [--unique]\n"
           "                       [--level any|gentle|demanding|1-7]\n"
           "       kelvaro-puzzles solve [--by-symbol] [FILE]\n"
           "       kelvaro-puzzles grade [FILE]\n"
           "       kelvaro-puzzles stats --size N [--seed S] [--count C] [--unique]\n"
           "                       [--level any|gentle|demanding|1-7]\n"
           "       kelvaro-puzzles generate|stats --puzzle N-S|Nu-S|Ng-S|Nd-S ...\n"
           "       kelvaro-puzzles --help | --version\n"
           "\n"
           "Makes Kelvaro puzzles: link each pair of equal letters with a line that has\n"
           "exactly the number of cells shown between its ends, lines never cross, and\n"
           "every cell is used.\n"
           "\n"
           "generate: writes puzzles.\n"
           "  --size N        board side: 5, 8 or 12 (required)\n"
           "  --seed S        seed of the random source, 0 to 4294967295; the same seed\n"
           "                  gives the same puzzles (a random seed when absent)\n"
           "  --puzzle N-S    the puzzle number the game shows (Puzzle menu), short for\n"
           "                  --size N --seed S; the first puzzle is the game's puzzle;\n"
           "                  Nu-S, Ng-S and Nd-S, unique numbers, add --unique with\n"
           "                  --level any, gentle or demanding\n"
           "  --count C       how many puzzles to make in a row from that seed (default 1)\n"
           "  --format F      text (default): a drawing for a terminal, after a first line\n"
           "                  'seed S' and a line 'number N-S' (with --unique, Nu-S,\n"
           "                  Ng-S or Nd-S; none for one exact --level)\n"
           "                  naming the first puzzle (play it with kelvaro --puzzle and\n"
           "                  that number); json: one line per puzzle and nothing else,\n"
           "                  "
           "{\"size\":N,\"seed\":S,\"index\":I,\"ok\":B,\"solution\":[[...],...]}\n"
           "                  with rows from the top and each cell's signed code\n"
           "  --solution      text format: also draw the solution's lines\n"
           "  --unique        only puzzles with exactly one solution as the player sees\n"
           "                  them, that reasoning finishes without guessing: the puzzles\n"
           "                  of the seed are made as usual and the others are skipped;\n"
           "                  json lines add \"unique\":true, \"rejected\":R, the number\n"
           "                  of puzzles skipped before each, and \"level\":L\n"
           "  --level L       with --unique (implied): any (default), gentle (levels 1\n"
           "                  to 6, no look-ahead), demanding (level 7), or one level 1-7\n"
           "\n"
           "solve: reads the JSON lines of generate from FILE (standard input when absent)\n"
           "and counts the solutions of each puzzle as the player sees it (endpoints and\n"
           "lengths; any two endpoints of one length may be linked), one line per puzzle:\n"
           "  {\"size\":N,\"seed\":S,\"index\":I,\"solutions\":0|1|2|\"unknown\",\"steps\":K}\n"
           "  2 stands for two or more; unknown when the search ran out of steps.\n"
           "  --by-symbol     pair the endpoints by their symbols instead\n"
           "\n"
           "grade: reads the same lines and answers each with the reasoning it needs:\n"
           "  {\"size\":N,\"seed\":S,\"index\":I,\"level\":1-7|\"guess\",\"steps\":K}\n"
           "\n"
           "stats: makes C puzzles (default 100) and prints a table of how many have one\n"
           "solution as shown, more, or an unknown number, with the solver's steps, and\n"
           "the share of each level; with --unique, makes C unique puzzles of each choice\n"
           "(or of --level's) and adds the candidates and time each one took.\n"
           "\n"
           "  --help          show this help\n"
           "  --version       show the version\n"
           "\n"
           "Exit status: 0 on success, 1 when solve or grade met a bad line or generate\n"
           "--unique found no unique puzzle, 2 for bad arguments or an unreadable file.\n";
}

bool parseOptions(int argc, const char* const* argv, Options& options, std::string& error) {
    options = Options{};
    bool haveCommand = false;
    bool haveSize = false;
    bool haveFile = false;
    bool haveCount = false;
    bool havePuzzle = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.command = Command::help;
            return true;
        }
        if (arg == "--version") {
            options.command = Command::version;
            return true;
        }
        if (!haveCommand) {
            if (arg != "generate" && arg != "solve" && arg != "grade" && arg != "stats") {
                error = arg.substr(0, 2) == "--" ? "unknown option " + quoted(arg)
                                                 : "unknown command " + quoted(arg);
                return false;
            }
            options.command = arg == "generate" ? Command::generate
                              : arg == "solve"  ? Command::solve
                              : arg == "grade"  ? Command::grade
                                                : Command::stats;
            haveCommand = true;
            continue;
        }
        if (options.command == Command::solve || options.command == Command::grade) {
            const bool solving = options.command == Command::solve;
            if (solving && arg == "--by-symbol" && !options.bySymbol) {
                options.bySymbol = true;
                continue;
            }
            // Otherwise a file name and nothing else; "-" is standard input.
            if (arg.substr(0, 2) == "--" || haveFile) {
                error = std::string(solving ? "solve" : "grade") + " takes only " +
                        (solving ? "--by-symbol and " : "") + "a file name, not " + quoted(arg);
                return false;
            }
            options.file = arg == "-" ? std::string() : std::string(arg);
            haveFile = true;
            continue;
        }
        std::string_view name = arg;
        std::string_view value;
        bool inlineValue = false;
        if (const auto eq = arg.find('=');
            arg.substr(0, 2) == "--" && eq != std::string_view::npos) {
            name = arg.substr(0, eq);
            value = arg.substr(eq + 1);
            inlineValue = true;
        }
        const bool generating = options.command == Command::generate;
        if (name == "--unique" && !inlineValue) {
            options.unique = true;
            continue;
        }
        if (name == "--solution" && !inlineValue && generating) {
            options.solution = true;
            continue;
        }
        if (name != "--size" && name != "--seed" && name != "--count" && name != "--puzzle" &&
            name != "--level" && (name != "--format" || !generating)) {
            error = "unknown option " + quoted(arg) + " for " + (generating ? "generate" : "stats");
            return false;
        }
        if (!inlineValue) {
            if (i + 1 >= argc) {
                error = std::string(name) + " needs a value";
                return false;
            }
            value = argv[++i];
        }
        std::uint64_t number = 0;
        if ((name == "--puzzle" && (haveSize || options.hasSeed)) ||
            ((name == "--size" || name == "--seed") && havePuzzle)) {
            error = "--puzzle stands for --size and --seed: give one or the others";
            return false;
        }
        if ((name == "--puzzle" && options.levelGiven) || (name == "--level" && havePuzzle)) {
            error = "a unique puzzle number names its level choice: give --puzzle or --level";
            return false;
        }
        if (name == "--level") {
            if (!parseLevel(value, options)) {
                error = "bad level " + quoted(value) +
                        " (use any, gentle, demanding or a level from 1 to " +
                        std::to_string(ladderTop) + ")";
                return false;
            }
            options.unique = true;
            options.levelGiven = true;
        } else if (name == "--puzzle") {
            PuzzleNumber puzzle;
            if (!parsePuzzleNumber(value, puzzle) || puzzle.size == 0) {
                error = "bad puzzle number " + quoted(value) +
                        " (use a size 5, 8 or 12, a letter u, g or d for a puzzle with one "
                        "solution of any, gentle or demanding level, a dash and a seed, such "
                        "as 8-3141592653 or 12u-3141592653)";
                return false;
            }
            options.size = puzzle.size;
            options.seed = puzzle.seed;
            if (puzzle.unique != uniqueOff) {
                options.unique = true;
                options.choice = puzzle.unique;
                options.levels = levelsFor(puzzle.unique);
            }
            options.hasSeed = true;
            haveSize = havePuzzle = true;
        } else if (name == "--size") {
            if (!parseNumber(value, 12, number) || (number != 5 && number != 8 && number != 12)) {
                error = "bad size " + quoted(value) + " (use 5, 8 or 12)";
                return false;
            }
            options.size = static_cast<int>(number);
            haveSize = true;
        } else if (name == "--seed") {
            if (!parseNumber(value, 4294967295u, number)) {
                error = "bad seed " + quoted(value) + " (use a number from 0 to 4294967295)";
                return false;
            }
            options.seed = static_cast<std::uint32_t>(number);
            options.hasSeed = true;
        } else if (name == "--count") {
            if (!parseNumber(value, 4294967295u, number)) {
                error = "bad count " + quoted(value) + " (use a number from 0 to 4294967295)";
                return false;
            }
            options.count = static_cast<std::uint32_t>(number);
            haveCount = true;
        } else {
            if (value != "text" && value != "json") {
                error = "bad format " + quoted(value) + " (use text or json)";
                return false;
            }
            options.format = value == "json" ? Format::json : Format::text;
        }
    }
    if (!haveCommand) {
        error = "missing command: generate, solve, grade or stats (see --help)";
        return false;
    }
    if (options.command != Command::solve && options.command != Command::grade && !haveSize) {
        error = "missing --size (use 5, 8 or 12)";
        return false;
    }
    if (options.command == Command::stats && !haveCount) options.count = 100;
    return true;
}

} // namespace kelvaro::puzzles
