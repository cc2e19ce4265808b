#include "engine/checker.h"
#include "engine/generator.h"
#include "engine/solver.h"
#include "engine/unique_puzzle.h"
#include "game/unique_puzzles.h"
#include "play_script.h"
#include "store/settings_store.h"

#include <string>
#include <vector>

namespace kelvaro {
namespace {

// The engine's puzzle for a number, from a fresh source: what the tool prints for it.
Board numberedBoard(PuzzleNumber number) {
    Board board;
    Mt19937Source fresh(number.seed);
    generateNumberedPuzzle(board, fresh, number);
    return board;
}

// A seed whose first unique puzzle of this size lies beyond the candidate `beyond`.
std::uint32_t seedNeedingMoreThan(std::int16_t size, std::int32_t beyond) {
    for (std::uint32_t seed = 1;; ++seed) {
        Board board;
        board.boardSize = size;
        Mt19937Source fresh(seed);
        UniqueSearch search;
        generateUniquePuzzle(board, fresh, search);
        if (search.candidates > beyond) return seed;
    }
}

bool emptyLayer(const Layer& layer) {
    for (const std::int8_t cell : layer)
        if (cell != 0) return false;
    return true;
}

class UniquePuzzlesTest : public PlayScript {
  protected:
    void turnOn(std::int32_t difficulty) {
        world.settings.difficulty = difficulty;
        saveSettings(world.settings, world.statistics, registry);
        toggleUniquePuzzles(world);
        ASSERT_EQ(world.settings.unique, 1);
    }

    // What the event loop does once the worker has posted.
    void deliverPuzzle() {
        waitForPreparation(world.preparation);
        EXPECT_GE(window.puzzleReadyPosts.load(), 1);
        puzzleReady(world);
        ASSERT_FALSE(preparingPuzzle(world));
    }

    void expectBoardOf(PuzzleNumber number) {
        const Board expected = numberedBoard(number);
        EXPECT_EQ(board.boardSize, number.size);
        EXPECT_EQ(board.solution, expected.solution);
        EXPECT_EQ(board.grid, expected.grid);
    }
};

TEST_F(UniquePuzzlesTest, TheOptionIsSavedAtOnceAndTheNextNewGameFollowsIt) {
    newGame(world);
    const Board plain = board;
    toggleUniquePuzzles(world);
    EXPECT_EQ(world.settings.unique, 1);
    const RegValue* stored = registry.findValue(settingsKeyPath, "unique");
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->data, (std::vector<std::uint8_t>{1, 0, 0, 0}));
    EXPECT_EQ(board.solution, plain.solution); // the game on the board stays
    EXPECT_FALSE(preparingPuzzle(world));

    toggleUniquePuzzles(world);
    EXPECT_EQ(world.settings.unique, 0);
    EXPECT_EQ(registry.findValue(settingsKeyPath, "unique")->data,
              (std::vector<std::uint8_t>{0, 0, 0, 0}));
    newGame(world);
    EXPECT_FALSE(preparingPuzzle(world));
    EXPECT_FALSE(world.puzzle.unique);
    expectBoardOf(world.puzzle);
}

// The splash draws from the game's source while the puzzle is made; neither changes the other.
TEST_F(UniquePuzzlesTest, EachNewGameIsTheUniquePuzzleOfItsNumberWhateverTheSplashDraws) {
    for (const std::int32_t difficulty : {0, 1, 2}) {
        SCOPED_TRACE(difficulty);
        turnOn(difficulty);
        Mt19937Source untouched = static_cast<Mt19937Source&>(world.random);
        newGame(world);
        const PuzzleNumber number = world.puzzle;
        EXPECT_EQ(number.size, sideForDifficulty(difficulty));
        EXPECT_TRUE(number.unique);
        EXPECT_TRUE(preparingPuzzle(world));
        // Waiting: an empty board of the puzzle's size, in its place, and no generation error.
        EXPECT_EQ(board.boardSize, number.size);
        EXPECT_TRUE(emptyLayer(board.solution));
        EXPECT_TRUE(emptyLayer(board.grid));
        EXPECT_EQ(state.boardLeft, (240 - 20 * number.size) / 2);
        EXPECT_TRUE(window.messageBoxes.empty());
        EXPECT_EQ(world.random.draw(), untouched.draw()); // the game's source was not used
        for (int i = 0; i < 300; ++i) world.random.draw();

        const int repaints = window.repaintRequests;
        deliverPuzzle();
        expectBoardOf(number);
        EXPECT_EQ(countSolutions(board, uniqueStepBudget).solutions, oneSolution);
        EXPECT_EQ(world.puzzle, number);
        EXPECT_EQ(puzzleNumberText(world),
                  std::to_string(number.size) + "u-" + std::to_string(number.seed));
        EXPECT_EQ(state.repaintMode, repaintWhole);
        EXPECT_GT(window.repaintRequests, repaints);
        EXPECT_FALSE(world.practiceGame);
        toggleUniquePuzzles(world); // off again for the next difficulty
    }
}

TEST_F(UniquePuzzlesTest, AUniqueGameIsRecordedInItsDifficultysSlot) {
    turnOn(1);
    newGame(world);
    deliverPuzzle();
    play({Down(0, 0), Up(), Wait(4000)});
    finishGame(world); // Show solution, answered OK
    EXPECT_EQ(state.gamePhase, phaseFinished);
    EXPECT_EQ(world.statistics.gamesPlayed[0][1], 1);
    EXPECT_EQ(world.statistics.totalTime[0][1], 4000);
    Settings stored;
    Statistics storedStatistics;
    loadSettings(stored, storedStatistics, registry);
    EXPECT_EQ(storedStatistics.gamesPlayed[0][1], 1);
    EXPECT_EQ(stored.unique, 1);
}

// While the board waits for its puzzle, the board and the commands that act on a game in
// progress do nothing at all.
TEST_F(UniquePuzzlesTest, WhileThePuzzleIsPreparedTheBoardAndTheGameCommandsDoNothing) {
    turnOn(2);
    newGame(world);
    window.messageBoxes.clear();
    const int timerStarts = window.timerStarts;
    const std::vector<std::pair<const char*, std::function<void()>>> actions{
        {"stroke",
         [&] {
             play({Down(0, 0), Move(1, 0), Move(1, 1), Up()});
         }},
        {"double tap",
         [&] {
             play({Down(2, 2), Up(), DoubleTap(2, 2), Up()});
         }},
        {"keys",
         [&] {
             keyboardArrow(world, dirRight);
             keyboardSpace(world);
             keyboardArrow(world, dirDown);
             keyboardSpace(world);
             keyboardErase(world);
         }},
        {"hint", [&] { askHint(world); }},
        {"show solution", [&] { finishGame(world); }},
        {"pause", [&] { pauseGame(world); }},
        {"undo and redo",
         [&] {
             play({Undo(), Redo()});
         }},
        {"restart", [&] { restartPuzzle(world); }},
        {"copy the number", [&] { copyPuzzleNumber(world); }},
    };
    for (const auto& [name, action] : actions) {
        SCOPED_TRACE(name);
        action();
        EXPECT_TRUE(preparingPuzzle(world));
        EXPECT_TRUE(emptyLayer(board.grid));
        EXPECT_TRUE(emptyLayer(board.traceMarks));
        EXPECT_EQ(state.gamePhase, phasePlaying);
        EXPECT_EQ(state.tapCount, 0);
        EXPECT_EQ(state.startTick, 0u);
        EXPECT_EQ(state.hintMode, 0);
        EXPECT_EQ(window.timerStarts, timerStarts);
        EXPECT_TRUE(window.messageBoxes.empty());
        EXPECT_TRUE(window.clipboard.empty());
        EXPECT_FALSE(keyboardCursorVisible(world));
    }
    // Once the puzzle is there, the same press plays.
    deliverPuzzle();
    play({Down(0, 0), Up()});
    EXPECT_EQ(state.tapCount, 1);
}

TEST_F(UniquePuzzlesTest, ATouchDuringTheSplashStillEndsItWhileThePuzzleIsPrepared) {
    turnOn(0);
    newGame(world);
    state.splashTick = window.now;
    play({Down(2, 2)});
    EXPECT_EQ(state.splashTick, 0u);
    EXPECT_EQ(state.tapCount, 0);
    EXPECT_TRUE(preparingPuzzle(world));
}

// The splash hides the board: a puzzle that arrives while it plays asks for no frame of its own,
// since a whole frame would present the whole buffer over the splash's pictures; the splash's
// end repaints the board whole.
TEST_F(UniquePuzzlesTest, APuzzleArrivingDuringTheSplashAsksForNoFrame) {
    turnOn(0);
    newGame(world);
    state.splashTick = window.now;
    state.repaintMode = repaintStroke;
    const int requests = window.repaintRequests;
    deliverPuzzle();
    EXPECT_FALSE(preparingPuzzle(world));
    EXPECT_EQ(window.repaintRequests, requests);
    EXPECT_EQ(state.repaintMode, repaintStroke);
    EXPECT_NE(board.solution, Layer{});

    // Without the splash, the arriving puzzle is painted whole at once.
    state.splashTick = 0;
    newGame(world);
    state.repaintMode = repaintStroke;
    const int before = window.repaintRequests;
    deliverPuzzle();
    EXPECT_EQ(window.repaintRequests, before + 1);
    EXPECT_EQ(state.repaintMode, repaintWhole);
}

// Each of these gives up the puzzle being prepared: the worker is stopped and joined, and its
// puzzle, should it still be posted, never reaches the board.
TEST_F(UniquePuzzlesTest, NewGameLearnRulesOptionsAndClosingCancelThePreparation) {
    enum Command { newGameCommand, learnRulesCommand, optionsCommand, closeCommand };
    for (const Command command :
         {newGameCommand, learnRulesCommand, optionsCommand, closeCommand}) {
        SCOPED_TRACE(command);
        turnOn(2);
        newGame(world);
        ASSERT_TRUE(preparingPuzzle(world));
        const PuzzleNumber first = world.puzzle;
        bool preparingInDialog = true;
        window.insideOptionsDialog = [&] { preparingInDialog = preparingPuzzle(world); };
        window.insideRulesDialog = [&] { preparingInDialog = preparingPuzzle(world); };
        switch (command) {
        case newGameCommand:
            newGame(world);
            break;
        case learnRulesCommand:
            learnRules(world);
            break;
        case optionsCommand:
            showOptions(world);
            break;
        case closeCommand:
            EXPECT_TRUE(closeRequest(world));
            break;
        }
        EXPECT_TRUE(window.messageBoxes.empty());
        if (command == learnRulesCommand || command == optionsCommand) {
            EXPECT_FALSE(preparingInDialog);
        }
        if (command == newGameCommand || command == optionsCommand) {
            // A new puzzle of a new seed is on its way instead.
            EXPECT_TRUE(preparingPuzzle(world));
            EXPECT_NE(world.puzzle.seed, first.seed);
            deliverPuzzle();
            expectBoardOf(world.puzzle);
        } else {
            EXPECT_FALSE(preparingPuzzle(world));
            EXPECT_FALSE(world.preparation.worker.joinable());
            const Board before = board;
            puzzleReady(world); // a post the cancelled worker may have left behind
            EXPECT_EQ(board.solution, before.solution);
            EXPECT_EQ(board.boardSize, command == learnRulesCommand ? 5 : 12);
        }
        toggleUniquePuzzles(world);
    }
}

TEST_F(UniquePuzzlesTest, PastTheCandidateCapTheGameStartsOnThePlainPuzzleOfTheSeed) {
    const std::uint32_t seed = seedNeedingMoreThan(12, 3);
    world.preparation.candidateCap = 3;
    startPuzzleByNumber(world, {12, seed, uniqueAnyLevel});
    ASSERT_TRUE(preparingPuzzle(world));
    deliverPuzzle();
    EXPECT_EQ(world.puzzle, (PuzzleNumber{12, seed, uniqueOff}));
    expectBoardOf(world.puzzle);
    EXPECT_TRUE(window.messageBoxes.empty());
    copyPuzzleNumber(world);
    EXPECT_EQ(window.clipboard, "12-" + std::to_string(seed));
    // Restarted, it is that plain puzzle again.
    restartPuzzle(world);
    EXPECT_FALSE(preparingPuzzle(world));
    expectBoardOf({12, seed, uniqueOff});
}

TEST_F(UniquePuzzlesTest, RestartAndReplayByNumberKeepTheUniquePuzzleWithoutASecondSearch) {
    turnOn(1);
    newGame(world);
    deliverPuzzle();
    const PuzzleNumber number = world.puzzle;
    const Board fresh = board;
    play({Down(0, 0), Up()});

    restartPuzzle(world);
    EXPECT_FALSE(preparingPuzzle(world));
    EXPECT_EQ(world.puzzle, number);
    EXPECT_EQ(board.solution, fresh.solution);
    EXPECT_EQ(board.grid, fresh.grid);
    EXPECT_EQ(state.tapCount, 0);
    EXPECT_TRUE(world.practiceGame);

    // Typed, with the option off, a u number is still that puzzle, and practice.
    toggleUniquePuzzles(world);
    window.typedTexts.push_back(" " + puzzleNumberText(world) + " ");
    playPuzzleByNumber(world);
    EXPECT_FALSE(preparingPuzzle(world));
    EXPECT_EQ(world.puzzle, number);
    EXPECT_EQ(board.solution, fresh.solution);
    EXPECT_TRUE(world.practiceGame);

    // Another u number is prepared like a new game, at its own size.
    window.typedTexts.push_back("12u-77");
    playPuzzleByNumber(world);
    EXPECT_TRUE(preparingPuzzle(world));
    deliverPuzzle();
    EXPECT_EQ(world.puzzle, (PuzzleNumber{12, 77, uniqueAnyLevel}));
    expectBoardOf({12, 77, uniqueAnyLevel});
    EXPECT_EQ(world.settings.difficulty, 1);
    EXPECT_TRUE(world.practiceGame);
}

TEST_F(UniquePuzzlesTest, TheNoteShowsOnlyAfterATenthOfASecond) {
    EXPECT_FALSE(preparingNoteShown(world, window.now));
    EXPECT_EQ(preparingNoteDueIn(world, window.now), 0u);
    turnOn(2);
    newGame(world);
    const std::uint32_t start = window.now;
    EXPECT_FALSE(preparingNoteShown(world, start));
    EXPECT_EQ(preparingNoteDueIn(world, start), 101u);
    EXPECT_FALSE(preparingNoteShown(world, start + 100));
    EXPECT_EQ(preparingNoteDueIn(world, start + 100), 1u);
    EXPECT_TRUE(preparingNoteShown(world, start + 101));
    EXPECT_EQ(preparingNoteDueIn(world, start + 101), 0u);
    deliverPuzzle();
    EXPECT_FALSE(preparingNoteShown(world, start + 500));
    EXPECT_EQ(preparingText(0), "Preparing a puzzle with one solution...");
    EXPECT_EQ(preparingText(1), "Préparation d'une grille à solution unique...");
}

} // namespace
} // namespace kelvaro
