#include "app/command_line.h"

#include "app/commands.h"

#include <array>
#include <string_view>
#include <utility>

namespace kelvaro {

namespace {

// Options that QGuiApplication, QApplication and the platform plugins read themselves, with
// the value that follows them or alone. Qt takes them with one dash or two.
constexpr std::array<std::string_view, 16> qtOptionsWithValue{"platform",
                                                              "platformpluginpath",
                                                              "platformtheme",
                                                              "plugin",
                                                              "qwindowgeometry",
                                                              "qwindowicon",
                                                              "qwindowtitle",
                                                              "session",
                                                              "display",
                                                              "geometry",
                                                              "name",
                                                              "title",
                                                              "visual",
                                                              "style",
                                                              "stylesheet",
                                                              "qmljsdebugger"};
constexpr std::array<std::string_view, 6> qtFlags{"reverse", "widgetcount", "nograb",
                                                  "dograb",  "sync",        "testability"};

template <std::size_t N>
bool listed(const std::array<std::string_view, N>& names, std::string_view name) {
    for (const std::string_view known : names)
        if (known == name) return true;
    return false;
}

std::string quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

// A Qt option's name without its dashes and any "=value"; empty for anything else.
std::string_view qtOptionName(std::string_view arg) {
    if (arg.size() < 2 || arg[0] != '-') return {};
    arg.remove_prefix(arg[1] == '-' ? 2 : 1);
    return arg.substr(0, arg.find('='));
}

} // namespace

CommandLine readCommandLine(int& argc, char** argv) {
    CommandLine line;
    int kept = argc > 0 ? 1 : 0; // argv[0] stays
    const auto fail = [&line](std::string error) {
        line.action = CommandLineAction::fail;
        line.error = std::move(error);
        return line;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            line.action = CommandLineAction::help;
            return line;
        }
        if (arg == "--version") {
            line.action = CommandLineAction::version;
            return line;
        }
        if (arg == "--puzzle" || arg.substr(0, 9) == "--puzzle=") {
            std::string_view value;
            if (arg.size() > 8) {
                value = arg.substr(9);
            } else if (i + 1 < argc) {
                value = argv[++i];
            } else {
                return fail("--puzzle needs a number, such as 8-3141592653");
            }
            PuzzleNumber number;
            if (!parsePuzzleNumber(value, number))
                return fail("bad puzzle number " + quoted(value) +
                            " (use a size 5, 8 or 12, a u for a puzzle with one solution, a "
                            "dash and a seed from 0 to 4294967295, such as 8-3141592653 or "
                            "12u-3141592653)");
            line.puzzle = number;
            continue;
        }
        const std::string_view name = qtOptionName(arg);
        if (listed(qtFlags, name) && arg.find('=') == std::string_view::npos) {
            argv[kept++] = argv[i];
            continue;
        }
        if (listed(qtOptionsWithValue, name)) {
            argv[kept++] = argv[i];
            if (arg.find('=') != std::string_view::npos) continue;
            if (i + 1 >= argc) return fail(std::string(arg) + " needs a value");
            argv[kept++] = argv[++i];
            continue;
        }
        return fail(arg.substr(0, 1) == "-" ? "unknown option " + quoted(arg)
                                            : "unexpected argument " + quoted(arg));
    }
    // argv has argc + 1 entries, the last one null; the kept ones end the same way.
    if (argc > 0) argv[kept] = nullptr;
    argc = kept;
    return line;
}

const char* commandLineHelp() {
    return "Usage: kelvaro [--puzzle NUMBER] [Qt options]\n"
           "       kelvaro --help | --version\n"
           "\n"
           "Kelvaro: link each pair of symbols with a line that has exactly the number of\n"
           "cells shown between its ends; lines never cross, and every cell is used.\n"
           "\n"
           "  --puzzle N-S    start on puzzle N-S instead of a new one: N the board size\n"
           "                  (5, 8 or 12), S its seed (0 to 4294967295), as the Puzzle\n"
           "                  menu shows it and kelvaro-puzzles prints it; a seed alone\n"
           "                  takes the size of the current difficulty. Nu-S, with a u,\n"
           "                  is the puzzle with one solution of that seed, as the\n"
           "                  Unique puzzles option makes it. It is practice: it goes\n"
           "                  into no record.\n"
           "  --help          show this help\n"
           "  --version       show the version\n"
           "\n"
           "Qt's own options (-platform, -session, -style, -display, ...) work as usual.\n"
           "Exit status: 0 when the window closes, 2 for bad arguments.\n";
}

std::string versionLine() {
    return std::string(programTitle) + " " + versionText;
}

} // namespace kelvaro
