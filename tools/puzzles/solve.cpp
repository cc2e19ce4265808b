#include "solve.h"

#include "engine/unique_puzzle.h"
#include "ordered_map.h"

#include <istream>
#include <nlohmann/json.hpp>
#include <ostream>

namespace kelvaro::puzzles {

namespace {

struct NumberedLine {
    long number = 0;
    std::string text;
};

// What one line comes to: its answer, or the message about it.
struct LineAnswer {
    std::string answer;
    std::string error;
};

LineAnswer answerLine(const NumberedLine& line) {
    LineAnswer answer;
    PuzzleLine puzzle;
    if (!readPuzzleLine(line.text, puzzle, answer.error)) {
        answer.error = "kelvaro-puzzles: line " + std::to_string(line.number) + ": " + answer.error;
        return answer;
    }
    // The same budget as --unique, so solve says exactly what --unique would decide.
    answer.answer = solveJson(puzzle, countSolutions(puzzle.board, uniqueStepBudget));
    return answer;
}

} // namespace

std::string solveJson(const PuzzleLine& puzzle, const SolveResult& result) {
    nlohmann::ordered_json json;
    json["size"] = boardSide(puzzle.board);
    json["seed"] = puzzle.seed;
    json["index"] = puzzle.index;
    if (result.solutions == unknownSolutions)
        json["solutions"] = "unknown";
    else
        json["solutions"] = static_cast<int>(result.solutions);
    json["steps"] = result.steps;
    return json.dump();
}

int solveLines(std::istream& in, std::ostream& out, std::ostream& err, int jobs) {
    int status = 0;
    long number = 0;
    mapInOrder<NumberedLine, LineAnswer>(
        jobs,
        [&](NumberedLine& line) {
            while (std::getline(in, line.text)) {
                line.number = ++number;
                if (line.text.find_first_not_of(" \t\r") != std::string::npos) return true;
            }
            return false;
        },
        answerLine,
        [&](const NumberedLine&, const LineAnswer& answer) {
            if (answer.error.empty()) {
                out << answer.answer << "\n";
            } else {
                err << answer.error << "\n";
                status = 1;
            }
            return true;
        });
    out.flush();
    return out ? status : 1;
}

} // namespace kelvaro::puzzles
