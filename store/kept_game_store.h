// Where the unfinished game is kept between runs: one small text file, or, for tests, memory.
#pragma once

#include "store/registry.h"

#include <string>
#include <string_view>

namespace kelvaro {

enum class KeptFileState {
    missing,    // no game is kept
    present,    // its text was read
    unreadable, // a file is there but could not be read (no permission, far too large)
    notAFile,   // a folder, a pipe or a device stands in its place; never opened
};

struct KeptRead {
    KeptFileState state = KeptFileState::missing;
    std::string text;
    std::string reason; // why it could not be read, in the system's words
};

class KeptGameStore {
  public:
    virtual ~KeptGameStore() = default;
    virtual KeptRead read() = 0;
    // Replaces the kept text whole; a failed write leaves the old one as it was. The report's
    // location is where the game is kept.
    virtual SaveReport write(std::string_view text) = 0;
    // The same, but it may happen a moment later, away from the caller's thread, so that a
    // step of the player's never waits for the disk; a newer text replaces one still waiting.
    // Every other call first lets a write under way end, so nothing lands out of order: a
    // read makes a waiting write first, the others drop it. A failure comes back from the
    // next call of either write.
    virtual SaveReport writeSoon(std::string text) { return write(text); }
    // Forgets the kept game; nothing when none is kept, or when something other than a file
    // stands in its place.
    virtual void remove() = 0;
    // Moves the kept file whole to a name beside it that says it is damaged; the report tells
    // where (setAside) or why that failed.
    virtual SaveReport setAside() = 0;
    // Where the game is kept, as the player would look for it.
    virtual std::string location() const = 0;
};

} // namespace kelvaro
