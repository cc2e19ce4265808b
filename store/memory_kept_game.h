// The kept game held in memory: the game's test double, with every outcome of the file at hand.
#pragma once

#include "store/kept_game_store.h"

#include <optional>
#include <string>

namespace kelvaro {

class MemoryKeptGame final : public KeptGameStore {
  public:
    KeptRead read() override;
    SaveReport write(std::string_view text) override;
    void remove() override;
    SaveReport setAside() override;
    std::string location() const override { return "memory/kept-game.json"; }

    // What is kept; nothing when none is.
    std::optional<std::string> text;
    // A text moved aside as damaged, last first.
    std::optional<std::string> setAsideText;
    // Set by tests: the state a read reports instead of the text (notAFile, unreadable), and
    // whether writes fail.
    std::optional<KeptFileState> readState;
    bool writesFail = false;
    int writes = 0;
    int removals = 0;
};

} // namespace kelvaro
