// The Clear colours option: saved at once, the whole frame repainted, the game untouched.
#include "game/view_options.h"
#include "game_fixture.h"
#include "store/settings_store.h"

#include <vector>

namespace kelvaro {
namespace {

class ClearColoursOption : public GameFixture {};

std::vector<std::uint8_t> storedOption(MemoryRegistry& registry) {
    const RegValue* stored = registry.findValue(settingsKeyPath, "clearcolours");
    return stored == nullptr ? std::vector<std::uint8_t>{} : stored->data;
}

TEST_F(ClearColoursOption, IsSavedAtOnceAndRepaintsTheWholeFrameInEveryPhase) {
    startPuzzle(smallPuzzle);
    stroke({{0, 0}, {1, 0}, {2, 0}});
    for (const std::int16_t phase : {phasePlaying, phasePaused, phaseFinished}) {
        SCOPED_TRACE(phase);
        state.gamePhase = phase;
        const Board before = board;
        const GameState stateBefore = state;
        const std::int32_t was = world.settings.clearColours;
        state.repaintMode = repaintStatus;
        window.repaintRequests = 0;

        toggleClearColours(world);
        EXPECT_EQ(world.settings.clearColours, was == 1 ? 0 : 1);
        EXPECT_EQ(storedOption(registry),
                  (std::vector<std::uint8_t>{static_cast<std::uint8_t>(1 - was), 0, 0, 0}));
        EXPECT_EQ(state.repaintMode, repaintWhole);
        EXPECT_EQ(window.repaintRequests, 1);
        // Nothing of the game changes: not the board, the clock or the phase.
        EXPECT_EQ(board.grid, before.grid);
        EXPECT_EQ(board.errors, before.errors);
        EXPECT_EQ(state.startTick, stateBefore.startTick);
        EXPECT_EQ(state.gamePhase, phase);
    }
}

TEST_F(ClearColoursOption, EndsTheSplashLikeAnyCommand) {
    startPuzzle(smallPuzzle);
    state.splashTick = 1234;
    toggleClearColours(world);
    EXPECT_EQ(state.splashTick, 0);
    EXPECT_EQ(world.settings.clearColours, 1);
}

} // namespace
} // namespace kelvaro
