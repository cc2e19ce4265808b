#include "game/example_board.h"
#include "game_fixture.h"
#include "store/settings_store.h"

#include <functional>
#include <string>

namespace kelvaro {
namespace {

const BoardRows exampleSolution = rowsFromText(exampleBoard);

using LearnRulesTest = GameFixture;

TEST_F(LearnRulesTest, PutsTheExampleWithItsLeftColumnToRedraw) {
    newGame(world);
    state.hintMode = 1;
    state.penaltyCells = 3;
    bool savedBeforeTheRules = false;
    window.insideRulesDialog = [&] {
        savedBeforeTheRules = registry.findKey(settingsKeyPath) != nullptr;
    };
    learnRules(world);

    EXPECT_EQ(window.rulesDialogRuns, 1);
    EXPECT_TRUE(savedBeforeTheRules);
    EXPECT_EQ(state.exampleMode, 1);
    EXPECT_EQ(board.boardSize, 5);
    EXPECT_EQ(state.boardLeft, 70);
    EXPECT_EQ(state.boardTop, 100);
    EXPECT_EQ(state.hintMode, 0);
    EXPECT_EQ(state.penaltyCells, 0);
    EXPECT_EQ(state.solveState, -1);
    EXPECT_EQ(state.curX, -1);
    EXPECT_EQ(state.repaintMode, repaintWhole);
    EXPECT_EQ(layerRows(board, board.solution), exampleSolution);
    EXPECT_EQ(gridRows(), (BoardRows{".12F7", ".FJ||", ".|3J|", ".L-2|", ".13-J"}));
    // The three lines have 5, 5 and 9 segment cells.
    EXPECT_EQ(board.solutionLength[cellIndex(1, 0)], 5);
    EXPECT_EQ(board.solutionLength[cellIndex(2, 0)], 5);
    EXPECT_EQ(board.solutionLength[cellIndex(2, 2)], 9);
    EXPECT_EQ(checkGrid(board, solutionLayer), 0);
    for (int i = 0; i < layerCells; ++i) ASSERT_EQ(board.revealed[i], 0);
}

TEST_F(LearnRulesTest, TheExampleSolvedWithItsOwnLinesIsPerfectAndRecordsNothing) {
    newGame(world);
    learnRules(world);
    const Statistics before = world.statistics;
    const std::vector<MemoryKey> storedBefore = registry.keys;

    down(1, 0);
    window.advance(4000);
    for (int y = 0; y < 5; ++y) move(0, y);
    move(1, 4);

    EXPECT_EQ(state.gamePhase, phaseFinished);
    EXPECT_EQ(state.solveState, 0);
    EXPECT_EQ(state.finalTime, 4000);
    EXPECT_TRUE(window.messageBoxes.empty());
    EXPECT_EQ(world.statistics.gamesPlayed, before.gamesPlayed);
    EXPECT_EQ(world.statistics.totalTime, before.totalTime);
    EXPECT_EQ(world.statistics.totalPenalty, before.totalPenalty);
    EXPECT_EQ(world.statistics.bestTime, before.bestTime);
    EXPECT_EQ(world.statistics.histogram, before.histogram);
    ASSERT_EQ(registry.keys.size(), storedBefore.size());
    for (std::size_t k = 0; k < storedBefore.size(); ++k) {
        ASSERT_EQ(registry.keys[k].values.size(), storedBefore[k].values.size());
        for (std::size_t v = 0; v < storedBefore[k].values.size(); ++v)
            EXPECT_EQ(registry.keys[k].values[v].data, storedBefore[k].values[v].data);
    }
}

TEST_F(LearnRulesTest, DeclinedDuringARunningGameKeepsTheGame) {
    startPuzzle(smallPuzzle);
    startClock();
    window.answerNext(answerCancel);
    learnRules(world);
    EXPECT_EQ(window.rulesDialogRuns, 0);
    EXPECT_EQ(state.exampleMode, 0);
    EXPECT_EQ(layerRows(board, board.solution), smallPuzzle);
    EXPECT_TRUE(window.timerRunning);
}

enum class Before { notStarted, running, finished, paused };

struct OptionsCase {
    const char* name;
    Before before;
    int answer;
    std::int32_t language;
    std::int32_t chosenDifficulty; // what the player picks in the dialog
    bool asks;
    bool runsDialog;
    bool newGameOfSide; // 0: the board stays
    int side;
};

class OptionsTest : public GameFixture, public ::testing::WithParamInterface<OptionsCase> {};

TEST_P(OptionsTest, RunsTheDialogAndStartsANewGameOnlyWhenNeeded) {
    const OptionsCase c = GetParam();
    startPuzzle(smallPuzzle);
    world.settings.language = c.language;
    if (c.before != Before::notStarted) startClock();
    if (c.before == Before::paused) pauseGame(world);
    if (c.before == Before::finished) {
        window.advance(1000);
        finishGame(world);
    }
    window.messageBoxes.clear();
    const GameState stateBefore = state;
    window.insideOptionsDialog = [&] {
        EXPECT_FALSE(window.timerRunning);
        EXPECT_EQ(state.tapCount, 0);
        world.settings.difficulty = c.chosenDifficulty;
    };
    window.answerNext(c.answer);
    showOptions(world);

    if (c.asks) {
        ASSERT_EQ(window.messageBoxes.size(), 1u);
        EXPECT_EQ(window.messageBoxes[0].text,
                  c.language == 0 ? "This will abort the current game. Continue?"
                                  : "Cela va arrêter la partie en-cours. Continuer?");
        EXPECT_EQ(window.messageBoxes[0].caption, c.language == 0 ? "Warning" : "Attention");
    } else {
        EXPECT_TRUE(window.messageBoxes.empty());
    }
    EXPECT_EQ(window.optionsDialogRuns, c.runsDialog ? 1 : 0);
    EXPECT_EQ(window.menuLocalisations, c.runsDialog ? 1 : 0);
    EXPECT_EQ(registry.findKey(settingsKeyPath) != nullptr,
              c.runsDialog || c.before == Before::finished);
    if (!c.runsDialog) {
        EXPECT_EQ(state.tapCount, stateBefore.tapCount);
        EXPECT_EQ(state.gamePhase, stateBefore.gamePhase);
        EXPECT_EQ(layerRows(board, board.solution), smallPuzzle);
        return;
    }
    if (c.newGameOfSide) {
        EXPECT_EQ(board.boardSize, c.side);
        EXPECT_EQ(state.gamePhase, phasePlaying);
        EXPECT_EQ(state.solveState, -1);
        EXPECT_EQ(checkGrid(board, solutionLayer), 0);
        EXPECT_FALSE(window.timerRunning);
    } else {
        EXPECT_EQ(layerRows(board, board.solution), smallPuzzle);
        EXPECT_EQ(state.gamePhase, stateBefore.gamePhase);
        EXPECT_TRUE(window.timerRunning);
        EXPECT_EQ(window.timerPeriodMs, 100);
    }
    EXPECT_EQ(state.tapCount, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Situations, OptionsTest,
    ::testing::Values(
        OptionsCase{"pausedDoesNothing", Before::paused, 1, 0, 0, false, false, false, 5},
        OptionsCase{"notStartedSameDifficultyKeepsTheBoard", Before::notStarted, 1, 0, 0, false,
                    true, false, 5},
        OptionsCase{"finishedSameDifficultyKeepsTheBoard", Before::finished, 1, 0, 0, false, true,
                    false, 5},
        OptionsCase{"changedDifficultyStartsANewGameUnasked", Before::notStarted, 1, 0, 1, false,
                    true, true, 8},
        OptionsCase{"runningDeclined", Before::running, 2, 0, 0, true, false, false, 5},
        OptionsCase{"runningDeclinedInFrench", Before::running, 2, 1, 0, true, false, false, 5},
        OptionsCase{"runningConfirmedAlwaysStartsANewGame", Before::running, 1, 0, 0, true, true,
                    true, 5},
        OptionsCase{"runningConfirmedWithANewDifficulty", Before::running, 1, 1, 2, true, true,
                    true, 12}),
    [](const auto& param) { return std::string(param.param.name); });

} // namespace
} // namespace kelvaro
