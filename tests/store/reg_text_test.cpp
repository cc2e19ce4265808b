#include "store/reg_text.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kelvaro {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::string_view ourKey = "HKEY_CURRENT_USER\\Software\\Dravix\\Kelvaro";

std::string file(const std::string& body) {
    return "Windows Registry Editor Version "
           "5.00\n\n[HKEY_CURRENT_USER\\Software\\Dravix\\Kelvaro]\n" +
           body;
}

std::string utf16le(const std::string& ascii) {
    std::string out = "\xFF\xFE";
    for (char c : ascii) {
        out += c;
        out += '\0';
    }
    return out;
}

TEST(RegText, ReadsEachValueForm) {
    struct Case {
        std::string line;
        std::uint32_t type;
        Bytes data;
    };
    const Case cases[] = {
        {"\"v\"=dword:0000002a", 4, {0x2A, 0, 0, 0}},
        {"\"v\" = DWORD:FFFFFFFE  ", 4, {0xFE, 0xFF, 0xFF, 0xFF}},
        {"\"v\"=dword:1", 4, {1, 0, 0, 0}},
        {"\"v\"=\"1.1\"", 1, {'1', 0, '.', 0, '1', 0, 0, 0}},
        {"\"v\"=\"a\\\"b\\\\\"", 1, {'a', 0, '"', 0, 'b', 0, '\\', 0, 0, 0}},
        {"\"v\"=\"\xC3\xA9\"", 1, {0xE9, 0, 0, 0}},
        {"\"v\"=\"\"", 1, {0, 0}},
        {"\"v\"=hex:01,ff", 3, {1, 0xFF}},
        {"\"v\"=hex:", 3, {}},
        {"\"v\"=hex(4):01,00", 4, {1, 0}},
        {"\"v\"=hex(1):30,3b,00", 1, {'0', ';', 0}},
        {"\"v\"=hex(b):01,02,03,04,05,06,07,08", 0xB, {1, 2, 3, 4, 5, 6, 7, 8}},
        {"\"v\"=hex(1):30,3b,\\\n  31, 3b ,\\\n  00", 1, {'0', ';', '1', ';', 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const RegDocument document = parseRegText(file(c.line + "\n"));
        const RegValue* value = findRegValue(document, ourKey, "v");
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->type, c.type);
        EXPECT_EQ(value->data, c.data);
    }
}

TEST(RegText, KeepsLinesItCannotReadWithoutTakingThemForValues) {
    for (const char* line : {"\"v\"=dword:123456789", "\"v\"=dword:12x4", "\"v\"=hex:1,,2",
                             "\"v\"=hex:123", "\"v\"=hex(zz):00", "\"v\"=\"open", "\"v\"=-",
                             "\"v\"", "\"v\"=\"a\" junk", "\"v=dword:1", "; \"v\"=dword:1"}) {
        SCOPED_TRACE(line);
        const std::string text = file(std::string(line) + "\n");
        const RegDocument document = parseRegText(text);
        EXPECT_EQ(findRegValue(document, ourKey, "v"), nullptr);
        EXPECT_EQ(formatRegText(document), text);
    }
}

TEST(RegText, WritesValuesInTheirExportForm) {
    struct Case {
        RegValue value;
        std::string text;
    };
    const Case cases[] = {
        {{"langue", 4, {1, 0, 0, 0}}, "\"langue\"=dword:00000001"},
        {{"lineVI", 4, {0x80, 0x50, 0xAB, 0}}, "\"lineVI\"=dword:00ab5080"},
        {{"player", 4, {1, 0}}, "\"player\"=hex(4):01,00"},
        {{"version", 1, {'1', 0, '.', 0, '1', 0, 0, 0}}, "\"version\"=\"1.1\""},
        {{"q", 1, {'"', 0, '\\', 0, 0, 0}}, "\"q\"=\"\\\"\\\\\""},
        // 8-bit text with one zero byte is not UTF-16 text.
        {{"histo00", 1, {'0', ';', '1', ';', 0}}, "\"histo00\"=hex(1):30,3b,31,3b,00"},
        {{"histo01", 1, {0}}, "\"histo01\"=hex(1):00"},
        {{"histo02", 1, {'r', 'e', 's', 'e', 't', 0}}, "\"histo02\"=hex(1):72,65,73,65,74,00"},
        {{"line", 1, {'a', 0, '\n', 0, 0, 0}}, "\"line\"=hex(1):61,00,0a,00,00,00"},
        {{"b", 3, {0xFF}}, "\"b\"=hex:ff"},
        {{"", 1, {'d', 0, 0, 0}}, "@=\"d\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::vector<std::string> lines = formatRegValue(c.value);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0], c.text);
    }
}

TEST(RegText, WrapsLongValuesAndReadsThemBack) {
    RegValue value{"histo12", 1, {}};
    for (int i = 0; i < 500; ++i) value.data.push_back(static_cast<std::uint8_t>(i));
    const std::vector<std::string> lines = formatRegValue(value);
    ASSERT_GT(lines.size(), 1u);
    std::string body;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_LE(lines[i].size(), 80u);
        EXPECT_EQ(lines[i].back() == '\\', i + 1 < lines.size());
        if (i > 0) {
            EXPECT_EQ(lines[i].substr(0, 2), "  ");
        }
        body += lines[i] + "\n";
    }
    const RegDocument document = parseRegText(file(body));
    const RegValue* read = findRegValue(document, ourKey, "histo12");
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->data, value.data);
}

TEST(RegText, SettingAValueChangesOnlyItsOwnLine) {
    const std::string before = "Windows Registry Editor Version 5.00\r\n"
                               "\r\n"
                               "; written by hand\r\n"
                               "[HKEY_CURRENT_USER\\Software\\Other]\r\n"
                               "\"langue\"=dword:00000005\r\n"
                               "\r\n"
                               "[HKEY_CURRENT_USER\\Software\\Dravix\\Kelvaro]\r\n"
                               "\"extra\"=hex:01,\\\r\n"
                               "  02\r\n"
                               "\"Langue\"=dword:00000000\r\n"
                               "garbage \x01\x02\r\n"
                               "\r\n";
    RegDocument document = parseRegText(before);
    ASSERT_EQ(formatRegText(document), before);
    setRegValue(document, ourKey, {"langue", 4, {1, 0, 0, 0}});
    setRegValue(document, ourKey, {"size", 4, {2, 0, 0, 0}});
    std::string after = before;
    after.replace(after.find("\"Langue\"=dword:00000000"), 23, "\"langue\"=dword:00000001");
    after.replace(after.find("garbage \x01\x02\r\n") + 12, 0, "\"size\"=dword:00000002\r\n");
    EXPECT_EQ(formatRegText(document), after);
}

TEST(RegText, MatchesKeysAndNamesWithoutCaseAndTakesTheLastDuplicate) {
    RegDocument document =
        parseRegText("Windows Registry Editor Version 5.00\n\n"
                     "[hkey_current_user\\software\\dravix\\KELVARO]\n\"SIZE\"=dword:00000001\n\n"
                     "[HKEY_CURRENT_USER\\Software\\Other]\n\"size\"=dword:00000009\n\n"
                     "[HKEY_CURRENT_USER\\Software\\Dravix\\Kelvaro]\n\"size\"=dword:00000002\n\n");
    ASSERT_TRUE(hasRegKey(document, ourKey));
    const RegValue* size = findRegValue(document, ourKey, "Size");
    ASSERT_NE(size, nullptr);
    EXPECT_EQ(size->data[0], 2);

    setRegValue(document, ourKey, {"size", 4, {0, 0, 0, 0}});
    setRegValue(document, ourKey, {"new", 4, {3, 0, 0, 0}});
    const std::string text = formatRegText(document);
    EXPECT_NE(text.find("\"SIZE\"=dword:00000001"), std::string::npos);
    EXPECT_NE(text.find("\"size\"=dword:00000009"), std::string::npos);
    EXPECT_NE(text.find("Kelvaro]\n\"size\"=dword:00000000\n\"new\"=dword:00000003\n\n"),
              std::string::npos);
    EXPECT_EQ(findRegValue(parseRegText(text), ourKey, "size")->data[0], 0);
}

TEST(RegText, AKeyDeletionEndsTheSectionBeforeIt) {
    const RegDocument document = parseRegText(file("\"a\"=dword:00000001\n"
                                                   "[-HKEY_CURRENT_USER\\Software\\Gone]\n"
                                                   "\"b\"=dword:00000002\n"));
    EXPECT_NE(findRegValue(document, ourKey, "a"), nullptr);
    EXPECT_EQ(findRegValue(document, ourKey, "b"), nullptr);
}

TEST(RegText, KeepsEncodingAndLineBreaks) {
    struct Case {
        const char* name;
        std::string bytes;
    };
    const std::string body =
        "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Dravix\\Kelvaro]"
        "\r\n\"size\"=dword:00000002\r\n";
    std::string lf = body;
    for (std::size_t at; (at = lf.find('\r')) != std::string::npos;) lf.erase(at, 1);
    std::string cr = lf;
    for (char& c : cr) c = c == '\n' ? '\r' : c;
    const Case cases[] = {
        {"UTF-16LE with BOM, CR LF", utf16le(body)},
        {"UTF-16LE without BOM", utf16le(body).substr(2)},
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + body},
        {"LF", lf},
        {"lone CR", cr},
        {"no final line break", lf.substr(0, lf.size() - 1)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RegDocument document = parseRegText(c.bytes);
        const RegValue* size = findRegValue(document, ourKey, "size");
        ASSERT_NE(size, nullptr);
        EXPECT_EQ(size->data[0], 2);
        const std::string once = formatRegText(document);
        EXPECT_EQ(formatRegText(parseRegText(once)), once);

        setRegValue(document, ourKey, {"size", 4, {1, 0, 0, 0}});
        const std::string saved = formatRegText(document);
        const std::string expected = formatRegText(parseRegText(c.bytes));
        ASSERT_EQ(saved.size(), expected.size());
        EXPECT_EQ(saved.substr(0, 2), expected.substr(0, 2));
        EXPECT_EQ(findRegValue(parseRegText(saved), ourKey, "size")->data[0], 1);
    }
    EXPECT_EQ(formatRegText(parseRegText(utf16le(body))), utf16le(body));
}

TEST(RegText, StartsANewFileWithItsHeader) {
    RegDocument document = parseRegText("");
    setRegValue(document, ourKey, {"size", 4, {1, 0, 0, 0}});
    EXPECT_EQ(formatRegText(document), "Windows Registry Editor Version 5.00\n\n"
                                       "[HKEY_CURRENT_USER\\Software\\Dravix\\Kelvaro]\n"
                                       "\"size\"=dword:00000001\n\n");
}

TEST(RegText, KeepsUnreadableBytesWhenAddingItsKey) {
    const char raw[] = "\x89PNG\x1A\n\xFF\xD8 not a registry file\n\x7F\x80\x81";
    const std::string junk(raw, sizeof raw - 1);
    RegDocument document = parseRegText(junk);
    setRegValue(document, ourKey, {"size", 4, {1, 0, 0, 0}});
    const std::string text = formatRegText(document);
    EXPECT_NE(text.find(junk), std::string::npos);
    EXPECT_EQ(findRegValue(parseRegText(text), ourKey, "size")->data[0], 1);
}

} // namespace
} // namespace kelvaro
