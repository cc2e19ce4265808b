// The registry-export text format ("Windows Registry Editor Version 5.00") that keeps the
// settings key on disk, so that a person can read, diff, edit or import it into a real registry.
//
// Every line of a file is kept as written, including keys, values, comments and lines that
// cannot be understood; only values that are set again are rewritten. The file's encoding
// (UTF-8, or UTF-16 with a byte-order mark, as a registry editor exports) and its line
// breaks are kept too. Names of keys and values match without regard to ASCII case.
#pragma once

#include "store/registry.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kelvaro {

enum class RegEncoding { utf8, utf8Bom, utf16Le, utf16Be };

// One logical line: a key header, a value (which may run over several physical lines
// joined by a trailing backslash), or anything else.
struct RegLine {
    enum class Kind { other, key, value };
    Kind kind = Kind::other;
    std::vector<std::string> text; // physical lines as written, without line breaks
    std::string keyPath;           // key: the text between the brackets
    RegValue value;                // value
};

struct RegDocument {
    RegEncoding encoding = RegEncoding::utf8;
    std::string newline = "\n";
    bool finalNewline = true;
    std::vector<RegLine> lines;
};

constexpr std::string_view regFileHeader = "Windows Registry Editor Version 5.00";

// Never fails: bytes that form no key or value become kept lines of kind other.
RegDocument parseRegText(std::string_view bytes);
std::string formatRegText(const RegDocument& document);

// The physical lines of a value as this program writes it: dword:xxxxxxxx for 4-byte
// REG_DWORD, a quoted string for REG_SZ that is exactly UTF-16LE text with one terminator,
// hex(n): bytes otherwise, wrapped at 80 columns.
std::vector<std::string> formatRegValue(const RegValue& value);

// A settings file is a registry export: its first line that is not blank is the export
// header ("Windows Registry Editor Version 5.00" or "REGEDIT4"). A file of blank lines only
// holds nothing, as if it were missing; any other file is not a settings file.
enum class RegFileKind { blank, registryExport, foreign };
RegFileKind regFileKind(const RegDocument& document);

bool hasRegKey(const RegDocument& document, std::string_view keyPath);
// Appends an empty key at the end unless the document has it already.
void addRegKey(RegDocument& document, std::string_view keyPath);
// The value as a registry would import it: the last one of that name under the key.
const RegValue* findRegValue(const RegDocument& document, std::string_view keyPath,
                             std::string_view name);
// Rewrites the value in place, or appends it to the key's last section. The key must exist.
void setRegValue(RegDocument& document, std::string_view keyPath, const RegValue& value);

bool equalNoCase(std::string_view a, std::string_view b);

} // namespace kelvaro
