#include "store/reg_text.h"

#include <cstddef>
#include <iterator>

namespace kelvaro {

namespace {

constexpr char32_t replacementCharacter = 0xFFFD;
constexpr std::size_t wrapColumn = 80;

bool isBlankChar(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimLeft(std::string_view text) {
    while (!text.empty() && isBlankChar(text.front())) text.remove_prefix(1);
    return text;
}

std::string_view trimRight(std::string_view text) {
    while (!text.empty() && isBlankChar(text.back())) text.remove_suffix(1);
    return text;
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equalNoCase(text.substr(0, prefix.size()), prefix);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// 1 to 8 hex digits, nothing else.
bool parseHex32(std::string_view text, std::uint32_t& value) {
    if (text.empty() || text.size() > 8) return false;
    value = 0;
    for (char c : text) {
        const int digit = hexDigit(c);
        if (digit < 0) return false;
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    return true;
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Strict UTF-8; a byte that starts no valid sequence stands for itself (Latin-1), which is
// how an old 8-bit export reads.
std::u32string decodeUtf8(std::string_view text) {
    std::u32string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int extra = 0;
        char32_t c = lead;
        char32_t minimum = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1, c = lead & 0x1F, minimum = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2, c = lead & 0x0F, minimum = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3, c = lead & 0x07, minimum = 0x10000;
        }
        bool valid = lead < 0x80 || extra > 0;
        if (extra > 0) {
            valid = i + static_cast<std::size_t>(extra) < text.size();
            for (int k = 1; valid && k <= extra; ++k) {
                const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
                if ((next & 0xC0) != 0x80) valid = false;
                c = (c << 6) | (next & 0x3F);
            }
            if (valid && (c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))) {
                valid = false;
            }
        }
        if (!valid) {
            out += static_cast<char32_t>(lead);
            ++i;
            continue;
        }
        out += c;
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    std::string out;
    const std::size_t units = bytes.size() / 2;
    out.reserve(units);
    auto unitAt = [&](std::size_t k) -> char32_t {
        const auto a = static_cast<unsigned char>(bytes[2 * k]);
        const auto b = static_cast<unsigned char>(bytes[2 * k + 1]);
        return bigEndian ? static_cast<char32_t>((a << 8) | b)
                         : static_cast<char32_t>((b << 8) | a);
    };
    for (std::size_t k = 0; k < units; ++k) {
        char32_t c = unitAt(k);
        if (c >= 0xD800 && c <= 0xDBFF && k + 1 < units) {
            const char32_t low = unitAt(k + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
                ++k;
            }
        }
        if (c >= 0xD800 && c <= 0xDFFF) c = replacementCharacter;
        appendUtf8(out, c);
    }
    return out;
}

void appendUtf16(std::string& out, char32_t c, bool bigEndian) {
    auto unit = [&](char32_t u) {
        const auto high = static_cast<char>((u >> 8) & 0xFF);
        const auto low = static_cast<char>(u & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    };
    if (c >= 0x10000) {
        unit(0xD800 + ((c - 0x10000) >> 10));
        unit(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
        unit(c);
    }
}

// A quoted name or string starting at text[0] == '"'; \\ and \" are the only escapes.
bool parseQuoted(std::string_view text, std::string& out, std::size_t& end) {
    out.clear();
    for (std::size_t i = 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            end = i + 1;
            return true;
        }
        if (c == '\\' && i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == '"')) {
            out += text[++i];
            continue;
        }
        out += c;
    }
    return false;
}

void appendQuoted(std::string& out, std::string_view text) {
    out += '"';
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    out += '"';
}

bool parseHexBytes(std::string_view text, std::vector<std::uint8_t>& data) {
    data.clear();
    text = trimRight(trimLeft(text));
    if (text.empty()) return true;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        const std::string_view token = trimRight(trimLeft(
            text.substr(start, comma == std::string_view::npos ? text.npos : comma - start)));
        const bool last = comma == std::string_view::npos;
        if (token.empty()) return last; // a trailing comma is tolerated, an empty field is not
        std::uint32_t byte = 0;
        if (token.size() > 2 || !parseHex32(token, byte)) return false;
        data.push_back(static_cast<std::uint8_t>(byte));
        if (last) return true;
        start = comma + 1;
    }
}

// Parses the value starting at physical line first; count is the number of lines it takes.
bool parseValue(const std::vector<std::string>& physical, std::size_t first, RegValue& value,
                std::size_t& count) {
    std::string_view text = trimLeft(physical[first]);
    count = 1;
    std::size_t pos = 0;
    if (text.front() == '@') {
        value.name.clear();
        pos = 1;
    } else if (!parseQuoted(text, value.name, pos)) {
        return false;
    }
    text = trimLeft(text.substr(pos));
    if (text.empty() || text.front() != '=') return false;
    text = trimLeft(text.substr(1));

    if (!text.empty() && text.front() == '"') {
        std::string content;
        std::size_t end = 0;
        if (!parseQuoted(text, content, end) || !trimLeft(text.substr(end)).empty()) return false;
        value.type = 1;
        value.data.clear();
        std::string units;
        for (char32_t c : decodeUtf8(content)) appendUtf16(units, c, false);
        units.append(2, '\0');
        value.data.assign(units.begin(), units.end());
        return true;
    }
    if (startsWithNoCase(text, "dword:")) {
        std::uint32_t number = 0;
        if (!parseHex32(trimRight(text.substr(6)), number)) return false;
        value.type = 4;
        value.data = {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
                      static_cast<std::uint8_t>(number >> 16),
                      static_cast<std::uint8_t>(number >> 24)};
        return true;
    }
    if (!startsWithNoCase(text, "hex")) return false;
    text.remove_prefix(3);
    std::uint32_t type = 3;
    if (!text.empty() && text.front() == '(') {
        const std::size_t close = text.find(')');
        if (close == std::string_view::npos || !parseHex32(text.substr(1, close - 1), type)) {
            return false;
        }
        text.remove_prefix(close + 1);
    }
    if (text.empty() || text.front() != ':') return false;
    text.remove_prefix(1);

    // Long byte lists continue on the next line after a trailing backslash.
    std::string bytes;
    while (true) {
        const std::string_view piece = trimRight(text);
        if (piece.empty() || piece.back() != '\\' || first + count >= physical.size()) {
            bytes +=
                piece.empty() || piece.back() != '\\' ? piece : piece.substr(0, piece.size() - 1);
            break;
        }
        bytes += piece.substr(0, piece.size() - 1);
        text = physical[first + count];
        ++count;
    }
    if (!parseHexBytes(bytes, value.data)) return false;
    value.type = type;
    return true;
}

bool isBlankLine(const RegLine& line) {
    if (line.kind != RegLine::Kind::other) return false;
    for (const std::string& text : line.text) {
        if (!trimRight(trimLeft(text)).empty()) return false;
    }
    return true;
}

bool isFileHeader(const RegLine& line) {
    if (line.kind != RegLine::Kind::other || line.text.size() != 1) return false;
    const std::string_view text = trimRight(trimLeft(line.text.front()));
    return text == regFileHeader || text == "REGEDIT4";
}

RegLine otherLine(std::string text) {
    RegLine line;
    line.text.push_back(std::move(text));
    return line;
}

RegLine keyLine(std::string_view keyPath) {
    RegLine line;
    line.kind = RegLine::Kind::key;
    line.keyPath = keyPath;
    line.text.push_back("[" + line.keyPath + "]");
    return line;
}

// The REG_SZ data as text when it is exactly UTF-16LE characters and one terminator, and
// every character survives a quoted string on one line.
bool utf16Text(const std::vector<std::uint8_t>& data, std::string& text) {
    if (data.size() < 2 || data.size() % 2 != 0) return false;
    const std::size_t units = data.size() / 2 - 1;
    auto unitAt = [&](std::size_t k) {
        return static_cast<char32_t>(data[2 * k] | (data[2 * k + 1] << 8));
    };
    if (unitAt(units) != 0) return false;
    text.clear();
    for (std::size_t k = 0; k < units; ++k) {
        char32_t c = unitAt(k);
        if (c >= 0xD800 && c <= 0xDBFF && k + 1 < units) {
            const char32_t low = unitAt(k + 1);
            if (low < 0xDC00 || low > 0xDFFF) return false;
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            ++k;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            return false;
        }
        if (c < 0x20 || c == 0x7F) return false;
        appendUtf8(text, c);
    }
    return true;
}

} // namespace

bool equalNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    }
    return true;
}

RegDocument parseRegText(std::string_view bytes) {
    RegDocument document;
    std::string text;
    auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    if (bytes.size() >= 3 && byteAt(0) == 0xEF && byteAt(1) == 0xBB && byteAt(2) == 0xBF) {
        document.encoding = RegEncoding::utf8Bom;
        text = bytes.substr(3);
    } else if (bytes.size() >= 2 && byteAt(0) == 0xFF && byteAt(1) == 0xFE) {
        document.encoding = RegEncoding::utf16Le;
        text = utf16ToUtf8(bytes.substr(2), false);
    } else if (bytes.size() >= 2 && byteAt(0) == 0xFE && byteAt(1) == 0xFF) {
        document.encoding = RegEncoding::utf16Be;
        text = utf16ToUtf8(bytes.substr(2), true);
    } else if (bytes.size() >= 2 && byteAt(0) != 0 && byteAt(1) == 0) {
        document.encoding = RegEncoding::utf16Le; // UTF-16 without its byte-order mark
        text = utf16ToUtf8(bytes, false);
    } else if (bytes.size() >= 2 && byteAt(0) == 0 && byteAt(1) != 0) {
        document.encoding = RegEncoding::utf16Be;
        text = utf16ToUtf8(bytes, true);
    } else {
        text = bytes;
    }

    // Lines end with CR LF, LF or a lone CR; the first break sets the style for writing.
    std::vector<std::string> physical;
    bool newlineSeen = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r') continue;
        const bool crlf = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
        if (!newlineSeen) {
            document.newline = crlf ? "\r\n" : std::string(1, text[i]);
            newlineSeen = true;
        }
        physical.push_back(text.substr(start, i - start));
        if (crlf) ++i;
        start = i + 1;
    }
    document.finalNewline = start == text.size();
    if (start < text.size()) physical.push_back(text.substr(start));

    for (std::size_t i = 0; i < physical.size();) {
        const std::string_view trimmed = trimLeft(physical[i]);
        RegLine line;
        std::size_t count = 1;
        if (!trimmed.empty() && trimmed.front() == '[') {
            const std::size_t close = trimmed.rfind(']');
            // A deleting header "[-...]" is a key too: it ends the previous key's section.
            if (close != std::string_view::npos && trimRight(trimmed.substr(close + 1)).empty()) {
                line.kind = RegLine::Kind::key;
                line.keyPath = trimmed.substr(1, close - 1);
            }
        } else if (!trimmed.empty() && (trimmed.front() == '"' || trimmed.front() == '@')) {
            if (parseValue(physical, i, line.value, count)) {
                line.kind = RegLine::Kind::value;
            } else {
                line.value = RegValue{};
                count = 1;
            }
        }
        line.text.assign(
            std::make_move_iterator(physical.begin() + static_cast<std::ptrdiff_t>(i)),
            std::make_move_iterator(physical.begin() + static_cast<std::ptrdiff_t>(i + count)));
        document.lines.push_back(std::move(line));
        i += count;
    }
    return document;
}

std::string formatRegText(const RegDocument& document) {
    std::string text;
    bool firstLine = true;
    for (const RegLine& line : document.lines) {
        for (const std::string& physical : line.text) {
            if (!firstLine) text += document.newline;
            text += physical;
            firstLine = false;
        }
    }
    if (!firstLine && document.finalNewline) text += document.newline;

    switch (document.encoding) {
    case RegEncoding::utf8:
        return text;
    case RegEncoding::utf8Bom:
        return "\xEF\xBB\xBF" + text;
    case RegEncoding::utf16Le:
    case RegEncoding::utf16Be: {
        const bool bigEndian = document.encoding == RegEncoding::utf16Be;
        std::string out;
        appendUtf16(out, 0xFEFF, bigEndian);
        for (char32_t c : decodeUtf8(text)) appendUtf16(out, c, bigEndian);
        return out;
    }
    }
    return text;
}

std::vector<std::string> formatRegValue(const RegValue& value) {
    std::string first;
    if (value.name.empty()) {
        first = "@";
    } else {
        appendQuoted(first, value.name);
    }
    first += '=';

    if (value.type == 4 && value.data.size() == 4) {
        static constexpr char digits[] = "0123456789abcdef";
        first += "dword:";
        for (int i = 3; i >= 0; --i) {
            const std::uint8_t byte = value.data[static_cast<std::size_t>(i)];
            first += digits[byte >> 4];
            first += digits[byte & 0xF];
        }
        return {first};
    }
    std::string text;
    if (value.type == 1 && utf16Text(value.data, text)) {
        appendQuoted(first, text);
        return {first};
    }

    static constexpr char digits[] = "0123456789abcdef";
    if (value.type == 3) {
        first += "hex:";
    } else {
        first += "hex(";
        bool leading = true;
        for (int shift = 28; shift >= 0; shift -= 4) {
            const std::uint32_t digit = (value.type >> shift) & 0xF;
            if (digit == 0 && leading && shift > 0) continue;
            leading = false;
            first += digits[digit];
        }
        first += "):";
    }
    std::vector<std::string> lines;
    std::string current = std::move(first);
    bool bytesOnLine = false;
    for (std::size_t i = 0; i < value.data.size(); ++i) {
        std::string piece{digits[value.data[i] >> 4], digits[value.data[i] & 0xF]};
        if (i + 1 < value.data.size()) piece += ',';
        // Leave room for the backslash that continues the line.
        if (bytesOnLine && current.size() + piece.size() + 1 > wrapColumn - 1) {
            lines.push_back(current + "\\");
            current = "  ";
            bytesOnLine = false;
        }
        current += piece;
        bytesOnLine = true;
    }
    lines.push_back(std::move(current));
    return lines;
}

RegFileKind regFileKind(const RegDocument& document) {
    for (const RegLine& line : document.lines) {
        if (isBlankLine(line)) continue;
        return isFileHeader(line) ? RegFileKind::registryExport : RegFileKind::foreign;
    }
    return RegFileKind::blank;
}

bool hasRegKey(const RegDocument& document, std::string_view keyPath) {
    for (const RegLine& line : document.lines) {
        if (line.kind == RegLine::Kind::key && equalNoCase(line.keyPath, keyPath)) return true;
    }
    return false;
}

void addRegKey(RegDocument& document, std::string_view keyPath) {
    if (hasRegKey(document, keyPath)) return;
    if (document.lines.empty() || !isFileHeader(document.lines.front())) {
        document.lines.insert(document.lines.begin(), otherLine(""));
        document.lines.insert(document.lines.begin(), otherLine(std::string(regFileHeader)));
    }
    if (!isBlankLine(document.lines.back())) document.lines.push_back(otherLine(""));
    document.lines.push_back(keyLine(keyPath));
    document.lines.push_back(otherLine(""));
    document.finalNewline = true;
}

const RegValue* findRegValue(const RegDocument& document, std::string_view keyPath,
                             std::string_view name) {
    const RegValue* found = nullptr;
    bool inKey = false;
    for (const RegLine& line : document.lines) {
        if (line.kind == RegLine::Kind::key) inKey = equalNoCase(line.keyPath, keyPath);
        if (inKey && line.kind == RegLine::Kind::value && equalNoCase(line.value.name, name)) {
            found = &line.value;
        }
    }
    return found;
}

void setRegValue(RegDocument& document, std::string_view keyPath, const RegValue& value) {
    if (!hasRegKey(document, keyPath)) addRegKey(document, keyPath);
    std::size_t match = document.lines.size();
    std::size_t insertAfter = document.lines.size();
    bool inKey = false;
    for (std::size_t i = 0; i < document.lines.size(); ++i) {
        const RegLine& line = document.lines[i];
        if (line.kind == RegLine::Kind::key) {
            inKey = equalNoCase(line.keyPath, keyPath);
            if (inKey) insertAfter = i;
            continue;
        }
        if (!inKey) continue;
        if (!isBlankLine(line)) insertAfter = i;
        if (line.kind == RegLine::Kind::value && equalNoCase(line.value.name, value.name))
            match = i;
    }
    RegLine line;
    line.kind = RegLine::Kind::value;
    line.value = value;
    line.text = formatRegValue(value);
    if (match < document.lines.size()) {
        document.lines[match] = std::move(line);
    } else {
        document.lines.insert(document.lines.begin() + static_cast<std::ptrdiff_t>(insertAfter + 1),
                              std::move(line));
    }
}

} // namespace kelvaro
