// Runs the built kelvaro-puzzles and checks what other tools and people rely on.
#include "engine/checker.h"
#include "engine/generator.h"
#include "engine/ladder.h"
#include "engine/puzzle_number.h"
#include "engine/solver.h"
#include "engine/unique_puzzle.h"
#include "tool_run.h"

#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace kelvaro {
namespace {

ToolRun runTool(const std::string& args) {
    return runProgram(KELVARO_PUZZLES_PATH, args);
}

std::string writeTemp(const std::string& name, const std::string& text) {
    const std::string path =
        ::testing::TempDir() + "/" + name + "-" + std::to_string(getpid()) + ".jsonl";
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

// "[a,b,...],[...]": the rows of the solution from the top, as the JSON lines write them.
std::string solutionRows(const Board& board) {
    std::string rows;
    const int n = board.boardSize;
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            rows += (x == 0 ? y == 0 ? "[" : "],[" : ",") +
                    std::to_string(board.solution[x * storageSide + y]);
    return rows + "]";
}

TEST(PuzzleTool, RejectsBadArgumentsNamingTheValue) {
    struct Case {
        const char* args;
        const char* named;
    };
    const Case cases[] = {
        {"generate --size 7", "7"},
        {"generate --size eight", "eight"},
        {"generate --size=13", "13"},
        {"generate --size 5 --seed 4294967296", "4294967296"},
        {"generate --size 5 --seed -1", "-1"},
        {"generate --size 5 --seed 12x", "12x"},
        {"generate --size 5 --seed ' 3'", " 3"},
        {"generate --size 5 --count -3", "-3"},
        {"generate --size 5 --count many", "many"},
        {"generate --size 5 --format xml", "xml"},
        {"generate --size 5 --frob", "--frob"},
        {"generate --seed 3", "--size"},
        {"generate --size", "--size"},
        {"generate --size 5 --unique=yes", "--unique=yes"},
        {"mystery", "mystery"},
        {"", "generate"},
        {"stats --seed 3", "--size"},
        {"stats --size 5 --format json", "--format"},
        {"stats --size 5 --solution", "--solution"},
        {"solve --size 5", "--size"},
        {"solve a.jsonl b.jsonl", "b.jsonl"},
        {"solve --jobs 0", "0"},
        {"solve --jobs", "--jobs"},
        {"generate --size 5 --jobs 1025", "1025"},
        {"stats --size 5 --jobs=two", "two"},
        {"generate --size 5 --solutions", "--solutions"},
        {"generate --size 5 --per-page 2", "--per-page"},
        {"stats --size 5 -o out.pdf", "-o"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        const ToolRun run = runTool(c.args);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.out.empty());
        ASSERT_EQ(linesOf(run.err).size(), 1u) << run.err;
        EXPECT_NE(run.err.find(c.named), std::string::npos) << run.err;
    }
}

TEST(PuzzleTool, JsonLinesHoldTheGeneratedSolutions) {
    const ToolRun run = runTool("generate --size 8 --seed 7 --count 3 --format json");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 3u);

    const std::regex shape(R"(\{"size":8,"seed":7,"index":(\d+),"ok":true,"solution":\[(.*)\]\})");
    const std::regex row(R"(\[(-?\d+(?:,-?\d+){7})\])");
    Board board;
    board.boardSize = 8;
    Mt19937Source random(7);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        std::smatch match;
        ASSERT_TRUE(std::regex_match(lines[i], match, shape)) << lines[i];
        EXPECT_EQ(match[1], std::to_string(i));
        // Row y lists the cells x = 0 .. 7, as generatePuzzle laid them out for that seed.
        generatePuzzle(board, random);
        const std::string rows = match[2];
        int y = 0;
        for (auto it = std::sregex_iterator(rows.begin(), rows.end(), row);
             it != std::sregex_iterator(); ++it, ++y) {
            std::istringstream cells((*it)[1].str());
            std::string cell;
            for (int x = 0; std::getline(cells, cell, ','); ++x)
                EXPECT_EQ(std::stoi(cell), board.solution[x * 12 + y]) << x << "," << y;
        }
        EXPECT_EQ(y, 8);
        // Byte for byte what other tools have always read: no blanks, members in this order.
        EXPECT_EQ(lines[i], "{\"size\":8,\"seed\":7,\"index\":" + std::to_string(i) +
                                ",\"ok\":true,\"solution\":[" + solutionRows(board) + "]}");
    }
    EXPECT_TRUE(run.err.empty());
}

TEST(PuzzleTool, ASeedGivesTheSamePuzzlesAgain) {
    const ToolRun three = runTool("generate --size 12 --seed 4294967295 --count 3 --format=json");
    const ToolRun one = runTool("generate --size 12 --seed 4294967295 --format json");
    ASSERT_EQ(three.status, 0);
    EXPECT_EQ(linesOf(three.out).at(0), linesOf(one.out).at(0));
    EXPECT_NE(linesOf(three.out).at(0).substr(40), linesOf(three.out).at(1).substr(40));
}

TEST(PuzzleTool, TextStartsWithTheSeedAndDrawsTheLines) {
    const ToolRun plain = runTool("generate --size 5 --seed 11");
    ASSERT_EQ(plain.status, 0);
    EXPECT_EQ(linesOf(plain.out).at(0), "seed 11");
    EXPECT_EQ(plain.out.find("─"), std::string::npos);

    const ToolRun solved = runTool("generate --size 5 --seed 11 --solution");
    EXPECT_EQ(solved.out.substr(0, plain.out.size()), plain.out);
    EXPECT_NE(solved.out.find("─"), std::string::npos);
    EXPECT_NE(solved.out.find("│"), std::string::npos);

    const ToolRun drawn = runTool("generate --size 8 --count 0");
    ASSERT_EQ(drawn.status, 0);
    EXPECT_TRUE(std::regex_match(drawn.out, std::regex("seed [0-9]+\n"))) << drawn.out;
}

// The solver's answer for each puzzle of a seed, as the engine gives it: as shown, or by symbol.
std::vector<SolveResult> engineAnswers(int size, std::uint32_t seed, int count,
                                       bool bySymbol = false) {
    std::vector<SolveResult> answers;
    Board board;
    board.boardSize = static_cast<std::int16_t>(size);
    Mt19937Source random(seed);
    for (int i = 0; i < count; ++i) {
        generatePuzzle(board, random);
        answers.push_back(bySymbol ? countSolutions(board, uniqueStepBudget)
                                   : countShownSolutions(board, uniqueStepBudget));
    }
    return answers;
}

TEST(PuzzleTool, SolveAnswersEachGeneratedLine) {
    for (const int size : {5, 12}) {
        for (const bool bySymbol : {false, true}) {
            SCOPED_TRACE(::testing::Message() << size << (bySymbol ? " by symbol" : " as shown"));
            const std::string args = "--size " + std::to_string(size) + " --seed 5 --count 6";
            const ToolRun made = runTool("generate --format json " + args);
            ASSERT_EQ(made.status, 0);
            const std::string path = writeTemp("made", made.out);
            // From a file, and from standard input.
            for (const std::string& source : {path, "< '" + path + "'"}) {
                const ToolRun solved =
                    runTool(std::string("solve ") + (bySymbol ? "--by-symbol " : "") + source);
                EXPECT_EQ(solved.status, 0) << solved.err;
                EXPECT_TRUE(solved.err.empty()) << solved.err;
                const std::vector<std::string> lines = linesOf(solved.out);
                const std::vector<SolveResult> answers = engineAnswers(size, 5, 6, bySymbol);
                ASSERT_EQ(lines.size(), answers.size());
                for (std::size_t i = 0; i < lines.size(); ++i) {
                    const std::string count = answers[i].solutions == unknownSolutions
                                                  ? "\"unknown\""
                                                  : std::to_string(answers[i].solutions);
                    EXPECT_EQ(lines[i], "{\"size\":" + std::to_string(size) +
                                            ",\"seed\":5,\"index\":" + std::to_string(i) +
                                            ",\"solutions\":" + count +
                                            ",\"steps\":" + std::to_string(answers[i].steps) + "}");
                }
            }
        }
    }
}

TEST(PuzzleTool, GradeAnswersEachLineWithTheLaddersLevel) {
    const ToolRun made = runTool("generate --format json --size 8 --seed 1 --count 8");
    ASSERT_EQ(made.status, 0);
    const ToolRun graded = runTool("grade '" + writeTemp("graded", made.out) + "'");
    EXPECT_EQ(graded.status, 0) << graded.err;
    const std::vector<std::string> lines = linesOf(graded.out);
    ASSERT_EQ(lines.size(), 8u);
    Board board;
    board.boardSize = 8;
    Mt19937Source random(1);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        generatePuzzle(board, random);
        const GradeResult grade = gradePuzzle(board, gradeStepBudget);
        const std::string level =
            grade.level == needsGuessing ? "\"guess\"" : std::to_string(grade.level);
        EXPECT_EQ(lines[i], "{\"size\":8,\"seed\":1,\"index\":" + std::to_string(i) +
                                ",\"level\":" + level +
                                ",\"steps\":" + std::to_string(grade.steps) + "}");
    }
    // Bad lines get the same messages as in solve.
    const ToolRun bad = runTool("grade '" + writeTemp("bad-grade", "[1]\n") + "'");
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.err.find("line 1: not a JSON object"), std::string::npos) << bad.err;
}

TEST(PuzzleTool, SolveReportsBadLinesByNumberAndAnswersTheRest) {
    const std::string good = linesOf(runTool("generate --size 5 --seed 2 --format json").out).at(0);
    std::string unsound = good;
    const std::size_t cell = unsound.find("\"solution\":[[") + 13;
    unsound.replace(cell, unsound.find(',', cell) - cell, "0"); // empties the top-left cell
    const std::string input = good + "\n" +                     // 1
                              "{\"size\":5,\"seed\":1\n" +      // 2: cut short
                              "\n" +                            // 3: blank, skipped
                              "[1,2]\n" +                       // 4: not an object
                              "{\"size\":7,\"seed\":1,\"index\":0,\"solution\":[]}\n" + // 5
                              "{\"size\":5,\"seed\":1,\"index\":0}\n" + // 6: no solution
                              "{\"size\":5,\"seed\":-1,\"index\":0,\"solution\":[]}\n" +   // 7
                              "{\"size\":5,\"seed\":1,\"index\":0,\"solution\":[[1]]}\n" + // 8
                              unsound + "\r\n" +                                           // 9
                              good + "\r\n" + // 10: Windows line end
                              std::string(17, '[') + std::string(17, ']') + "\n" + // 11
                              "{\"size\":5,\"size\":5}\n" +                        // 12
                              "{\"size\":5,\"seed\":1,\"index\":0,\"solution\":[[1,2,3,4,5]," +
                              "[1,2,3,4,5],[1,2,3,4,5],[1,2,3,4,5],[1,2,3,4,99]]}\n"; // 13
    const ToolRun run = runTool("solve '" + writeTemp("bad", input) + "'");
    EXPECT_EQ(run.status, 1);
    const std::vector<std::string> answers = linesOf(run.out);
    ASSERT_EQ(answers.size(), 2u);
    EXPECT_EQ(answers[0], answers[1]);
    EXPECT_NE(answers[0].find("\"solutions\":"), std::string::npos);

    const std::vector<std::string> errors = linesOf(run.err);
    const char* expected[] = {"line 2: not JSON",
                              "line 4: not a JSON object",
                              "line 5: \"size\" must be 5, 8 or 12",
                              "line 6: missing \"solution\"",
                              "line 7: \"seed\" must be",
                              "line 8: \"solution\" must hold 5 rows of 5",
                              "line 9: \"solution\" is not a sound puzzle",
                              "line 11: nesting deeper than 16 levels",
                              "line 12: repeated key \"size\"",
                              "line 13: no cell code at row 5, column 5"};
    ASSERT_EQ(errors.size(), std::size(expected)) << run.err;
    for (std::size_t i = 0; i < errors.size(); ++i) {
        EXPECT_EQ(errors[i].rfind("kelvaro-puzzles: ", 0), 0u) << errors[i];
        EXPECT_NE(errors[i].find(expected[i]), std::string::npos) << errors[i];
    }
}

TEST(PuzzleTool, SolveNamesAFileItCannotOpen) {
    const ToolRun run = runTool("solve /nonexistent/puzzles.jsonl");
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.out.empty());
    EXPECT_NE(run.err.find("/nonexistent/puzzles.jsonl"), std::string::npos) << run.err;
}

TEST(PuzzleTool, UniqueContinuesOneStreamOfGeneratedPuzzles) {
    const ToolRun run =
        runTool("generate --size 8 --seed 1 --unique --level gentle --count 3 --format json");
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), 3u);
    Board board;
    board.boardSize = 8;
    Mt19937Source random(1);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        UniqueSearch search;
        search.levels = levelsFor(uniqueGentle);
        ASSERT_TRUE(generateUniquePuzzle(board, random, search));
        EXPECT_EQ(lines[i], "{\"size\":8,\"seed\":1,\"index\":" + std::to_string(i) +
                                ",\"ok\":true,\"unique\":true,\"rejected\":" +
                                std::to_string(search.rejected) +
                                ",\"level\":" + std::to_string(search.level) + ",\"solution\":[" +
                                solutionRows(board) + "]}");
    }
    // The first unique puzzle of a seed is the same whatever the count.
    EXPECT_EQ(linesOf(runTool("generate --size 8 --seed 1 --level gentle --format json").out).at(0),
              lines[0]);
    const ToolRun text = runTool("generate --size 8 --seed 1 --unique");
    EXPECT_NE(text.out.find("one solution, level 5; 6 puzzles skipped before it"),
              std::string::npos)
        << text.out;
    // One exact level: the puzzles have it, and no game number names them.
    const ToolRun exact = runTool("generate --size 5 --seed 1 --level 7 --count 2 --format json");
    ASSERT_EQ(exact.status, 0) << exact.err;
    for (const std::string& line : linesOf(exact.out))
        EXPECT_NE(line.find("\"level\":7,"), std::string::npos) << line;
    const ToolRun exactText = runTool("generate --size 5 --seed 1 --level 7");
    EXPECT_EQ(exactText.out.find("number "), std::string::npos) << exactText.out;
}

TEST(PuzzleTool, StatsCountTheAnswers) {
    const ToolRun run = runTool("stats --size 8 --seed 3 --count 40");
    ASSERT_EQ(run.status, 0) << run.err;
    int one = 0, several = 0;
    for (const SolveResult& answer : engineAnswers(8, 3, 40)) {
        one += answer.solutions == oneSolution ? 1 : 0;
        several += answer.solutions == severalSolutions ? 1 : 0;
    }
    EXPECT_EQ(linesOf(run.out).at(0), "8 x 8, seed 3, 40 puzzles");
    EXPECT_TRUE(
        std::regex_search(run.out, std::regex("one solution +" + std::to_string(one) + " ")))
        << run.out;
    EXPECT_TRUE(
        std::regex_search(run.out, std::regex("two or more +" + std::to_string(several) + " ")))
        << run.out;
    EXPECT_NE(run.out.find("median"), std::string::npos);

    // Every puzzle with one solution as shown has a level; the others need guessing.
    long graded = 0;
    for (int level = 1; level <= ladderTop; ++level) {
        std::smatch match;
        ASSERT_TRUE(std::regex_search(run.out, match,
                                      std::regex("\n" + std::to_string(level) + " +(\\d+) ")))
            << run.out;
        graded += std::stol(match[1]);
    }
    std::smatch guessing;
    ASSERT_TRUE(std::regex_search(run.out, guessing, std::regex("needs guessing +(\\d+) ")));
    EXPECT_EQ(graded + std::stol(guessing[1]), 40);
    EXPECT_LE(graded, one);

    // Without --level, the cost of each of the game's three choices.
    const ToolRun unique = runTool("stats --size 8 --seed 3 --count 4 --unique");
    ASSERT_EQ(unique.status, 0) << unique.err;
    for (const char* choice : {"any level", "gentle", "demanding"})
        EXPECT_NE(unique.out.find(std::string("4 unique puzzles of ") + choice), std::string::npos)
            << unique.out;
    std::smatch match;
    ASSERT_TRUE(
        std::regex_search(unique.out, match, std::regex("\ncandidates +(\\d+) +(\\d+) +(\\d+)\n")))
        << unique.out;
    EXPECT_LE(std::stoi(match[1]), std::stoi(match[2]));
    EXPECT_LE(std::stoi(match[2]), std::stoi(match[3]));
    EXPECT_NE(unique.out.find("time (ms)"), std::string::npos);
    EXPECT_EQ(linesOf(unique.out).at(0).rfind("8 x 8, seed 3, 4 unique puzzles of any level", 0),
              0u);
}

// The game shows "8-3141592653" in its Puzzle menu; the tool takes it as --size and --seed.
TEST(PuzzleTool, APuzzleNumberStandsForItsSizeAndSeed) {
    const std::pair<const char*, const char*> same[] = {
        {"--puzzle 8-3141592653", "--size 8 --seed 3141592653"},
        {"--puzzle=' 12-0007 '", "--size 12 --seed 7"},
        {"--puzzle 5-0 --count 2", "--count 2 --size 5 --seed 0"},
        {"--puzzle 12u-3141592653", "--size 12 --seed 3141592653 --unique"},
        {"--puzzle 8U-5 --count 2", "--unique --count 2 --size 8 --seed 5"},
        {"--puzzle 8g-5", "--size 8 --seed 5 --level gentle"},
        {"--puzzle 5d-5", "--size 5 --seed 5 --unique --level demanding"},
    };
    for (const auto& [number, sizeAndSeed] : same) {
        SCOPED_TRACE(number);
        const ToolRun a = runTool(std::string("generate --format json ") + number);
        const ToolRun b = runTool(std::string("generate --format json ") + sizeAndSeed);
        ASSERT_EQ(a.status, 0) << a.err;
        EXPECT_EQ(a.out, b.out);
    }

    const ToolRun text = runTool("generate --puzzle 8-3141592653");
    ASSERT_EQ(text.status, 0);
    EXPECT_EQ(linesOf(text.out).at(0), "seed 3141592653");
    EXPECT_EQ(linesOf(text.out).at(1), "number 8-3141592653");
    // Under --unique the number is a unique one, the game's "Nu-S".
    for (const char* args : {"--puzzle 12u-3141592653", "--size 12 --seed 3141592653 --unique"}) {
        SCOPED_TRACE(args);
        const ToolRun unique = runTool(std::string("generate ") + args);
        ASSERT_EQ(unique.status, 0) << unique.err;
        EXPECT_EQ(linesOf(unique.out).at(1), "number 12u-3141592653");
    }
    EXPECT_EQ(linesOf(runTool("generate --size 8 --seed 7 --level demanding").out).at(1),
              "number 8d-7");
}

TEST(PuzzleTool, ItsFirstPuzzleIsTheOneTheNumberNames) {
    const std::regex solution(R"("solution":\[(.*)\]\})");
    const std::regex cell(R"(-?\d+)");
    for (const char* text : {"5-1", "5-4000000000", "8-3141592653", "8-9", "12-0", "12-77", "5u-1",
                             "8u-9", "12u-77", "5g-3", "8d-3", "12g-77"}) {
        SCOPED_TRACE(text);
        PuzzleNumber number;
        ASSERT_TRUE(parsePuzzleNumber(text, number));
        Board board;
        Mt19937Source used(1);
        used.draw();
        generateNumberedPuzzle(board, used, number);

        const ToolRun run = runTool(std::string("generate --format json --puzzle ") + text);
        std::smatch match;
        ASSERT_TRUE(std::regex_search(run.out, match, solution)) << run.out;
        const std::string rows = match[1];
        int i = 0;
        for (auto it = std::sregex_iterator(rows.begin(), rows.end(), cell);
             it != std::sregex_iterator(); ++it, ++i) {
            const int x = i % number.size, y = i / number.size;
            EXPECT_EQ(std::stoi(it->str()), board.solution[x * 12 + y]) << x << "," << y;
        }
        EXPECT_EQ(i, number.size * number.size);
    }
}

TEST(PuzzleTool, RejectsBadPuzzleNumbers) {
    const std::pair<const char*, const char*> cases[] = {
        {"generate --puzzle 7-3", "7-3"},
        {"generate --puzzle 42", "42"},
        {"generate --puzzle 8-4294967296", "8-4294967296"},
        {"generate --puzzle", "--puzzle"},
        {"generate --puzzle 8-1 --seed 3", "--puzzle"},
        {"generate --size 8 --puzzle 8-1", "--puzzle"},
        {"generate --puzzle 12uu-1", "12uu-1"},
        {"generate --puzzle u-1", "u-1"},
        {"generate --puzzle 8x-1", "8x-1"},
        {"generate --puzzle 8g-1 --level any", "--level"},
        {"generate --size 8 --level 0", "'0'"},
        {"generate --size 8 --level 8", "'8'"},
        {"generate --size 8 --level hard", "'hard'"},
        {"solve --by-symbol --by-symbol", "--by-symbol"},
        {"grade --by-symbol", "--by-symbol"},
    };
    for (const auto& [args, named] : cases) {
        SCOPED_TRACE(args);
        const ToolRun run = runTool(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.out.empty());
        ASSERT_EQ(linesOf(run.err).size(), 1u) << run.err;
        EXPECT_NE(run.err.find(named), std::string::npos) << run.err;
    }
}

TEST(PuzzleTool, HelpAndVersion) {
    const ToolRun version = runTool("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "1.2\n");
    const ToolRun help = runTool("--help");
    EXPECT_EQ(help.status, 0);
    for (const char* option :
         {"--size", "--seed", "--puzzle", "--count", "--format", "--solution", "--unique",
          "--level", "solve", "--by-symbol", "grade", "stats", "--version", "print", "--jobs",
          "--per-page", "--paper", "--solutions", "-o FILE"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
}

} // namespace
} // namespace kelvaro
