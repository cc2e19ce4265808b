// The player and difficulty whose records the dialog shows.
#pragma once

#include "store/settings.h"

#include <algorithm>

namespace kelvaro {

struct CurrentSlot {
    int player;
    int difficulty;
};

// The settings keep both in range; clamping here only keeps a stray value from indexing
// past the records.
inline CurrentSlot currentSlot(const Settings& settings) {
    return CurrentSlot{std::clamp<int>(settings.player, 0, playerSlots - 1),
                       std::clamp<int>(settings.difficulty, 0, difficulties - 1)};
}

} // namespace kelvaro
