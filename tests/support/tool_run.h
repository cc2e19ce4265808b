// Runs a built program with a shell command line and collects its status and output.
#pragma once

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace kelvaro {

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// `program` quoted, then `args` as the shell reads them.
inline ToolRun runProgram(const std::string& program, const std::string& args) {
    const std::string dir = ::testing::TempDir();
    // ctest runs tests in parallel processes: each keeps its own files.
    const std::string stem = dir + "/tool-run-" + std::to_string(getpid());
    const std::string out = stem + ".out", err = stem + ".err";
    const std::string command = "'" + program + "' " + args + " >'" + out + "' 2>'" + err + "'";
    ToolRun run;
    const int raw = std::system(command.c_str());
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = slurp(out);
    run.err = slurp(err);
    return run;
}

inline std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

} // namespace kelvaro
