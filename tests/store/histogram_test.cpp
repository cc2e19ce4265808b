#include "store/histogram.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kelvaro {
namespace {

HistogramText record(const std::string& text) {
    HistogramText out{};
    std::copy(text.begin(), text.end(), out.begin());
    return out;
}

std::string textOf(const HistogramText& text) {
    return std::string(text.data());
}

std::string repeat(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

struct AddCase {
    const char* name;
    int difficulty;
    std::string before;
    std::vector<std::int32_t> finalTimes;
    std::string after;
};

TEST(HistogramAdd, CountsTimesAndRewritesTheRecord) {
    const AddCase cases[] = {
        {"first easy game", 0, "", {12'300}, "0;1;" + repeat("0;", 12) + "1;"},
        {"three easy games", 0, "", {12'300, 12'900, 14'000}, "0;1;" + repeat("0;", 12) + "2;0;1;"},
        {"after a reset", 2, "reset", {5'000}, "0;9;1;"},
        {"beyond the last bucket", 2, "", {700'000}, "0;9;" + repeat("0;", 59) + "1;"},
        {"leading empty buckets", 1, "", {15'000}, "0;3;0;0;0;0;0;1;"},
        {"kept header", 2, "0;1;2;", {1'500}, "0;1;2;1;"},
        {"unknown difficulty", 7, "", {2'000}, "0;1;0;0;1;"},
        // Records from outside the program.
        {"time before the origin", 0, "10;1;", {3'000}, "10;1;1;"},
        {"negative time", 0, "", {-90'000}, "0;1;1;"},
        {"zero width", 1, "0;0;5;", {3'000}, "0;3;0;1;"},
        {"width above 60", 1, "0;61;5;", {3'000}, "0;3;0;1;"},
        {"no second semicolon", 0, "0;1", {2'000}, "0;1;0;0;1;"},
        {"negative count", 0, "0;1;-4;2;", {0}, "0;1;1;2;"},
        {"huge count", 0, "0;1;99999999999;", {0}, "0;1;10000000;"},
        {"count without semicolon", 0, "0;1;3;4", {1'000}, "0;1;3;1;"},
        {"count that is no number", 0, "0;1;x;2;", {0}, "0;1;1;2;"},
        {"origin beyond any time", 0, "2147483647;1;", {5'000}, "0;1;0;0;0;0;0;1;"},
    };
    for (const AddCase& c : cases) {
        SCOPED_TRACE(c.name);
        HistogramText text = record(c.before);
        for (std::int32_t t : c.finalTimes) histogramAdd(text, t, c.difficulty);
        EXPECT_EQ(textOf(text), c.after);
    }
}

TEST(HistogramAdd, DropsPiecesThatWouldFillTheRecord) {
    // 55 pieces of nine characters after the header make 499 characters: the most a record
    // holds. A game in bucket 59 would need five more pieces; none of them fits.
    const std::string full = "0;1;" + repeat("10000000;", 55);
    ASSERT_EQ(full.size(), 499u);
    HistogramText text = record(full);
    histogramAdd(text, 59'000, 0);
    EXPECT_EQ(textOf(text), full);
}

TEST(HistogramParse, StaysInsideARecordWithoutItsZeroByte) {
    HistogramText noNumbers;
    noNumbers.fill('7');
    EXPECT_FALSE(histogramParse(noNumbers).hasHeader);

    HistogramText counts;
    const std::string text = "0;1;" + repeat("1;", 248);
    std::copy(text.begin(), text.end(), counts.begin());
    ASSERT_EQ(text.size(), counts.size());
    const HistogramRecord parsed = histogramParse(counts);
    ASSERT_TRUE(parsed.hasHeader);
    for (std::int32_t count : parsed.counts) EXPECT_EQ(count, 1);
}

TEST(HistogramParse, ReadsHeaderAndCountsAsScanned) {
    const HistogramRecord parsed = histogramParse(record("0;3; 2;x;+4;-1;71"));
    ASSERT_TRUE(parsed.hasHeader);
    EXPECT_EQ(parsed.origin, 0);
    EXPECT_EQ(parsed.width, 3);
    const std::int32_t expected[] = {2, 0, 4, 0, 71};
    for (std::size_t i = 0; i < std::size(expected); ++i) EXPECT_EQ(parsed.counts[i], expected[i]);

    for (const char* noHeader : {"", "reset", "5;", " ;1;", "0 ;1;", "1;x;"}) {
        SCOPED_TRACE(noHeader);
        EXPECT_FALSE(histogramParse(record(noHeader)).hasHeader);
    }
}

struct PeakCase {
    const char* name;
    std::string text;
    std::int32_t peak;
};

TEST(HistogramPeak, EstimatesTheMostFrequentTime) {
    const PeakCase cases[] = {
        {"balanced neighbours", "0;1;" + repeat("0;", 12) + "2;0;1;", 12'000},
        {"last bucket", "0;9;" + repeat("0;", 59) + "1;", 535'500},
        {"toward the left", "0;3;" + repeat("0;", 9) + "3;5;1;", 29'250},
        {"equal largest counts", "0;1;0;4;0;4;", 1'000},
        {"no header", "reset", 0},
        {"empty", "", 0},
        // The unguarded formula divides by zero here (dl = 0, dr = -1).
        {"negative count", "0;1;-1;", 0},
        // Would be -500 ms: shown as no time rather than about 1193 hours.
        {"below zero", "0;1;5;1;", 0},
        {"beyond 32 bits", "3000000;60;" + repeat("0;", 59) + "1;", 2'147'483'647},
    };
    for (const PeakCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(histogramPeak(record(c.text)), c.peak);
    }
}

} // namespace
} // namespace kelvaro
