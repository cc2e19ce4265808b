// Start-up values, loading and saving of the settings and records.
#pragma once

#include "store/registry.h"
#include "store/settings.h"

#include <cstdint>
#include <string_view>

namespace kelvaro {

// Below the current user's root.
constexpr std::string_view settingsKeyPath = "Software\\Dravix\\Kelvaro";
constexpr std::string_view settingsKeyClass = "parameters";

// Start-up values, then whatever the registry holds, with difficulty clamped to 0..2.
void initSettings(Settings& settings, Statistics& statistics, Registry& registry);

// 0 when the key was opened, -1 when it was not (nothing changed then). A value that is
// missing, too large or unusable keeps its field as it was: language and player only take
// 0 or 1, difficulty is clamped to 0..2, the four counters must not be negative, and a
// histogram must end with its zero byte within the 500 bytes. The exceptions are the options
// newer than the others: a key without `unique`, or with anything but 0 to 3 in it, and a key
// without `keepgame` or `clearcolours`, or with anything but 1 in it, read as 0.
std::int32_t loadSettings(Settings& settings, Statistics& statistics, Registry& registry);

// Writes every value in a fixed order: the 36 of the first version, then the newer options in
// the order they came (`unique`, `keepgame`, `clearcolours`), and tells how the save ended; the
// store itself says nothing to the player.
SaveReport saveSettings(const Settings& settings, const Statistics& statistics, Registry& registry);

} // namespace kelvaro
