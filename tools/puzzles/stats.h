// The stats command: how often puzzles of a size have one solution, and what finding unique
// ones costs.
#pragma once

#include "options.h"

#include <cstdint>
#include <iosfwd>

namespace kelvaro::puzzles {

// Makes options.count puzzles (or unique puzzles with options.unique) of options.size from
// `seed` and writes the table to `out`.
void printStats(const Options& options, std::uint32_t seed, std::ostream& out);

} // namespace kelvaro::puzzles
