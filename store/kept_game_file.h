// The unfinished game kept as one file in the user's state folder.
#pragma once

#include "store/kept_game_store.h"

#include <cstddef>
#include <filesystem>

namespace kelvaro {

// $XDG_STATE_HOME/kelvaro/kept-game.json, or ~/.local/state/kelvaro/kept-game.json when that
// variable is unset, empty or not an absolute path. Empty when no home folder is known either.
std::filesystem::path keptGameFilePath();

// Written the way the settings file is: a temporary file beside it, flushed to disk and renamed
// over it, under a lock on its folder, so it is never half-written and two running copies never
// mix their writes. Only a regular file (or a link to one) is ever opened or replaced.
class KeptGameFile final : public KeptGameStore {
  public:
    explicit KeptGameFile(std::filesystem::path file = keptGameFilePath());

    KeptRead read() override;
    SaveReport write(std::string_view text) override;
    void remove() override;
    SaveReport setAside() override;
    std::string location() const override { return file_.string(); }

    // A kept game of a thousand steps is a few hundred kilobytes; anything far larger is not
    // one of ours.
    static constexpr std::size_t maxFileBytes = 16 * 1024 * 1024;

  private:
    std::filesystem::path file_;
};

} // namespace kelvaro
