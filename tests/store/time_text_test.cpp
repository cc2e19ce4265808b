#include "store/time_text.h"

#include <gtest/gtest.h>

namespace kelvaro {
namespace {

struct TimeCase {
    std::uint32_t milliseconds;
    const char* text;
};

const TimeCase timeCases[] = {
    {0, "0\"0"},
    {5'432, "5\"4"},
    {59'999, "59\"9"},
    {60'000, "1'0\"0"},
    {61'000, "1'1\"0"},
    {75'300, "1'15\"3"},
    {3'599'999, "59'59\"9"},
    {3'600'000, "1h0'0\"0"},
    {3'723'400, "1h2'3\"4"},
    {4'294'967'295, "1193h2'47\"2"},
};

TEST(TimeText, MatchesTheClockFormats) {
    for (const TimeCase& c : timeCases) {
        SCOPED_TRACE(c.milliseconds);
        EXPECT_EQ(timeTextUtf8(c.milliseconds), c.text);

        TimeText text;
        text.fill(u'#');
        const std::size_t length = timeText(text, c.milliseconds);
        ASSERT_EQ(length, std::string(c.text).size());
        EXPECT_EQ(text[length], 0);
        for (std::size_t i = 0; i < length; ++i) EXPECT_EQ(text[i], char16_t(c.text[i]));
    }
}

} // namespace
} // namespace kelvaro
