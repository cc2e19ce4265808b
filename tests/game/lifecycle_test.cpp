#include "game_fixture.h"
#include "store/settings_store.h"

#include <functional>
#include <string>

namespace kelvaro {
namespace {

using LifecycleTest = GameFixture;

TEST_F(LifecycleTest, NewGameBeforeTheFirstTapAsksNothingAndGeneratesAPuzzle) {
    newGame(world);
    EXPECT_TRUE(window.messageBoxes.empty());
    EXPECT_EQ(board.boardSize, 5);
    EXPECT_EQ(checkGrid(board, solutionLayer), 0);
    EXPECT_EQ(state.gamePhase, phasePlaying);
    EXPECT_EQ(state.solveState, -1);
    EXPECT_EQ(state.repaintMode, repaintWhole);
    EXPECT_EQ(state.boardLeft, 70);
    EXPECT_EQ(state.boardTop, 100);
    EXPECT_GT(window.repaintRequests, 0);
    for (int i = 0; i < layerCells; ++i)
        ASSERT_EQ(board.grid[i], board.solution[i] > 0 ? board.solution[i] : 0) << i;
}

// What the stored difficulty and player become at a new game, whatever was put in the store.
struct SlotCase {
    std::int32_t storedSize;
    std::int32_t storedPlayer;
    std::int32_t difficulty;
    std::int16_t player;
    int side;
};

class NewGameSlotTest : public GameFixture, public ::testing::WithParamInterface<SlotCase> {};

TEST_P(NewGameSlotTest, StoredValuesAreBroughtIntoRange) {
    const SlotCase c = GetParam();
    world.settings.difficulty = c.storedSize;
    world.settings.player = static_cast<std::int16_t>(c.storedPlayer);
    saveSettings(world.settings, world.statistics, registry);
    newGame(world);
    EXPECT_EQ(world.settings.difficulty, c.difficulty);
    EXPECT_EQ(world.settings.player, c.player);
    EXPECT_EQ(board.boardSize, c.side);
    EXPECT_EQ(state.boardLeft, (240 - 20 * c.side) / 2);
}

INSTANTIATE_TEST_SUITE_P(Slots, NewGameSlotTest,
                         ::testing::Values(SlotCase{0, 0, 0, 0, 5}, SlotCase{1, 1, 1, 1, 8},
                                           SlotCase{2, 0, 2, 0, 12}, SlotCase{7, 5, 2, 1, 12},
                                           SlotCase{-1, -3, 0, 0, 5},
                                           SlotCase{1000000, 32767, 2, 1, 12}));

// The commands that abandon a game, each reporting whether it went ahead.
struct AbandonCommand {
    const char* name;
    std::function<bool(GameWorld&)> run;
};

// A marker that every set-up of a new board clears.
constexpr std::int32_t markerPenalty = 7;

const AbandonCommand abandonCommands[] = {
    {"newGame",
     [](GameWorld& w) {
         newGame(w);
         return w.state.penaltyCells != markerPenalty;
     }},
    {"learnRules",
     [](GameWorld& w) {
         learnRules(w);
         return w.state.exampleMode == 1;
     }},
    {"closeRequest", [](GameWorld& w) { return closeRequest(w); }},
};

enum class Situation { notStarted, running, paused, finished };

struct AbandonCase {
    Situation situation;
    std::int32_t language;
    int answer;
    bool asks;
    bool goesAhead;
};

class AbandonTest : public GameFixture,
                    public ::testing::WithParamInterface<std::tuple<AbandonCommand, AbandonCase>> {
};

TEST_P(AbandonTest, AsksOnlyWhileTheClockRunsAndActsOnlyOnOk) {
    const auto& [command, c] = GetParam();
    startPuzzle(smallPuzzle);
    world.settings.language = c.language;
    if (c.situation != Situation::notStarted) startClock();
    if (c.situation == Situation::paused) pauseGame(world);
    if (c.situation == Situation::finished) finishGame(world);
    state.penaltyCells = markerPenalty;
    const std::int32_t tapsBefore = state.tapCount;
    const std::int32_t phaseBefore = state.gamePhase;
    const bool timerBefore = window.timerRunning;
    window.messageBoxes.clear();
    window.answerNext(c.answer);

    const bool wentAhead = command.run(world);

    EXPECT_EQ(wentAhead, c.goesAhead);
    if (c.asks) {
        const MessageBoxCall expected =
            c.language == 0 ? MessageBoxCall{"This will abort the current game. Continue?",
                                             "Warning", buttonsOkCancel}
                            : MessageBoxCall{"Cela va arrêter la partie en-cours. Continuer? ",
                                             "Attention", buttonsOkCancel};
        ASSERT_EQ(window.messageBoxes.size(), 1u);
        EXPECT_EQ(window.messageBoxes[0], expected);
    } else {
        EXPECT_TRUE(window.messageBoxes.empty());
    }
    if (c.goesAhead) {
        EXPECT_EQ(state.tapCount, 0);
        EXPECT_FALSE(window.timerRunning);
    } else {
        // The game is untouched, its clock still running if it ran.
        EXPECT_EQ(state.tapCount, tapsBefore);
        EXPECT_EQ(state.gamePhase, phaseBefore);
        EXPECT_EQ(window.timerRunning, timerBefore);
        EXPECT_EQ(state.penaltyCells, markerPenalty);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, AbandonTest,
    ::testing::Combine(::testing::ValuesIn(abandonCommands),
                       ::testing::Values(AbandonCase{Situation::notStarted, 0, 1, false, true},
                                         AbandonCase{Situation::running, 0, 1, true, true},
                                         AbandonCase{Situation::running, 0, 2, true, false},
                                         AbandonCase{Situation::running, 1, 2, true, false},
                                         AbandonCase{Situation::running, 1, 1, true, true},
                                         AbandonCase{Situation::paused, 0, 1, false, false},
                                         AbandonCase{Situation::finished, 0, 1, false, true})),
    [](const auto& param) {
        return std::string(std::get<0>(param.param).name) + "_" + std::to_string(param.index);
    });

TEST_F(LifecycleTest, PausedConfirmationAnswers99AndChangesNothing) {
    startPuzzle(smallPuzzle);
    startClock();
    pauseGame(world);
    const int repaintsBefore = window.repaintRequests;
    EXPECT_EQ(confirmAbandon(world), 99);
    EXPECT_EQ(state.gamePhase, phasePaused);
    EXPECT_EQ(state.tapCount, 1);
    EXPECT_EQ(window.repaintRequests, repaintsBefore);
}

TEST_F(LifecycleTest, TheClockKeepsTickingWhileTheConfirmationIsOpen) {
    startPuzzle(smallPuzzle);
    startClock();
    int ticksUnderBox = 0;
    window.whileMessageBoxOpen = [&](const MessageBoxCall&) {
        EXPECT_TRUE(window.timerRunning);
        window.advance(100);
        onTimer(world);
        EXPECT_EQ(state.repaintMode, repaintStatus);
        ++ticksUnderBox;
    };
    window.answerNext(answerCancel);
    const int updatesBefore = window.immediateUpdates;
    newGame(world);
    EXPECT_EQ(ticksUnderBox, 1);
    EXPECT_EQ(window.immediateUpdates, updatesBefore + 1);
    EXPECT_EQ(state.repaintMode, repaintWhole);
    EXPECT_TRUE(window.timerRunning);
    EXPECT_EQ(window.timerPeriodMs, 100);
}

TEST_F(LifecycleTest, ClosingWhilePausedIsIgnoredAndAsksAfterResuming) {
    startPuzzle(smallPuzzle);
    startClock();
    pauseGame(world);
    EXPECT_FALSE(closeRequest(world));
    EXPECT_TRUE(window.messageBoxes.empty());
    tap(4, 4); // resumes
    window.answerNext(answerCancel);
    EXPECT_FALSE(closeRequest(world));
    EXPECT_EQ(window.messageBoxes.size(), 1u);
    EXPECT_TRUE(closeRequest(world));
}

TEST_F(LifecycleTest, AnyCommandButPauseEndsTheSplash) {
    const std::function<void(GameWorld&)> commands[] = {newGame, askHint, finishGame, learnRules,
                                                        showOptions};
    for (const auto& command : commands) {
        state.splashTick = window.now;
        startWindowTimer(world, 60);
        pauseGame(world);
        EXPECT_NE(state.splashTick, 0u);
        EXPECT_TRUE(window.timerRunning);
        command(world);
        EXPECT_EQ(state.splashTick, 0u);
    }
    state.splashTick = window.now;
    EXPECT_TRUE(closeRequest(world));
    EXPECT_EQ(state.splashTick, 0u);
}

TEST_F(LifecycleTest, EndSplashStopsTheTimerOnlyWhenTheSplashShows) {
    startWindowTimer(world, 100);
    endSplash(world);
    EXPECT_TRUE(window.timerRunning);
    state.splashTick = 5;
    endSplash(world);
    EXPECT_FALSE(window.timerRunning);
    EXPECT_EQ(state.splashTick, 0u);
}

} // namespace
} // namespace kelvaro
