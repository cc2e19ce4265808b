#include "puzzle_line.h"

#include "engine/checker.h"

#include <nlohmann/json.hpp>
#include <vector>

namespace kelvaro::puzzles {

namespace {

using Json = nlohmann::json;

// A first pass over the text that builds nothing: it finds where the text stops being JSON,
// and refuses deep nesting and repeated keys before the library builds the value.
class LineCheck final : public nlohmann::json_sax<Json> {
  public:
    std::string error;

    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool string(string_t&) override { return true; }
    bool binary(binary_t&) override { return true; }
    bool start_object(std::size_t) override {
        keys.emplace_back();
        return deeper();
    }
    bool key(string_t& name) override {
        std::vector<std::string>& seen = keys.back();
        for (const std::string& key : seen) {
            if (key == name) {
                error = "repeated key \"" + name + "\"";
                return false;
            }
        }
        seen.push_back(name);
        return true;
    }
    bool end_object() override {
        keys.pop_back();
        --depth;
        return true;
    }
    bool start_array(std::size_t) override { return deeper(); }
    bool end_array() override {
        --depth;
        return true;
    }
    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception& fault) override {
        // The library's text is "[json.exception...] parse error at line 1, column C: what";
        // the line number is always 1 here, so only what went wrong is kept, with the column.
        const std::string text = fault.what();
        const std::size_t colon = text.find(": ");
        error = (colon == std::string::npos ? text : text.substr(colon + 2)) + " at column " +
                std::to_string(position);
        return false;
    }

  private:
    bool deeper() {
        if (++depth <= maxJsonDepth) return true;
        error = "nesting deeper than " + std::to_string(maxJsonDepth) + " levels";
        return false;
    }

    int depth = 0;
    std::vector<std::vector<std::string>> keys; // the keys of each open object
};

// The unsigned 32-bit member `key`, as seeds and indexes are written.
bool readWord(const Json& object, const char* key, std::uint32_t& word, std::string& error) {
    const auto found = object.find(key);
    if (found == object.end()) {
        error = std::string("missing \"") + key + "\"";
        return false;
    }
    if (!found->is_number_unsigned() || found->get<std::uint64_t>() > 4294967295u) {
        error = std::string("\"") + key + "\" must be a number from 0 to 4294967295";
        return false;
    }
    word = static_cast<std::uint32_t>(found->get<std::uint64_t>());
    return true;
}

bool isCellCode(const Json& cell) {
    if (!cell.is_number_integer()) return false;
    const std::int64_t v = cell.get<std::int64_t>();
    // An unsigned number above the signed range reads as negative: it must be none of ours.
    if (cell.is_number_unsigned() && cell.get<std::uint64_t>() > maxSymbol) return false;
    return (v >= 0 && v <= maxSymbol) || v == -12 || v == -13 || v == -14 || v == -23 || v == -24 ||
           v == -34;
}

} // namespace

bool readPuzzleLine(std::string_view line, PuzzleLine& puzzle, std::string& error) {
    LineCheck check;
    if (!Json::sax_parse(line.begin(), line.end(), &check)) {
        error = check.error.rfind("repeated", 0) == 0 || check.error.rfind("nesting", 0) == 0
                    ? check.error
                    : "not JSON: " + check.error;
        return false;
    }
    const Json object = Json::parse(line.begin(), line.end(), nullptr, false);
    if (!object.is_object()) {
        error = "not a JSON object";
        return false;
    }
    const auto size = object.find("size");
    if (size == object.end()) {
        error = "missing \"size\"";
        return false;
    }
    if (!size->is_number_unsigned() || (*size != 5 && *size != 8 && *size != 12)) {
        error = "\"size\" must be 5, 8 or 12";
        return false;
    }
    const int n = size->get<int>();
    if (!readWord(object, "seed", puzzle.seed, error) ||
        !readWord(object, "index", puzzle.index, error))
        return false;
    const auto solution = object.find("solution");
    if (solution == object.end()) {
        error = "missing \"solution\"";
        return false;
    }
    const std::string shape = "\"solution\" must hold " + std::to_string(n) + " rows of " +
                              std::to_string(n) + " cell codes";
    if (!solution->is_array() || solution->size() != static_cast<std::size_t>(n)) {
        error = shape;
        return false;
    }
    puzzle.board = Board{};
    puzzle.board.boardSize = static_cast<std::int16_t>(n);
    for (int y = 0; y < n; ++y) {
        const Json& row = (*solution)[static_cast<std::size_t>(y)];
        if (!row.is_array() || row.size() != static_cast<std::size_t>(n)) {
            error = shape;
            return false;
        }
        for (int x = 0; x < n; ++x) {
            const Json& cell = row[static_cast<std::size_t>(x)];
            if (!isCellCode(cell)) {
                error = "no cell code at row " + std::to_string(y + 1) + ", column " +
                        std::to_string(x + 1) + " of \"solution\"";
                return false;
            }
            puzzle.board.solution[x * storageSide + y] =
                static_cast<std::int8_t>(cell.get<std::int64_t>());
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

} // namespace kelvaro::puzzles
