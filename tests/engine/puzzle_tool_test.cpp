// Runs the built kelvaro-puzzles and checks what other tools and people rely on.
#include "engine/generator.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace kelvaro {
namespace {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

ToolRun runTool(const std::string& args) {
    const std::string dir = ::testing::TempDir();
    // ctest runs tests in parallel processes: each keeps its own files.
    const std::string stem = dir + "/puzzles-" + std::to_string(getpid());
    const std::string out = stem + ".out", err = stem + ".err";
    const std::string command =
        std::string("'") + KELVARO_PUZZLES_PATH + "' " + args + " >'" + out + "' 2>'" + err + "'";
    ToolRun run;
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = slurp(out);
    run.err = slurp(err);
    return run;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
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
        {"mystery", "mystery"},
        {"", "generate"},
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

TEST(PuzzleTool, HelpAndVersion) {
    const ToolRun version = runTool("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "1.1\n");
    const ToolRun help = runTool("--help");
    EXPECT_EQ(help.status, 0);
    for (const char* option :
         {"--size", "--seed", "--count", "--format", "--solution", "--version"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
}

} // namespace
} // namespace kelvaro
