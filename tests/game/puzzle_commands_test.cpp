#include "engine/generator.h"
#include "game/puzzle_texts.h"
#include "play_script.h"
#include "store/settings_store.h"

#include <string>
#include <vector>

namespace kelvaro {
namespace {

using PuzzleCommandsTest = PlayScript;

const MessageBoxCall abandonQuestion{"This will abort the current game. Continue?", "Warning",
                                     buttonsOkCancel};

// The board the puzzle tool prints for this number: the first puzzle of a fresh source.
Board toolBoard(PuzzleNumber number) {
    Board board;
    board.boardSize = number.size;
    Mt19937Source fresh(number.seed);
    generatePuzzle(board, fresh);
    return board;
}

void expectPuzzle(const Board& board, PuzzleNumber number) {
    const Board expected = toolBoard(number);
    EXPECT_EQ(board.boardSize, number.size);
    EXPECT_EQ(board.solution, expected.solution);
    EXPECT_EQ(board.grid, expected.grid);
}

bool noRecords(const Statistics& s) {
    const Statistics none;
    return s.bestTime == none.bestTime && s.gamesPlayed == none.gamesPlayed &&
           s.totalTime == none.totalTime && s.totalPenalty == none.totalPenalty &&
           s.histogram == none.histogram;
}

TEST_F(PuzzleCommandsTest, EveryNewGameIsTheToolsPuzzleForItsNumber) {
    for (const std::int32_t difficulty : {0, 1, 2}) {
        SCOPED_TRACE(difficulty);
        world.settings.difficulty = difficulty;
        saveSettings(world.settings, world.statistics, registry);
        std::uint32_t lastSeed = 0;
        for (int game = 0; game < 2; ++game) {
            // The splash, or anything else, may draw from the shared source in between.
            for (int i = 0; i < 500; ++i) world.random.draw();
            newGame(world);
            EXPECT_EQ(world.puzzle.size, sideForDifficulty(difficulty));
            EXPECT_NE(world.puzzle.seed, lastSeed);
            lastSeed = world.puzzle.seed;
            expectPuzzle(board, world.puzzle);
            EXPECT_FALSE(world.practiceGame);
        }
    }
}

TEST_F(PuzzleCommandsTest, APuzzleByNumberIsReadBeforeAnythingElseAndPlayedAtItsOwnSize) {
    newGame(world);
    window.typedTexts.push_back(" 12-3141592653 ");
    playPuzzleByNumber(world);
    ASSERT_EQ(window.textQuestions.size(), 1u);
    EXPECT_EQ(window.textQuestions[0].prompt, "Puzzle number (for example 8-3141592653):");
    EXPECT_EQ(window.textQuestions[0].caption, "Play a puzzle by number");
    expectPuzzle(board, {12, 3141592653u});
    EXPECT_EQ(state.boardLeft, 0);
    EXPECT_EQ(state.boardTop, 30);
    EXPECT_EQ(world.settings.difficulty, 0); // the size holds for this game only
    EXPECT_TRUE(world.practiceGame);
    EXPECT_EQ(state.tapCount, 0);
    EXPECT_EQ(state.startTick, 0u);
    EXPECT_EQ(state.repaintMode, repaintWhole);

    // A seed alone takes the difficulty's size; the next new game is the difficulty's again.
    window.typedTexts.push_back("77");
    playPuzzleByNumber(world);
    expectPuzzle(board, {5, 77});
    newGame(world);
    EXPECT_EQ(board.boardSize, 5);
    EXPECT_FALSE(world.practiceGame);
}

TEST_F(PuzzleCommandsTest, ABadNumberIsExplainedAndChangesNothing) {
    newGame(world);
    play({Down(0, 0), Up()}); // the clock may or may not start: nothing may change either way
    const Board before = board;
    const GameState stateBefore = state;
    for (const char* typed : {"", "8-", "9-12", "12-4294967296", "8 - 1"}) {
        SCOPED_TRACE(typed);
        window.messageBoxes.clear();
        window.typedTexts.push_back(typed);
        playPuzzleByNumber(world);
        ASSERT_EQ(window.messageBoxes.size(), 1u);
        const MessageBoxCall& box = window.messageBoxes[0];
        EXPECT_EQ(box.text, "\"" + std::string(typed) + "\"" + std::string(badNumberText(0)));
        EXPECT_NE(box.text.find("5, 8 or 12"), std::string::npos);
        EXPECT_EQ(box.caption, "Puzzle number");
        EXPECT_EQ(box.buttons, buttonsOk);
        EXPECT_EQ(board.solution, before.solution);
        EXPECT_EQ(state.tapCount, stateBefore.tapCount);
        EXPECT_EQ(world.puzzle, (PuzzleNumber{5, world.puzzle.seed}));
    }
    // Cancelled: nothing asked further, nothing changed.
    window.messageBoxes.clear();
    window.typedTexts.push_back(std::nullopt);
    playPuzzleByNumber(world);
    EXPECT_TRUE(window.messageBoxes.empty());
    EXPECT_EQ(board.solution, before.solution);

    world.settings.language = 1;
    window.typedTexts.push_back("x");
    playPuzzleByNumber(world);
    EXPECT_EQ(window.messageBoxes.back().text, "« x »" + std::string(badNumberText(1)));
    EXPECT_EQ(window.messageBoxes.back().caption, "Numéro de grille");
}

TEST_F(PuzzleCommandsTest, WhileTheClockRunsBothAskFirstAndCancelKeepsTheGame) {
    const std::vector<std::pair<const char*, void (*)(GameWorld&)>> commands{
        {"restart", restartPuzzle}, {"by number", playPuzzleByNumber}};
    for (const auto& [name, command] : commands) {
        SCOPED_TRACE(name);
        startPuzzle(smallPuzzle);
        play({Down(0, 0), Move(1, 0), Move(2, 0), Up()});
        window.messageBoxes.clear();
        window.typedTexts.push_back("8-1");
        window.answerNext(answerCancel);
        command(world);
        ASSERT_EQ(window.messageBoxes.size(), 1u);
        EXPECT_EQ(window.messageBoxes[0], abandonQuestion);
        EXPECT_EQ(gridRows()[0], "1-..2");
        EXPECT_TRUE(window.timerRunning);
        EXPECT_GT(state.tapCount, 0);
        EXPECT_FALSE(world.practiceGame);
    }
}

TEST_F(PuzzleCommandsTest, RestartGivesTheSamePuzzleEmptyWithTheClockStopped) {
    world.settings.difficulty = 1;
    saveSettings(world.settings, world.statistics, registry);
    newGame(world);
    const PuzzleNumber number = world.puzzle;
    const Board fresh = board;
    startClock();
    play({Hint(), Down(3, 3), Up()});
    // Another difficulty chosen meanwhile does not change the puzzle restarted.
    world.settings.difficulty = 2;
    saveSettings(world.settings, world.statistics, registry);

    restartPuzzle(world);
    EXPECT_EQ(world.puzzle, number);
    EXPECT_EQ(board.boardSize, 8);
    EXPECT_EQ(board.solution, fresh.solution);
    EXPECT_EQ(board.grid, fresh.grid);
    for (std::int8_t r : board.revealed) ASSERT_EQ(r, 0);
    EXPECT_EQ(state.tapCount, 0);
    EXPECT_EQ(state.startTick, 0u);
    EXPECT_EQ(state.penaltyCells, 0);
    EXPECT_EQ(state.hintMode, 0);
    EXPECT_FALSE(window.timerRunning);
    EXPECT_TRUE(world.practiceGame);
}

TEST_F(PuzzleCommandsTest, NeitherActsWhilePausedNorRestartOnTheExample) {
    startPuzzle(smallPuzzle);
    startClock();
    pauseGame(world);
    window.typedTexts.push_back("8-1");
    window.messageBoxes.clear();
    restartPuzzle(world);
    playPuzzleByNumber(world);
    copyPuzzleNumber(world);
    printPuzzle(world);
    EXPECT_TRUE(window.textQuestions.empty());
    EXPECT_TRUE(window.messageBoxes.empty());
    EXPECT_TRUE(window.clipboard.empty());
    EXPECT_TRUE(window.printed.empty());
    EXPECT_EQ(state.gamePhase, phasePaused);

    play({Down(0, 0), Up()});
    learnRules(world);
    const Layer example = board.solution;
    restartPuzzle(world);
    copyPuzzleNumber(world);
    printPuzzle(world);
    EXPECT_EQ(board.solution, example);
    EXPECT_EQ(state.exampleMode, 1);
    EXPECT_TRUE(window.clipboard.empty());
    EXPECT_TRUE(window.printed.empty());
}

// Mid-game, the puzzle goes to the print dialog with its number, and the game goes on as it was.
TEST_F(PuzzleCommandsTest, PrintSendsThePuzzleOnTheBoardWithItsNumber) {
    window.typedTexts.push_back("12-77");
    playPuzzleByNumber(world);
    play({Down(0, 0), Move(1, 0), Up()});
    const Layer grid = board.grid;
    printPuzzle(world);
    EXPECT_EQ(window.printed, std::vector<std::string>{"12-77"});
    EXPECT_EQ(window.printedSolution, toolBoard({12, 77}).solution);
    EXPECT_EQ(board.grid, grid);
    EXPECT_EQ(state.gamePhase, phasePlaying);
}

TEST_F(PuzzleCommandsTest, CopyPutsTheNumberOnTheClipboard) {
    window.typedTexts.push_back("8-0003141592");
    playPuzzleByNumber(world);
    copyPuzzleNumber(world);
    EXPECT_EQ(window.clipboard, "8-3141592");
    EXPECT_EQ(puzzleNumberText(world), "8-3141592");
}

// Played like any game, finished like any game, but no record changes and nothing is saved.
TEST_F(PuzzleCommandsTest, PracticeGamesLeaveTheRecordsAndTheStoreUntouched) {
    enum { solved, shown };
    for (int ending : {solved, shown}) {
        SCOPED_TRACE(ending == solved ? "solved" : "shown");
        window.typedTexts.push_back("5-9");
        playPuzzleByNumber(world);
        ASSERT_TRUE(world.practiceGame);
        putPuzzle(board, smallPuzzle);
        if (ending == solved) setLayer(board.grid, {"1--72", "3-3|.", "4571|", "|5J2J", "L---4"});
        play({Down(0, 0), Up(), Wait(5000)}); // the clock starts
        if (ending == solved) {
            play({Down(4, 0), Move(4, 1), Move(4, 2), Up()}); // the last cell of line 2
        } else {
            finishGame(world);
        }
        EXPECT_EQ(state.gamePhase, phaseFinished);
        EXPECT_EQ(state.solveState, ending == solved ? 0 : 1);
        EXPECT_EQ(state.finalTime, 5000);
        EXPECT_EQ(state.penaltyCells, 0); // no charge for differing owners either
        EXPECT_TRUE(noRecords(world.statistics));
        EXPECT_EQ(registry.findKey(settingsKeyPath), nullptr);
    }
}

TEST_F(PuzzleCommandsTest, ThePlayerIsToldWhatPracticeIsOncePerRun) {
    const MessageBoxCall notice{std::string(practiceText(0)), "Practice", buttonsOk};
    newGame(world);
    restartPuzzle(world);
    ASSERT_EQ(window.messageBoxes.size(), 1u);
    EXPECT_EQ(window.messageBoxes[0], notice);
    window.typedTexts.push_back("8-5");
    playPuzzleByNumber(world);
    restartPuzzle(world);
    EXPECT_EQ(window.messageBoxes.size(), 1u);
}

TEST_F(PuzzleCommandsTest, APuzzleFromTheCommandLineIsPracticeToldAfterTheSplash) {
    world.settings.language = 1;
    saveSettings(world.settings, world.statistics, registry);
    startPuzzleByNumber(world, {0, 42}); // a seed alone: the difficulty's size
    state.splashTick = window.now;
    expectPuzzle(board, {5, 42});
    EXPECT_TRUE(world.practiceGame);
    showPracticeNoticeIfDue(world);
    EXPECT_TRUE(window.messageBoxes.empty());

    endSplash(world);
    play({Down(1, 1)}); // not while the stylus is down
    showPracticeNoticeIfDue(world);
    EXPECT_TRUE(window.messageBoxes.empty());
    play({Up()});
    showPracticeNoticeIfDue(world);
    ASSERT_EQ(window.messageBoxes.size(), 1u);
    EXPECT_EQ(window.messageBoxes[0].text, practiceText(1));
    EXPECT_EQ(window.messageBoxes[0].caption, "Entraînement");
    showPracticeNoticeIfDue(world);
    EXPECT_EQ(window.messageBoxes.size(), 1u);
}

// A puzzle that arrives while another box is open (About, the Play-by-number dialog) must not
// open the notice on top of it: the notice waits for the box to close.
TEST_F(PuzzleCommandsTest, ThePracticeNoticeWaitsUntilNoBoxIsOpen) {
    newGame(world);
    window.boxOpen = true;
    restartPuzzle(world);
    EXPECT_TRUE(world.practiceGame);
    showPracticeNoticeIfDue(world);
    EXPECT_TRUE(window.messageBoxes.empty());
    window.boxOpen = false;
    showPracticeNoticeIfDue(world);
    ASSERT_EQ(window.messageBoxes.size(), 1u);
    EXPECT_EQ(window.messageBoxes[0].text, practiceText(0));
}

} // namespace
} // namespace kelvaro
