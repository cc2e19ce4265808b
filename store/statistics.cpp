#include "store/statistics.h"

#include "store/histogram.h"

#include <algorithm>
#include <cstddef>
#include <limits>

namespace kelvaro {

namespace {

constexpr std::int64_t int32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t int32Min = std::numeric_limits<std::int32_t>::min();

bool validSlot(int player, int difficulty) {
    return player >= 0 && player < playerSlots && difficulty >= 0 && difficulty < difficulties;
}

// Mean final time with penalties, in units of unit milliseconds.
std::int32_t meanFinalTime(const Statistics& statistics, int player, int difficulty,
                           std::int64_t unit) {
    if (!validSlot(player, difficulty)) return 0;
    const auto p = static_cast<std::size_t>(player);
    const auto d = static_cast<std::size_t>(difficulty);
    const std::int64_t games = statistics.gamesPlayed[p][d];
    if (games <= 0) return 0;
    const std::int64_t total = std::int64_t{statistics.totalTime[p][d]} +
                               std::int64_t{penaltyCellTime} * statistics.totalPenalty[p][d];
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(total / (unit * games), 0, int32Max));
}

template <typename Field> std::int32_t sumOverDifficulties(const Field& field, int player) {
    if (player < 0 || player >= playerSlots) return 0;
    std::int64_t sum = 0;
    for (std::int32_t value : field[static_cast<std::size_t>(player)]) sum += value;
    return static_cast<std::int32_t>(std::clamp(sum, int32Min, int32Max));
}

} // namespace

std::int32_t saturatingAdd(std::int32_t a, std::int64_t b) {
    // b is brought into range first, so the sum itself cannot overflow 64 bits.
    const std::int64_t sum = a + std::clamp(b, 2 * int32Min, 2 * int32Max);
    return static_cast<std::int32_t>(std::clamp(sum, int32Min, int32Max));
}

std::int32_t averageTime(const Statistics& statistics, int player, int difficulty) {
    return meanFinalTime(statistics, player, difficulty, 1);
}

std::int32_t averageSeconds(const Statistics& statistics, int player, int difficulty) {
    return meanFinalTime(statistics, player, difficulty, 1000);
}

std::int32_t playerGames(const Statistics& statistics, int player) {
    return sumOverDifficulties(statistics.gamesPlayed, player);
}

std::int32_t playerTime(const Statistics& statistics, int player) {
    return sumOverDifficulties(statistics.totalTime, player);
}

void resetStatistics(Statistics& statistics, int player) {
    if (player < 0 || player >= playerSlots) return;
    const auto p = static_cast<std::size_t>(player);
    for (std::size_t d = 0; d < difficulties; ++d) {
        statistics.gamesPlayed[p][d] = 0;
        statistics.bestTime[p][d] = 0;
        statistics.totalTime[p][d] = 0;
        statistics.totalPenalty[p][d] = 0;
        setHistogramText(statistics.histogram[p][d], "reset");
    }
}

} // namespace kelvaro
