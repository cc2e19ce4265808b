#include "options.h"

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

} // namespace

const char* helpText() {
    return "Usage: kelvaro-puzzles generate --size N [--seed S] [--count C]\n"
           "                       [--format text|json] [--solution]\n"
           "       kelvaro-puzzles --help | --version\n"
           "\n"
           "Makes Kelvaro puzzles: link each pair of equal letters with a line that has\n"
           "exactly the number of cells shown between its ends, lines never cross, and\n"
           "every cell is used.\n"
           "\n"
           "  --size N        board side: 5, 8 or 12 (required)\n"
           "  --seed S        seed of the random source, 0 to 4294967295; the same seed\n"
           "                  gives the same puzzles (a random seed when absent)\n"
           "  --count C       how many puzzles to make in a row from that seed (default 1)\n"
           "  --format F      text (default): a drawing for a terminal, after a first line\n"
           "                  'seed S'; json: one line per puzzle and nothing else,\n"
           "                  "
           "{\"size\":N,\"seed\":S,\"index\":I,\"ok\":B,\"solution\":[[...],...]}\n"
           "                  with rows from the top and each cell's signed code\n"
           "  --solution      text format: also draw the solution's lines\n"
           "  --help          show this help\n"
           "  --version       show the version\n"
           "\n"
           "Exit status: 0 on success, 2 for bad arguments.\n";
}

bool parseOptions(int argc, const char* const* argv, Options& options, std::string& error) {
    options = Options{};
    bool haveCommand = false;
    bool haveSize = false;
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
            if (arg != "generate") {
                error = arg.substr(0, 2) == "--" ? "unknown option " + quoted(arg)
                                                 : "unknown command " + quoted(arg);
                return false;
            }
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
        if (name == "--solution" && !inlineValue) {
            options.solution = true;
            continue;
        }
        if (name != "--size" && name != "--seed" && name != "--count" && name != "--format") {
            error = "unknown option " + quoted(arg);
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
        if (name == "--size") {
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
        } else {
            if (value != "text" && value != "json") {
                error = "bad format " + quoted(value) + " (use text or json)";
                return false;
            }
            options.format = value == "json" ? Format::json : Format::text;
        }
    }
    if (!haveCommand) {
        error = "missing command 'generate' (see --help)";
        return false;
    }
    if (!haveSize) {
        error = "missing --size (use 5, 8 or 12)";
        return false;
    }
    return true;
}

} // namespace kelvaro::puzzles
