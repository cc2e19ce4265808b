#include "dialogs/histogram_chart.h"
#include "render/colour.h"
#include "store/histogram.h"

#include <QImage>
#include <cstring>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace kelvaro {
namespace {

using Map = std::vector<std::string>;

// One character per chart colour; anything else shows as '?'.
char pixelChar(const QImage& image, int x, int y) {
    switch (fromQRgb(image.pixel(x, y))) {
    case chartBackground:
        return '.';
    case chartAxisColour:
        return '#';
    case chartTickColour:
        return 't';
    case chartBarColour:
        return 'r';
    case chartLastGameColour:
        return 'd';
    case chartAverageColour:
        return 'b';
    default:
        return '?';
    }
}

// The pixels of the rectangle (left, top) to (right, bottom), right and bottom excluded.
Map crop(const QImage& image, int left, int top, int right, int bottom) {
    Map rows;
    for (int y = top; y < bottom; ++y) {
        std::string row;
        for (int x = left; x < right; ++x) row += pixelChar(image, x, y);
        rows.push_back(row);
    }
    return rows;
}

std::set<int> columnsWith(const QImage& image, char c, int y) {
    std::set<int> columns;
    for (int x = 0; x < chartWidth; ++x)
        if (pixelChar(image, x, y) == c) columns.insert(x);
    return columns;
}

std::set<int> rowsWith(const QImage& image, char c, int x) {
    std::set<int> rows;
    for (int y = 0; y < chartHeight; ++y)
        if (pixelChar(image, x, y) == c) rows.insert(y);
    return rows;
}

int countOf(const QImage& image, char c) {
    int n = 0;
    for (int y = 0; y < chartHeight; ++y)
        for (int x = 0; x < chartWidth; ++x) n += pixelChar(image, x, y) == c;
    return n;
}

std::set<int> range(int first, int last) {
    std::set<int> values;
    for (int v = first; v <= last; ++v) values.insert(v);
    return values;
}

// A chart of player 0 on one difficulty, with no game finished since the dialog opened.
struct ChartCase {
    Settings settings;
    Statistics statistics;
    ChartMarks marks;

    explicit ChartCase(int difficulty, const char* record = "") {
        settings.difficulty = difficulty;
        marks.openDifficulty = difficulty;
        setHistogramText(statistics.histogram[0][difficulty], record);
    }
    void games(std::int32_t played, std::int32_t time, std::int32_t penalty) {
        const int d = settings.difficulty;
        statistics.gamesPlayed[settings.player][d] = played;
        statistics.totalTime[settings.player][d] = time;
        statistics.totalPenalty[settings.player][d] = penalty;
    }
    QImage paint() const {
        // Start from a colour the chart never uses, so every pixel it leaves out shows.
        QImage image(chartWidth + 3, chartHeight + 3, QImage::Format_RGB32);
        image.fill(qRgb(1, 2, 3));
        paintHistogram(image, settings, statistics, marks);
        return image;
    }
};

TEST(HistogramChart, WithoutRecordDrawsOnlyBackgroundAxesAndArrowheads) {
    for (const char* record : {"", "reset"}) {
        SCOPED_TRACE(record);
        ChartCase chart(0, record);
        chart.games(0, 0, 0);
        const QImage image = chart.paint();
        // clang-format off
        EXPECT_EQ(crop(image, 0, 0, 8, 5), (Map{
            "...#....", // the arrowhead of the vertical axis
            "..###...",
            ".#####..",
            "...#....",
            "...#...."}));
        EXPECT_EQ(crop(image, 118, 68, 127, 76), (Map{
            ".........", // the arrowhead of the horizontal axis
            ".........",
            "......#..",
            "......##.",
            "#########",
            "......##.",
            "......#..",
            "........."}));
        EXPECT_EQ(crop(image, 0, 70, 6, 76), (Map{
            "...#..", // where the axes cross
            "...#..",
            "######",
            "...#..",
            "...#..",
            "...#.."}));
        // clang-format on
        EXPECT_EQ(countOf(image, '#'), 76 + 127 - 1 + 6 + 6);
        EXPECT_EQ(countOf(image, '.'), chartWidth * chartHeight - countOf(image, '#'));
        // Nothing outside the 127 x 76 chart.
        EXPECT_EQ(crop(image, chartWidth, 0, chartWidth + 3, 1), (Map{"???"}));
        EXPECT_EQ(crop(image, 0, chartHeight, 1, chartHeight + 3), (Map{"?", "?", "?"}));
    }
}

TEST(HistogramChart, ASingleGameGivesOneFullBarOverTheAxisAndAnAverageArrow) {
    // One easy game of 3.5 seconds: bucket 3, bar at x = 11 covering its bucket's columns
    // 10 and 11, average 3 s at x = 2 * 3 + 4 = 10.
    ChartCase chart(0, "0;1;0;0;0;1;");
    chart.games(1, 3500, 0);
    const QImage image = chart.paint();
    EXPECT_EQ(rowsWith(image, 'r', 11), range(1, 72));
    EXPECT_EQ(rowsWith(image, 'r', 10), range(1, 67));
    EXPECT_EQ(countOf(image, 'r'), 72 + 67);
    // clang-format off
    EXPECT_EQ(crop(image, 4, 66, 16, 76), (Map{
        "......rr....",
        "......rr....",
        "......br....", // the arrow's tip at y = 68
        "......br....",
        "......br....",
        "......br....",
        "######br####", // the bar covers the axis, the arrow covers both
        ".....bbb....",
        "....bbbbb...",
        "...bbbbbbb.."}));
    // clang-format on
}

TEST(HistogramChart, BarsAreScaledToTheFullestBucketAndNeverVanish) {
    // Counts 1 and 100 in buckets 0 and 2 of a medium record: 72 / 100 rounds to 0, drawn 1.
    ChartCase chart(1, "0;3;1;0;100;");
    const QImage image = chart.paint();
    EXPECT_EQ(rowsWith(image, 'r', 4), std::set<int>{72});
    EXPECT_EQ(rowsWith(image, 'r', 5), std::set<int>{72});
    EXPECT_EQ(rowsWith(image, 'r', 8), range(1, 72));
    EXPECT_EQ(rowsWith(image, 'r', 9), range(1, 72));
    EXPECT_EQ(countOf(image, 'r'), 2 + 2 * 72);
}

TEST(HistogramChart, MinuteTicksFollowTheBucketWidth) {
    struct Case {
        int difficulty;
        std::set<int> tickAt; // x of each tick; the 2-pixel pen adds x - 1
    } cases[] = {{0, {}}, {1, {45, 85}}, {2, {17, 29, 41, 53, 65, 77, 89, 101, 113}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.difficulty);
        const QImage image = ChartCase(c.difficulty).paint();
        std::set<int> columns;
        for (int x : c.tickAt) columns.insert({x - 1, x});
        EXPECT_EQ(columnsWith(image, 't', 73), columns);
        EXPECT_EQ(columnsWith(image, 't', 74), columns);
        EXPECT_EQ(countOf(image, 't'), 4 * static_cast<int>(c.tickAt.size()));
    }
}

TEST(HistogramChart, LastGameLineIsDashedFromTheTopToTheAxis) {
    ChartCase chart(0);
    chart.marks.finalTime = 5900; // 5 s: x = 10 + 4
    const QImage image = chart.paint();
    std::set<int> dashes;
    for (int y = 0; y < 72; ++y)
        if (y % 6 < 4) dashes.insert(y);
    EXPECT_EQ(rowsWith(image, 'd', 14), dashes);
    EXPECT_EQ(countOf(image, 'd'), static_cast<int>(dashes.size()));
}

TEST(HistogramChart, MarkersMappingAt120OrBeyondAreNotDrawn) {
    struct Case {
        int finalTime;   // easy: x = 2 * seconds
        int averageTime; // one game of this time
        bool lastGameShown;
        bool averageShown;
    } cases[] = {{59'999, 59'999, true, true},
                 {60'000, 60'000, false, false},
                 {600'000, 59'000, false, true},
                 {1'000, 3'600'000, true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.finalTime);
        ChartCase chart(0, "0;1;1;");
        chart.marks.finalTime = c.finalTime;
        chart.games(1, c.averageTime, 0);
        const QImage image = chart.paint();
        EXPECT_EQ(countOf(image, 'd') > 0, c.lastGameShown);
        EXPECT_EQ(countOf(image, 'b') > 0, c.averageShown);
        if (c.lastGameShown) {
            EXPECT_EQ(columnsWith(image, 'd', 0), std::set<int>{c.finalTime / 1000 * 2 + 4});
        }
    }
}

TEST(HistogramChart, LastGameBelongsToTheDifficultyAndPlayerOfTheOpening) {
    struct Case {
        int difficulty, player, openDifficulty, openPlayer, finalTime;
        bool shown;
    } cases[] = {{1, 1, 1, 1, 9000, true},
                 {1, 1, 2, 1, 9000, false},
                 {1, 1, 1, 0, 9000, false},
                 {1, 0, 0, 1, 9000, false},
                 {1, 1, 1, 1, 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.difficulty << c.player << c.openDifficulty
                                        << c.openPlayer << " " << c.finalTime);
        ChartCase chart(c.difficulty);
        chart.settings.player = static_cast<std::int16_t>(c.player);
        chart.marks =
            ChartMarks{c.finalTime, c.openDifficulty, static_cast<std::int16_t>(c.openPlayer)};
        const QImage image = chart.paint();
        // Medium: 9 s is x = 6, drawn at 10.
        EXPECT_EQ(columnsWith(image, 'd', 0), c.shown ? std::set<int>{10} : std::set<int>{});
    }
}

TEST(HistogramChart, AverageIncludesPenaltiesAndIsWorkedOutWideEnoughForAnyRecord) {
    struct Case {
        std::int32_t played, time, penalty;
        int arrowX; // column of the arrow's tip, or -1 for none
    } cases[] = {
        {2, 7000, 2, 4 + 2 * 18},          // (7,000 + 30,000) / 2,000 = 18 s
        {100'000, 0, 200'000, 4 + 2 * 30}, // 15,000 x 200,000 passes 32 bits: 30 s
        {4'300'000, 2'000'000'000, 0, 4},  // 1,000 x 4,300,000 passes 32 bits: 0 s
        {0, 5000, 0, -1},                  // no games, no average
        {-3, -9000, 0, -1},                // a count that is not positive has no average
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.played);
        ChartCase chart(0, "0;1;4;");
        chart.games(c.played, c.time, c.penalty);
        const QImage image = chart.paint();
        const std::set<int> tip = c.arrowX < 0 ? std::set<int>{} : std::set<int>{c.arrowX};
        EXPECT_EQ(columnsWith(image, 'b', 68), tip);
        EXPECT_EQ(countOf(image, 'b'), c.arrowX < 0 ? 0 : 8 + 2 * 3 + 2 * 2 + 2 * 1);
    }
}

TEST(HistogramChart, NoAverageWithoutBars) {
    ChartCase chart(2, "reset");
    chart.games(3, 90'000, 1);
    EXPECT_EQ(countOf(chart.paint(), 'b'), 0);
}

} // namespace
} // namespace kelvaro
