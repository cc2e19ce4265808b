#include "options.h"

#include "engine/puzzle_number.h"
#include "ordered_map.h"
#include "render/puzzle_sheet.h"

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

const char* commandName(Command command) {
    switch (command) {
    case Command::generate:
        return "generate";
    case Command::stats:
        return "stats";
    case Command::print:
        return "print";
    case Command::grade:
        return "grade";
    default:
        return "solve";
    }
}

// What only the whole print command line can tell: an output, a count that makes pages, and
// seeds that stay seeds.
bool checkPrintOptions(Options& options, bool haveFormat, std::string& error) {
    if (!haveFormat) options.format = Format::pdf;
    if (options.output.empty()) {
        error = "missing -o FILE for print";
        return false;
    }
    // Every printed puzzle carries the number that plays it, and one exact level has none.
    if (options.unique && options.choice == uniqueOff) {
        error = "print takes the game's choices only: --level any, gentle or demanding";
        return false;
    }
    if (options.count == 0) {
        error = "bad count '0' for print (use at least 1)";
        return false;
    }
    const std::uint64_t puzzlePages =
        (std::uint64_t{options.count} + static_cast<std::uint64_t>(options.perPage) - 1) /
        static_cast<std::uint64_t>(options.perPage);
    const std::uint64_t pages = options.solutions ? 2 * puzzlePages : puzzlePages;
    if (pages > maxPrintedPages) {
        error = "too many pages: " + std::to_string(options.count) + " puzzles make " +
                std::to_string(pages) + " pages (at most " + std::to_string(maxPrintedPages) + ")";
        return false;
    }
    // A random seed is drawn later from all seeds; the count is checked against it then.
    if (options.hasSeed && std::uint64_t{options.seed} + options.count - 1 > 4294967295u) {
        error = "the seeds of " + std::to_string(options.count) + " puzzles from " +
                std::to_string(options.seed) + " run past 4294967295";
        return false;
    }
    return true;
}

} // namespace

const char* helpText() {
    return "Usage: kelvaro-puzzles generate --size N [--seed S] [--count C]\n"
           "                       [--format text|json] [--solution] [--unique] [--jobs J]\n"
           "                       [--level any|gentle|demanding|1-7]\n"
           "       kelvaro-puzzles solve [--by-symbol] [--jobs J] [FILE]\n"
           "       kelvaro-puzzles grade [--jobs J] [FILE]\n"
           "       kelvaro-puzzles stats --size N [--seed S] [--count C] [--unique] [--jobs J]\n"
           "                       [--level any|gentle|demanding|1-7]\n"
           "       kelvaro-puzzles print --size N [--seed S] [--count C] [--unique] -o FILE\n"
           "                       [--level any|gentle|demanding] [--per-page 1|2|4|6]\n"
           "                       [--paper a4|letter] [--solutions] [--format pdf|svg] [--jobs "
           "J]\n"
           "       kelvaro-puzzles generate|stats|print --puzzle N-S|Nu-S|Ng-S|Nd-S ...\n"
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
           "  --jobs J        threads to work on (default: one per core); the output is the\n"
           "                  same for every J, here and in solve, grade, stats and print\n"
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
           "print: writes the game's puzzles to paper size pages, each as the game shows it\n"
           "at its start (the grid, each endpoint with its line's length) with its puzzle\n"
           "number under it, so that it can also be played with Play a puzzle by number.\n"
           "  --puzzle N-S    that puzzle; --size N --seed S --count C: the puzzles of the C\n"
           "                  seeds from S on (default 1), each the puzzle of its own number;\n"
           "                  --unique: their unique numbers, Nu-S\n"
           "  -o FILE         the file to write (required); for svg, one file per page,\n"
           "                  numbered: FILE-1.svg, FILE-2.svg, ...\n"
           "  --per-page P    puzzles on a page: 1 (default), 2, 4 or 6\n"
           "  --paper P       a4 (default) or letter\n"
           "  --solutions     add the solution pages, after all puzzle pages, each solution\n"
           "                  under its puzzle's number\n"
           "  --format F      pdf (default) or svg\n"
           "  At most 1000 pages are made at a time.\n"
           "\n"
           "  --help          show this help\n"
           "  --version       show the version\n"
           "\n"
           "Exit status: 0 on success, 1 when solve or grade met a bad line or generate\n"
           "--unique found no unique puzzle, 2 for bad arguments, an unreadable file or an\n"
           "unwritable output.\n";
}

bool parseOptions(int argc, const char* const* argv, Options& options, std::string& error) {
    options = Options{};
    options.jobs = allCores();
    bool haveCommand = false;
    bool haveSize = false;
    bool haveFile = false;
    bool haveCount = false;
    bool havePuzzle = false;
    bool haveFormat = false;
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
            if (arg != "generate" && arg != "solve" && arg != "grade" && arg != "stats" &&
                arg != "print") {
                error = arg.substr(0, 2) == "--" ? "unknown option " + quoted(arg)
                                                 : "unknown command " + quoted(arg);
                return false;
            }
            options.command = arg == "generate" ? Command::generate
                              : arg == "solve"  ? Command::solve
                              : arg == "grade"  ? Command::grade
                              : arg == "stats"  ? Command::stats
                                                : Command::print;
            haveCommand = true;
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
        // solve and grade read lines: a file name and --jobs (and for solve --by-symbol),
        // nothing else; "-" is standard input.
        const bool reading = options.command == Command::solve || options.command == Command::grade;
        if (options.command == Command::solve && arg == "--by-symbol" && !options.bySymbol) {
            options.bySymbol = true;
            continue;
        }
        if (reading && name != "--jobs") {
            if (arg.substr(0, 2) == "--" || haveFile) {
                const bool solving = options.command == Command::solve;
                error = std::string(solving ? "solve" : "grade") + " takes only " +
                        (solving ? "--by-symbol, " : "") + "--jobs and a file name, not " +
                        quoted(arg);
                return false;
            }
            options.file = arg == "-" ? std::string() : std::string(arg);
            haveFile = true;
            continue;
        }
        const bool generating = options.command == Command::generate;
        const bool printing = options.command == Command::print;
        if (name == "--unique" && !inlineValue && !reading) {
            options.unique = true;
            continue;
        }
        if (name == "--solution" && !inlineValue && generating) {
            options.solution = true;
            continue;
        }
        if (name == "--solutions" && !inlineValue && printing) {
            options.solutions = true;
            continue;
        }
        const bool known =
            name == "--jobs" ||
            (!reading && (name == "--size" || name == "--seed" || name == "--count" ||
                          name == "--puzzle" || name == "--level")) ||
            (name == "--format" && (generating || printing)) ||
            ((name == "--per-page" || name == "--paper" || name == "-o") && printing);
        if (!known) {
            error = "unknown option " + quoted(arg) + " for " + commandName(options.command);
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
        } else if (name == "--jobs") {
            if (!parseNumber(value, maxJobs, number) || number == 0) {
                error = "bad number of jobs " + quoted(value) + " (use 1 to " +
                        std::to_string(maxJobs) + ")";
                return false;
            }
            options.jobs = static_cast<int>(number);
        } else if (name == "--per-page") {
            if (!parseNumber(value, 6, number) || !isPuzzlesPerPage(static_cast<int>(number))) {
                error = "bad layout " + quoted(value) + " for --per-page (use 1, 2, 4 or 6)";
                return false;
            }
            options.perPage = static_cast<int>(number);
        } else if (name == "--paper") {
            if (value != "a4" && value != "letter") {
                error = "bad paper " + quoted(value) + " (use a4 or letter)";
                return false;
            }
            options.paper = value == "a4" ? Paper::a4 : Paper::letter;
        } else if (name == "-o") {
            if (value.empty()) {
                error = "-o needs a file name";
                return false;
            }
            options.output = std::string(value);
        } else if (printing) {
            if (value != "pdf" && value != "svg") {
                error = "bad format " + quoted(value) + " (use pdf or svg)";
                return false;
            }
            options.format = value == "pdf" ? Format::pdf : Format::svg;
            haveFormat = true;
        } else {
            if (value != "text" && value != "json") {
                error = "bad format " + quoted(value) + " (use text or json)";
                return false;
            }
            options.format = value == "json" ? Format::json : Format::text;
        }
    }
    if (!haveCommand) {
        error = "missing command: generate, solve, grade, stats or print (see --help)";
        return false;
    }
    if (options.command != Command::solve && options.command != Command::grade && !haveSize) {
        error = "missing --size (use 5, 8 or 12)";
        return false;
    }
    if (options.command == Command::stats && !haveCount) options.count = 100;
    if (options.command == Command::print) return checkPrintOptions(options, haveFormat, error);
    return true;
}

} // namespace kelvaro::puzzles
