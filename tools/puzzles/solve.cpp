#include "solve.h"

#include "engine/checker.h"
#include "engine/unique_puzzle.h"
#include "json.h"

#include <istream>
#include <ostream>

namespace kelvaro::puzzles {

namespace {

bool isCellCode(std::int64_t v) {
    return (v >= 0 && v <= maxSymbol) || v == -12 || v == -13 || v == -14 || v == -23 || v == -24 ||
           v == -34;
}

// The unsigned 32-bit member `key`, as seeds and indexes are written.
bool readWord(const JsonValue& object, const char* key, std::uint32_t& word, std::string& error) {
    const JsonValue* value = object.member(key);
    if (value == nullptr) {
        error = std::string("missing \"") + key + "\"";
        return false;
    }
    if (value->kind != JsonValue::Kind::number || !value->integral || value->number < 0 ||
        value->number > 4294967295) {
        error = std::string("\"") + key + "\" must be a number from 0 to 4294967295";
        return false;
    }
    word = static_cast<std::uint32_t>(value->number);
    return true;
}

} // namespace

bool readPuzzleLine(std::string_view line, PuzzleLine& puzzle, std::string& error) {
    JsonValue object;
    if (!parseJson(line, object, error)) {
        error = "not JSON: " + error;
        return false;
    }
    if (object.kind != JsonValue::Kind::object) {
        error = "not a JSON object";
        return false;
    }
    const JsonValue* size = object.member("size");
    if (size == nullptr) {
        error = "missing \"size\"";
        return false;
    }
    if (size->kind != JsonValue::Kind::number || !size->integral ||
        (size->number != 5 && size->number != 8 && size->number != 12)) {
        error = "\"size\" must be 5, 8 or 12";
        return false;
    }
    const int n = static_cast<int>(size->number);
    if (!readWord(object, "seed", puzzle.seed, error) ||
        !readWord(object, "index", puzzle.index, error))
        return false;
    const JsonValue* solution = object.member("solution");
    if (solution == nullptr) {
        error = "missing \"solution\"";
        return false;
    }
    const std::string shape = "\"solution\" must hold " + std::to_string(n) + " rows of " +
                              std::to_string(n) + " cell codes";
    if (solution->kind != JsonValue::Kind::array ||
        solution->items.size() != static_cast<std::size_t>(n)) {
        error = shape;
        return false;
    }
    puzzle.board = Board{};
    puzzle.board.boardSize = static_cast<std::int16_t>(n);
    for (int y = 0; y < n; ++y) {
        const JsonValue& row = solution->items[static_cast<std::size_t>(y)];
        if (row.kind != JsonValue::Kind::array || row.items.size() != static_cast<std::size_t>(n)) {
            error = shape;
            return false;
        }
        for (int x = 0; x < n; ++x) {
            const JsonValue& cell = row.items[static_cast<std::size_t>(x)];
            if (cell.kind != JsonValue::Kind::number || !cell.integral ||
                !isCellCode(cell.number)) {
                error = "no cell code at row " + std::to_string(y + 1) + ", column " +
                        std::to_string(x + 1) + " of \"solution\"";
                return false;
            }
            puzzle.board.solution[x * storageSide + y] = static_cast<std::int8_t>(cell.number);
        }
    }
    const int problems = checkGrid(puzzle.board, solutionLayer);
    if (problems != 0) {
        error = "\"solution\" is not a sound puzzle (" + std::to_string(problems) +
                (problems == 1 ? " problem)" : " problems)");
        return false;
    }
    return true;
}

std::string solveJson(const PuzzleLine& puzzle, const SolveResult& result) {
    const std::string solutions = result.solutions == unknownSolutions
                                      ? std::string("\"unknown\"")
                                      : std::to_string(static_cast<int>(result.solutions));
    return "{\"size\":" + std::to_string(boardSide(puzzle.board)) +
           ",\"seed\":" + std::to_string(puzzle.seed) +
           ",\"index\":" + std::to_string(puzzle.index) + ",\"solutions\":" + solutions +
           ",\"steps\":" + std::to_string(result.steps) + "}";
}

std::string gradeJson(const PuzzleLine& puzzle, const GradeResult& result) {
    const std::string level =
        result.level == needsGuessing ? std::string("\"guess\"") : std::to_string(result.level);
    return "{\"size\":" + std::to_string(boardSide(puzzle.board)) +
           ",\"seed\":" + std::to_string(puzzle.seed) +
           ",\"index\":" + std::to_string(puzzle.index) + ",\"level\":" + level +
           ",\"steps\":" + std::to_string(result.steps) + "}";
}

int solveLines(std::istream& in, std::ostream& out, std::ostream& err, Answer answer) {
    int status = 0;
    long number = 0;
    std::string line;
    PuzzleLine puzzle;
    while (std::getline(in, line)) {
        ++number;
        if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
        std::string error;
        if (!readPuzzleLine(line, puzzle, error)) {
            err << "kelvaro-puzzles: line " << number << ": " << error << "\n";
            status = 1;
            continue;
        }
        // The same budgets as --unique, so solve and grade say exactly what it would decide.
        switch (answer) {
        case Answer::shownSolutions:
            out << solveJson(puzzle, countShownSolutions(puzzle.board, uniqueStepBudget)) << "\n";
            break;
        case Answer::symbolSolutions:
            out << solveJson(puzzle, countSolutions(puzzle.board, uniqueStepBudget)) << "\n";
            break;
        case Answer::level:
            out << gradeJson(puzzle, gradePuzzle(puzzle.board, gradeStepBudget)) << "\n";
            break;
        }
    }
    out.flush();
    return out ? status : 1;
}

} // namespace kelvaro::puzzles
