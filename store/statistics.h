// Figures derived from the records, and the arithmetic that keeps the records sound.
#pragma once

#include "store/settings.h"

#include <cstdint>

namespace kelvaro {

// Milliseconds charged for each penalty cell.
constexpr std::int32_t penaltyCellTime = 15'000;

// a + b, held to the 32-bit range: a stored sum stops at 2^31 - 1 instead of turning negative.
std::int32_t saturatingAdd(std::int32_t a, std::int64_t b);

// Mean final time with penalties in milliseconds, 0 without games. Summed in 64 bits, so
// many long games or many penalty cells cannot overflow; held to 0..2^31 - 1.
std::int32_t averageTime(const Statistics& statistics, int player, int difficulty);
// The same mean in whole seconds, as the chart places it.
std::int32_t averageSeconds(const Statistics& statistics, int player, int difficulty);

// Games and clock time (penalties not included) of a player over the three difficulties.
std::int32_t playerGames(const Statistics& statistics, int player);
std::int32_t playerTime(const Statistics& statistics, int player);

// Clears one player's records on every difficulty; each histogram becomes "reset".
// The other player's records stay. A player outside 0..1 changes nothing.
void resetStatistics(Statistics& statistics, int player);

} // namespace kelvaro
