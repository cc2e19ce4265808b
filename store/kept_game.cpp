#include "store/kept_game.h"

#include <charconv>
#include <cstddef>
#include <limits>
#include <nlohmann/json.hpp>

namespace kelvaro {

namespace {

using Json = nlohmann::json;

// The kept document nests five deep (the change inside its step, inside the steps, inside the
// history, inside the document); anything much deeper is refused before it is parsed.
constexpr int maxNesting = 8;
// A puzzle number is a few characters; the room is for the forms numbers may take later.
constexpr std::size_t maxPuzzleText = 32;
constexpr std::int32_t maxInt32 = std::numeric_limits<std::int32_t>::max();

// The depth of brackets and braces, strings skipped; false past the limit.
bool nestsShallowly(std::string_view text) {
    int depth = 0;
    bool inString = false;
    bool escaped = false;
    for (const char c : text) {
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
            continue;
        }
        if (c == '"') inString = true;
        if (c == '[' || c == '{') {
            if (++depth > maxNesting) return false;
        }
        if (c == ']' || c == '}') --depth;
    }
    return true;
}

void appendInt(std::string& out, std::int64_t value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

void appendRows(std::string& out, const std::vector<std::int8_t>& cells, int side) {
    out += "[";
    for (int y = 0; y < side; ++y) {
        out += y == 0 ? "\n    [" : ",\n    [";
        for (int x = 0; x < side; ++x) {
            if (x > 0) out += ", ";
            appendInt(out, cells[static_cast<std::size_t>(y * side + x)]);
        }
        out += "]";
    }
    out += "\n  ]";
}

// An integer within [low, high], whatever form the parser gave it.
bool readInt(const Json& value, std::int64_t low, std::int64_t high, std::int64_t& out) {
    if (value.is_number_unsigned()) {
        const auto number = value.get<std::uint64_t>();
        if (number > static_cast<std::uint64_t>(high)) return false;
        out = static_cast<std::int64_t>(number);
        return out >= low;
    }
    if (!value.is_number_integer()) return false;
    out = value.get<std::int64_t>();
    return out >= low && out <= high;
}

template <typename T>
bool readMember(const Json& object, const char* name, std::int64_t low, std::int64_t high, T& out) {
    const auto found = object.find(name);
    std::int64_t value = 0;
    if (found == object.end() || !readInt(*found, low, high, value)) return false;
    out = static_cast<T>(value);
    return true;
}

bool readFlag(const Json& object, const char* name, bool& out) {
    const auto found = object.find(name);
    if (found == object.end() || !found->is_boolean()) return false;
    out = found->get<bool>();
    return true;
}

// A square of rows of cell values within [low, high]; the first one read sets the side.
bool readSquare(const Json& rows, std::int64_t low, std::int64_t high, int& side,
                std::vector<std::int8_t>& cells) {
    if (!rows.is_array() || rows.empty() || rows.size() > keptGameMaxSide) return false;
    const int n = static_cast<int>(rows.size());
    if (side != 0 && side != n) return false;
    side = n;
    cells.clear();
    for (const Json& row : rows) {
        if (!row.is_array() || static_cast<int>(row.size()) != n) return false;
        for (const Json& cell : row) {
            std::int64_t value = 0;
            if (!readInt(cell, low, high, value)) return false;
            cells.push_back(static_cast<std::int8_t>(value));
        }
    }
    return true;
}

bool readChange(const Json& item, KeptChange& change) {
    if (!item.is_array() || item.size() != 4) return false;
    std::int64_t values[4] = {};
    const std::int64_t lows[4] = {0, 0, std::numeric_limits<std::int8_t>::min(),
                                  std::numeric_limits<std::int8_t>::min()};
    const std::int64_t highs[4] = {keptGameMaxSide - 1, keptGameMaxSide - 1,
                                   std::numeric_limits<std::int8_t>::max(),
                                   std::numeric_limits<std::int8_t>::max()};
    for (std::size_t i = 0; i < 4; ++i)
        if (!readInt(item[i], lows[i], highs[i], values[i])) return false;
    change = {static_cast<std::int8_t>(values[0]), static_cast<std::int8_t>(values[1]),
              static_cast<std::int8_t>(values[2]), static_cast<std::int8_t>(values[3])};
    return true;
}

bool readHistory(const Json& history, KeptGame& game) {
    if (!history.is_object()) return false;
    const auto steps = history.find("steps");
    if (steps == history.end() || !steps->is_array()) return false;
    game.steps.clear();
    game.steps.reserve(steps->size());
    for (const Json& step : *steps) {
        // A step that changed nothing is never recorded.
        if (!step.is_array() || step.empty()) return false;
        std::vector<KeptChange>& changes = game.steps.emplace_back();
        changes.reserve(step.size());
        for (const Json& item : step)
            if (!readChange(item, changes.emplace_back())) return false;
    }
    return readMember(history, "done", 0, static_cast<std::int64_t>(game.steps.size()), game.done);
}

bool readCursor(const Json& cursor, KeptGame& game) {
    return cursor.is_object() && readMember(cursor, "x", 0, keptGameMaxSide - 1, game.cursorX) &&
           readMember(cursor, "y", 0, keptGameMaxSide - 1, game.cursorY) &&
           readFlag(cursor, "shown", game.cursorShown);
}

bool readGame(const Json& document, KeptGame& game) {
    const auto puzzle = document.find("puzzle");
    if (puzzle == document.end() || !puzzle->is_string()) return false;
    game.puzzle = puzzle->get<std::string>();
    if (game.puzzle.empty() || game.puzzle.size() > maxPuzzleText) return false;
    if (!readFlag(document, "practice", game.practice) ||
        !readMember(document, "clockMs", 0, maxInt32, game.clockMs) ||
        !readMember(document, "penaltyCells", 0, keptGameMaxSide * keptGameMaxSide,
                    game.penaltyCells) ||
        !readMember(document, "taps", 1, maxInt32, game.tapCount))
        return false;
    const auto grid = document.find("grid");
    const auto revealed = document.find("revealed");
    const auto history = document.find("history");
    const auto cursor = document.find("cursor");
    if (grid == document.end() || revealed == document.end() || history == document.end() ||
        cursor == document.end())
        return false;
    game.side = 0;
    return readSquare(*grid, std::numeric_limits<std::int8_t>::min(),
                      std::numeric_limits<std::int8_t>::max(), game.side, game.grid) &&
           readSquare(*revealed, 0, 1, game.side, game.revealed) && readHistory(*history, game) &&
           readCursor(*cursor, game);
}

} // namespace

std::string formatKeptGame(const KeptGame& game) {
    std::string out;
    std::size_t changes = 0;
    for (const auto& step : game.steps) changes += step.size();
    out.reserve(512 + static_cast<std::size_t>(game.side * game.side) * 10 + changes * 20);
    out += "{\n  \"kelvaro\": ";
    out += Json(std::string(keptGameMark)).dump();
    out += ",\n  \"version\": ";
    appendInt(out, keptGameVersion);
    out += ",\n  \"puzzle\": ";
    // Escaped by the library, whatever the number's text holds.
    out += Json(game.puzzle).dump(-1, ' ', true, Json::error_handler_t::replace);
    out += ",\n  \"practice\": ";
    out += game.practice ? "true" : "false";
    out += ",\n  \"clockMs\": ";
    appendInt(out, game.clockMs);
    out += ",\n  \"penaltyCells\": ";
    appendInt(out, game.penaltyCells);
    out += ",\n  \"taps\": ";
    appendInt(out, game.tapCount);
    out += ",\n  \"grid\": ";
    appendRows(out, game.grid, game.side);
    out += ",\n  \"revealed\": ";
    appendRows(out, game.revealed, game.side);
    out += ",\n  \"history\": {\n    \"done\": ";
    appendInt(out, game.done);
    out += ",\n    \"steps\": [";
    for (std::size_t s = 0; s < game.steps.size(); ++s) {
        out += s == 0 ? "\n      [" : ",\n      [";
        for (std::size_t c = 0; c < game.steps[s].size(); ++c) {
            const KeptChange& change = game.steps[s][c];
            out += c == 0 ? "[" : ", [";
            appendInt(out, change.x);
            out += ", ";
            appendInt(out, change.y);
            out += ", ";
            appendInt(out, change.before);
            out += ", ";
            appendInt(out, change.after);
            out += "]";
        }
        out += "]";
    }
    out += game.steps.empty() ? "]\n  },\n" : "\n    ]\n  },\n";
    out += "  \"cursor\": {\"x\": ";
    appendInt(out, game.cursorX);
    out += ", \"y\": ";
    appendInt(out, game.cursorY);
    out += ", \"shown\": ";
    out += game.cursorShown ? "true" : "false";
    out += "}\n}\n";
    return out;
}

KeptGameParse parseKeptGame(std::string_view text, KeptGame& game) {
    if (!nestsShallowly(text)) return KeptGameParse::damaged;
    // No exceptions: a text that is no JSON comes back as a discarded value.
    const Json document = Json::parse(text.begin(), text.end(), nullptr, false);
    if (document.is_discarded() || !document.is_object()) return KeptGameParse::damaged;
    const auto mark = document.find("kelvaro");
    if (mark == document.end() || !mark->is_string() || mark->get<std::string>() != keptGameMark)
        return KeptGameParse::damaged;
    std::int32_t version = 0;
    if (!readMember(document, "version", 1, maxInt32, version)) return KeptGameParse::damaged;
    // A later program may have kept more, or kept it otherwise: never guessed at.
    if (version > keptGameVersion) return KeptGameParse::newer;
    KeptGame read;
    if (!readGame(document, read)) return KeptGameParse::damaged;
    game = std::move(read);
    return KeptGameParse::ok;
}

} // namespace kelvaro
