#include "store/time_text.h"

#include <charconv>

namespace kelvaro {

std::string timeTextUtf8(std::uint32_t milliseconds) {
    const std::uint32_t s = milliseconds / 1000;
    const std::uint32_t tenths = (milliseconds % 1000) / 100;
    std::string text;
    auto number = [&text](std::uint32_t value) {
        char digits[10];
        const auto result = std::to_chars(digits, digits + sizeof digits, value);
        text.append(digits, result.ptr);
    };
    if (s >= 3600) {
        number(s / 3600);
        text += 'h';
    }
    if (s >= 60) {
        number(s % 3600 / 60);
        text += '\'';
    }
    number(s % 60);
    text += '"';
    number(tenths);
    return text;
}

std::size_t timeText(TimeText& text, std::uint32_t milliseconds) {
    const std::string ascii = timeTextUtf8(milliseconds);
    std::size_t length = 0;
    for (char c : ascii) text[length++] = static_cast<char16_t>(c);
    text[length] = 0;
    return length;
}

} // namespace kelvaro
