// Records of two players, as a few sessions of play would leave them.
#pragma once

#include "store/histogram.h"
#include "store/settings.h"

namespace kelvaro {

// The first player has played on easy and medium; the second only on hard.
inline Statistics preparedRecords() {
    Statistics statistics;
    statistics.gamesPlayed[0][1] = 3;
    statistics.totalTime[0][1] = 100'000;
    statistics.totalPenalty[0][1] = 2;
    statistics.bestTime[0][1] = 25'300;
    // Counts 3, 5, 1 in buckets 9, 10, 11: the peak is 29,250 ms.
    setHistogramText(statistics.histogram[0][1], "0;3;0;0;0;0;0;0;0;0;0;3;5;1;");
    statistics.gamesPlayed[0][0] = 2;
    statistics.totalTime[0][0] = 61'000;
    statistics.bestTime[0][0] = 30'000;
    histogramAdd(statistics.histogram[0][0], 30'000, 0);
    histogramAdd(statistics.histogram[0][0], 31'000, 0); // the peak is 30,500 ms
    statistics.gamesPlayed[1][2] = 1;
    statistics.totalTime[1][2] = 200'000;
    statistics.bestTime[1][2] = 200'000;
    histogramAdd(statistics.histogram[1][2], 200'000, 2);
    return statistics;
}

} // namespace kelvaro
