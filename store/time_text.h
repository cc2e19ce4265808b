// Durations as the player reads them: hours, minutes, seconds and tenths.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace kelvaro {

// The longest text, "1193h2'47\"2", has 11 characters; one more for the terminator.
using TimeText = std::array<char16_t, 12>;

// Writes the text of a duration with its terminator and returns its length. Minutes and
// seconds carry no leading zero: 61,000 ms reads 1'1"0.
std::size_t timeText(TimeText& text, std::uint32_t milliseconds);

// The same text in UTF-8, for painters and dialogs.
std::string timeTextUtf8(std::uint32_t milliseconds);

} // namespace kelvaro
