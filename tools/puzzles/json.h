// Just enough JSON to read back the tool's own lines: objects, arrays, integers, strings and
// literals, with the column of the first fault.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelvaro::puzzles {

struct JsonValue {
    enum class Kind { null, boolean, number, string, array, object };
    Kind kind = Kind::null;
    bool flag = false;
    bool integral = false;   // a number without fraction or exponent that fits in 64 bits
    std::int64_t number = 0; // its value when integral
    std::string text;
    std::vector<JsonValue> items;
    std::vector<std::pair<std::string, JsonValue>> members;

    // The member called `key`, or nullptr.
    const JsonValue* member(std::string_view key) const;
};

// Parses one complete JSON value (blanks around it allowed). On failure returns false with
// `error` saying what was wrong and where.
bool parseJson(std::string_view text, JsonValue& value, std::string& error);

} // namespace kelvaro::puzzles
