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

LineAnswer answerLine(const NumberedLine& line, Answer asked) {
    LineAnswer answer;
    PuzzleLine puzzle;
    if (!readPuzzleLine(line.text, puzzle, answer.error)) {
        answer.error = "kelvaro-puzzles: line " + std::to_string(line.number) + ": " + answer.error;
        return answer;
    }
    // The same budgets as --unique, so solve and grade say exactly what it would decide.
    switch (asked) {
    case Answer::shownSolutions:
        answer.answer = solveJson(puzzle, countShownSolutions(puzzle.board, uniqueStepBudget));
        break;
    case Answer::symbolSolutions:
        answer.answer = solveJson(puzzle, countSolutions(puzzle.board, uniqueStepBudget));
        break;
    case Answer::level:
        answer.answer = gradeJson(puzzle, gradePuzzle(puzzle.board, gradeStepBudget));
        break;
    }
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

std::string gradeJson(const PuzzleLine& puzzle, const GradeResult& result) {
    nlohmann::ordered_json json;
    json["size"] = boardSide(puzzle.board);
    json["seed"] = puzzle.seed;
    json["index"] = puzzle.index;
    if (result.level == needsGuessing)
        json["level"] = "guess";
    else
        json["level"] = result.level;
    json["steps"] = result.steps;
    return json.dump();
}

int solveLines(std::istream& in, std::ostream& out, std::ostream& err, int jobs, Answer answer) {
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
        [answer](const NumberedLine& line) { return answerLine(line, answer); },
        [&](const NumberedLine&, const LineAnswer& answered) {
            if (answered.error.empty()) {
                out << answered.answer << "\n";
            } else {
                err << answered.error << "\n";
                status = 1;
            }
            return true;
        });
    out.flush();
    return out ? status : 1;
}

} // namespace kelvaro::puzzles
