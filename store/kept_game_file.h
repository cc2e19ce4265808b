// The unfinished game kept as one file in the user's state folder.
#pragma once

#include "store/kept_game_store.h"

#include <condition_variable>
#include <cstddef>
#include <filesystem>
#include <mutex>
#include <optional>
#include <thread>

namespace kelvaro {

// $XDG_STATE_HOME/kelvaro/kept-game.json, or ~/.local/state/kelvaro/kept-game.json when that
// variable is unset, empty or not an absolute path. Empty when no home folder is known either.
std::filesystem::path keptGameFilePath();

// Written the way the settings file is: a temporary file beside it, flushed to disk and renamed
// over it, under a lock on its folder, so it is never half-written and two running copies never
// mix their writes. Only a regular file (or a link to one) is ever opened or replaced. Writes
// asked for with writeSoon go to the disk on a thread of the file's own.
class KeptGameFile final : public KeptGameStore {
  public:
    explicit KeptGameFile(std::filesystem::path file = keptGameFilePath());
    // A write still waiting is made before the file goes.
    ~KeptGameFile() override;
    KeptGameFile(const KeptGameFile&) = delete;
    KeptGameFile& operator=(const KeptGameFile&) = delete;

    KeptRead read() override;
    SaveReport write(std::string_view text) override;
    SaveReport writeSoon(std::string text) override;
    void remove() override;
    SaveReport setAside() override;
    std::string location() const override { return file_.string(); }

    // A hard game with a thousand steps keeps in about 60 kilobytes; anything far larger is
    // not one of ours.
    static constexpr std::size_t maxFileBytes = 16 * 1024 * 1024;

  private:
    SaveReport writeNow(std::string_view text);
    // Drops a write still waiting; the caller then takes ioMutex_, after any write under way.
    void dropWaiting();
    void writeLoop();

    std::filesystem::path file_;
    std::mutex ioMutex_; // held by whoever touches the file
    std::mutex stateMutex_;
    std::condition_variable wake_;
    std::optional<std::string> waiting_;
    SaveReport lastFailure_{}; // of a write made on the thread; saved when none failed
    bool stopping_ = false;
    std::thread writer_;
};

} // namespace kelvaro
