#include "store/memory_kept_game.h"

namespace kelvaro {

KeptRead MemoryKeptGame::read() {
    KeptRead kept;
    if (readState) {
        kept.state = *readState;
        kept.reason = "Is a directory";
        if (kept.state == KeptFileState::present) kept.text = text.value_or("");
        return kept;
    }
    if (!text) return kept;
    kept.state = KeptFileState::present;
    kept.text = *text;
    return kept;
}

SaveReport MemoryKeptGame::write(std::string_view written) {
    ++writes;
    if (writesFail) return SaveReport{false, "No space left on device", location(), {}};
    text = std::string(written);
    return SaveReport{true, {}, location(), {}};
}

void MemoryKeptGame::remove() {
    if (readState == KeptFileState::notAFile) return;
    if (text) ++removals;
    text.reset();
}

SaveReport MemoryKeptGame::setAside() {
    setAsideText = text;
    text.reset();
    readState.reset();
    return SaveReport{true, {}, location(), location() + ".damaged"};
}

} // namespace kelvaro
