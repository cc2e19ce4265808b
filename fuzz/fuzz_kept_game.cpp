// Any bytes as the kept game's file: reading never fails; a text that reads is written back
// the same; a kept game put on the board is exactly the one taken off it again, and one that
// does not fit its puzzle leaves the game as it was.
#include "engine/random_source.h"
#include "game/game.h"
#include "game/kept_game_board.h"
#include "store/kept_game.h"
#include "store/memory_registry.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

using namespace kelvaro;

// A window that is never shown: a fixed clock, and OK to every question.
class StillWindow final : public WindowServices {
  public:
    std::uint32_t tickCount() override { return 1'000'000'000; }
    void requestRepaint() override {}
    void invalidateRect(const Rect&, bool) override {}
    void updateNow() override {}
    std::uint32_t startTimer(int id, int) override { return static_cast<std::uint32_t>(id); }
    void stopTimer(std::uint32_t) override {}
    int messageBox(std::string_view, std::string_view, MessageButtons) override { return answerOk; }
    void runRulesDialog() override {}
    void runOptionsDialog() override {}
    void localiseMenu() override {}
    bool askText(std::string_view, std::string_view, std::string&) override { return false; }
    void copyText(std::string_view) override {}
    void postPuzzleReady() override {}
};

void check(bool condition) {
    if (!condition) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    KeptGame kept;
    if (parseKeptGame(text, kept) != KeptGameParse::ok) return 0;
    KeptGame again;
    check(parseKeptGame(formatKeptGame(kept), again) == KeptGameParse::ok && again == kept);

    static MemoryRegistry registry;
    static StillWindow window;
    static Mt19937Source random(1);
    static GameWorld world(registry, window, random);
    setUpNumberedGame(world, PuzzleNumber{5, 1, false});
    const Board before = world.board;
    const GameState beforeState = world.state;
    if (!restoreKeptGame(world, kept)) {
        check(world.board.grid == before.grid && world.board.boardSize == before.boardSize);
        check(world.state.gamePhase == beforeState.gamePhase);
        return 0;
    }
    check(world.state.gamePhase == phasePaused);
    KeptGame taken = captureKeptGame(world);
    // The number may be written otherwise ("05-7" is "5-7"); the clock at tick 0 moves by one.
    taken.puzzle = kept.puzzle;
    if (static_cast<std::uint32_t>(kept.clockMs) == window.tickCount())
        taken.clockMs = kept.clockMs;
    check(taken == kept);
    return 0;
}
