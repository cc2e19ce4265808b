#include "store/statistics.h"

#include <cstring>
#include <gtest/gtest.h>
#include <limits>

namespace kelvaro {
namespace {

constexpr std::int32_t int32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t int32Min = std::numeric_limits<std::int32_t>::min();

TEST(SaturatingAdd, StopsAtTheLimitsOfThirtyTwoBits) {
    struct Case {
        std::int32_t a;
        std::int64_t b;
        std::int32_t sum;
    };
    const Case cases[] = {
        {1, 2, 3},
        {5, -3, 2},
        {int32Max - 5, 10, int32Max},
        {2'000'000'000, 15'000LL * 100'000, int32Max},
        {0, std::numeric_limits<std::int64_t>::max(), int32Max},
        {-5, std::numeric_limits<std::int64_t>::min(), int32Min},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.b);
        EXPECT_EQ(saturatingAdd(c.a, c.b), c.sum);
    }
}

TEST(DerivedStatistics, AverageIncludesPenaltiesAndIsComputedWide) {
    Statistics s;
    s.gamesPlayed[1][2] = 3;
    s.totalTime[1][2] = 90'000;
    s.totalPenalty[1][2] = 2;
    EXPECT_EQ(averageTime(s, 1, 2), 40'000);
    EXPECT_EQ(averageSeconds(s, 1, 2), 40);
    EXPECT_EQ(averageTime(s, 0, 2), 0); // no games

    // 2,000,000,000 + 15,000 x 100,000 passes 2^31 - 1.
    s.gamesPlayed[0][1] = 1'000;
    s.totalTime[0][1] = 2'000'000'000;
    s.totalPenalty[0][1] = 100'000;
    EXPECT_EQ(averageTime(s, 0, 1), 3'500'000);
    EXPECT_EQ(averageSeconds(s, 0, 1), 3'500);

    // 1000 x 3,000,000 games passes 2^31 - 1 in the divisor of the mean in seconds.
    s.gamesPlayed[0][0] = 3'000'000;
    s.totalTime[0][0] = 2'100'000'000;
    s.totalPenalty[0][0] = 1'000'000;
    EXPECT_EQ(averageTime(s, 0, 0), 5'700);
    EXPECT_EQ(averageSeconds(s, 0, 0), 5);

    // One game with everything at its limit: the mean no longer fits and is held there.
    s.gamesPlayed[1][0] = 1;
    s.totalTime[1][0] = int32Max;
    s.totalPenalty[1][0] = int32Max;
    EXPECT_EQ(averageTime(s, 1, 0), int32Max);

    EXPECT_EQ(averageTime(s, 2, 0), 0);
    EXPECT_EQ(averageTime(s, 0, 3), 0);
}

TEST(DerivedStatistics, PlayerTotalsSumTheThreeDifficulties) {
    Statistics s;
    s.gamesPlayed[0] = {1, 2, 3};
    s.totalTime[0] = {10'000, 20'000, 30'000};
    s.totalPenalty[0] = {100, 100, 100}; // not part of the time spent
    s.gamesPlayed[1] = {5, 0, 0};
    EXPECT_EQ(playerGames(s, 0), 6);
    EXPECT_EQ(playerTime(s, 0), 60'000);
    EXPECT_EQ(playerGames(s, 1), 5);

    s.totalTime[1] = {int32Max, int32Max, int32Max};
    EXPECT_EQ(playerTime(s, 1), int32Max);
    EXPECT_EQ(playerGames(s, -1), 0);
}

TEST(ResetStatistics, ClearsOnePlayerAndMarksItsRecordsReset) {
    Statistics s;
    for (auto* field : {&s.bestTime, &s.gamesPlayed, &s.totalTime, &s.totalPenalty}) {
        for (auto& row : *field) row = {7, 8, 9};
    }
    for (auto& row : s.histogram) {
        for (auto& text : row) std::strcpy(text.data(), "0;1;0;0;0;0;0;0;0;0;0;0;0;0;1;");
    }
    const Statistics before = s;
    resetStatistics(s, 1);

    for (std::size_t d = 0; d < difficulties; ++d) {
        SCOPED_TRACE(d);
        EXPECT_EQ(s.gamesPlayed[1][d], 0);
        EXPECT_EQ(s.bestTime[1][d], 0);
        EXPECT_EQ(s.totalTime[1][d], 0);
        EXPECT_EQ(s.totalPenalty[1][d], 0);
        EXPECT_STREQ(s.histogram[1][d].data(), "reset");
        // Nothing of the old text lingers after its zero byte.
        EXPECT_EQ(s.histogram[1][d][6], 0);
    }
    EXPECT_EQ(s.gamesPlayed[0], before.gamesPlayed[0]);
    EXPECT_EQ(s.bestTime[0], before.bestTime[0]);
    EXPECT_EQ(s.histogram[0], before.histogram[0]);

    const Statistics untouched = s;
    resetStatistics(s, 2);
    EXPECT_EQ(s.gamesPlayed, untouched.gamesPlayed);
}

} // namespace
} // namespace kelvaro
