#include "json.h"

#include <tuple>

namespace kelvaro::puzzles {

namespace {

// Nesting deeper than any line of ours is refused, so a hostile line cannot exhaust the stack.
constexpr int maxDepth = 16;

class Parser {
  public:
    explicit Parser(std::string_view text) : text_(text) {}

    bool parseDocument(JsonValue& value, std::string& error) {
        skipBlanks();
        if (!parseValue(value, 0)) {
            error = error_;
            return false;
        }
        skipBlanks();
        if (at_ < text_.size()) {
            error = fault("unexpected text after the value");
            return false;
        }
        return true;
    }

  private:
    std::string fault(const std::string& what) const {
        return what + " at column " + std::to_string(at_ + 1);
    }

    bool fail(const std::string& what) {
        error_ = fault(what);
        return false;
    }

    void skipBlanks() {
        while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' ||
                                      text_[at_] == '\r' || text_[at_] == '\n'))
            ++at_;
    }

    bool take(char c) {
        if (at_ < text_.size() && text_[at_] == c) {
            ++at_;
            return true;
        }
        return false;
    }

    bool parseValue(JsonValue& value, int depth) {
        if (depth > maxDepth) return fail("nesting too deep");
        if (at_ >= text_.size()) return fail("missing value");
        const char c = text_[at_];
        if (c == '{') return parseObject(value, depth);
        if (c == '[') return parseArray(value, depth);
        if (c == '"') {
            value.kind = JsonValue::Kind::string;
            return parseString(value.text);
        }
        if (c == '-' || (c >= '0' && c <= '9')) return parseNumber(value);
        for (const auto& [word, kind, flag] : {std::tuple{"true", JsonValue::Kind::boolean, true},
                                               std::tuple{"false", JsonValue::Kind::boolean, false},
                                               std::tuple{"null", JsonValue::Kind::null, false}}) {
            const std::string_view w = word;
            if (text_.substr(at_, w.size()) == w) {
                at_ += w.size();
                value.kind = kind;
                value.flag = flag;
                return true;
            }
        }
        return fail("unexpected character");
    }

    bool parseObject(JsonValue& value, int depth) {
        value.kind = JsonValue::Kind::object;
        ++at_;
        skipBlanks();
        if (take('}')) return true;
        for (;;) {
            skipBlanks();
            if (at_ >= text_.size() || text_[at_] != '"') return fail("expected a key");
            std::string key;
            if (!parseString(key)) return false;
            if (value.member(key) != nullptr) return fail("repeated key \"" + key + "\"");
            skipBlanks();
            if (!take(':')) return fail("expected ':'");
            skipBlanks();
            JsonValue member;
            if (!parseValue(member, depth + 1)) return false;
            value.members.emplace_back(std::move(key), std::move(member));
            skipBlanks();
            if (take('}')) return true;
            if (!take(',')) return fail("expected ',' or '}'");
        }
    }

    bool parseArray(JsonValue& value, int depth) {
        value.kind = JsonValue::Kind::array;
        ++at_;
        skipBlanks();
        if (take(']')) return true;
        for (;;) {
            skipBlanks();
            JsonValue item;
            if (!parseValue(item, depth + 1)) return false;
            value.items.push_back(std::move(item));
            skipBlanks();
            if (take(']')) return true;
            if (!take(',')) return fail("expected ',' or ']'");
        }
    }

    bool parseString(std::string& out) {
        ++at_; // the opening quote
        while (at_ < text_.size()) {
            const char c = text_[at_++];
            if (c == '"') return true;
            if (static_cast<unsigned char>(c) < 0x20) return fail("control character in a string");
            if (c != '\\') {
                out += c;
                continue;
            }
            if (at_ >= text_.size()) break;
            const char e = text_[at_++];
            switch (e) {
            case '"':
            case '\\':
            case '/':
                out += e;
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                // Keys and values of ours are ASCII; other characters are kept as '?'.
                unsigned code = 0;
                for (int i = 0; i < 4; ++i, ++at_) {
                    const char h = at_ < text_.size() ? text_[at_] : '\0';
                    const int digit = h >= '0' && h <= '9'   ? h - '0'
                                      : h >= 'a' && h <= 'f' ? h - 'a' + 10
                                      : h >= 'A' && h <= 'F' ? h - 'A' + 10
                                                             : -1;
                    if (digit < 0) return fail("bad \\u escape");
                    code = code * 16 + static_cast<unsigned>(digit);
                }
                out += code < 0x80 ? static_cast<char>(code) : '?';
                break;
            }
            default:
                --at_;
                return fail("bad escape");
            }
        }
        return fail("unterminated string");
    }

    bool parseNumber(JsonValue& value) {
        value.kind = JsonValue::Kind::number;
        const bool negative = take('-');
        if (at_ >= text_.size() || text_[at_] < '0' || text_[at_] > '9') return fail("bad number");
        bool fits = true;
        std::uint64_t magnitude = 0;
        const std::size_t first = at_;
        while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') {
            const auto digit = static_cast<std::uint64_t>(text_[at_] - '0');
            if (magnitude > (UINT64_MAX - digit) / 10) fits = false;
            magnitude = magnitude * 10 + digit;
            ++at_;
        }
        if (at_ - first > 1 && text_[first] == '0') return fail("bad number");
        bool whole = true;
        if (take('.')) {
            whole = false;
            if (!digits()) return fail("bad number");
        }
        if (at_ < text_.size() && (text_[at_] == 'e' || text_[at_] == 'E')) {
            ++at_;
            whole = false;
            if (!take('+')) take('-');
            if (!digits()) return fail("bad number");
        }
        const std::uint64_t limit =
            negative ? std::uint64_t{1} << 63 : (std::uint64_t{1} << 63) - 1;
        value.integral = whole && fits && magnitude <= limit;
        if (value.integral)
            value.number = negative ? static_cast<std::int64_t>(0 - magnitude)
                                    : static_cast<std::int64_t>(magnitude);
        return true;
    }

    bool digits() {
        const std::size_t first = at_;
        while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') ++at_;
        return at_ > first;
    }

    std::string_view text_;
    std::size_t at_ = 0;
    std::string error_;
};

} // namespace

const JsonValue* JsonValue::member(std::string_view key) const {
    for (const auto& [name, value] : members)
        if (name == key) return &value;
    return nullptr;
}

bool parseJson(std::string_view text, JsonValue& value, std::string& error) {
    value = JsonValue{};
    return Parser(text).parseDocument(value, error);
}

} // namespace kelvaro::puzzles
