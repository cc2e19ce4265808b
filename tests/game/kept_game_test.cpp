// Keeping the unfinished game: what is kept and put back, field by field, and what is refused.
#include "game/kept_game_board.h"
#include "game_fixture.h"
#include "store/kept_game.h"
#include "store/memory_kept_game.h"
#include "store/settings_store.h"

#include <functional>
#include <random>
#include <string>
#include <vector>

namespace kelvaro {
namespace {

int pixelOf(int origin, int cell) {
    return origin + cellPixels * cell + cellPixels / 2;
}

// Random stylus play on a real puzzle: strokes from cell to neighbouring cell, erases, undo and
// redo, and at most one hint, with the clock moving on between events. Stops short of finishing.
void playRandomly(GameWorld& world, FakeWindow& window, std::uint32_t seed, int events) {
    std::mt19937 rng(seed);
    const int n = boardSide(world.board);
    bool hintUsed = false;
    const auto px = [&](int x) { return pixelOf(world.state.boardLeft, x); };
    const auto py = [&](int y) { return pixelOf(world.state.boardTop, y); };
    for (int e = 0; e < events && world.state.gamePhase == phasePlaying; ++e) {
        window.advance(137);
        int x = static_cast<int>(rng() % n), y = static_cast<int>(rng() % n);
        switch (rng() % 10) {
        case 6:
            onStylusDown(world, px(x), py(y));
            onStylusUp(world);
            onStylusDoubleTap(world, px(x), py(y));
            onStylusUp(world);
            break;
        case 7:
            undoCommand(world);
            break;
        case 8:
            redoCommand(world);
            break;
        case 9:
            if (!hintUsed && world.state.tapCount > 0) {
                hintUsed = true;
                askHint(world);
                onStylusDown(world, px(x), py(y));
                onStylusUp(world);
                break;
            }
            [[fallthrough]];
        default: {
            onStylusDown(world, px(x), py(y));
            const int length = 2 + static_cast<int>(rng() % 5);
            for (int s = 0; s < length; ++s) {
                int nx = x, ny = y;
                stepCell(static_cast<int>(1 + rng() % 4), nx, ny);
                if (!inBoard(world.board, nx, ny)) continue;
                x = nx;
                y = ny;
                onStylusMove(world, px(x), py(y));
            }
            onStylusUp(world);
        }
        }
    }
}

std::vector<std::int8_t> cellsOf(const Board& board, const Layer& layer) {
    std::vector<std::int8_t> cells;
    for (int x = 0; x < boardSide(board); ++x)
        for (int y = 0; y < boardSide(board); ++y) cells.push_back(layer[cellIndex(x, y)]);
    return cells;
}

std::uint32_t shownClock(const GameState& state) {
    return (state.gamePhase == phasePaused ? state.pauseTick : state.nowTick) - state.startTick;
}

class KeptGameTest : public GameFixture {
  protected:
    MemoryKeptGame keeper;
    // The next run: a world of its own over the same registry and kept game.
    FakeWindow laterWindow;
    Mt19937Source laterRandom{1};
    GameWorld later{registry, laterWindow, laterRandom};

    void SetUp() override {
        world.keeping.store = &keeper;
        world.settings.keepGame = 1;
        later.keeping.store = &keeper;
        later.settings.keepGame = 1;
        laterWindow.now = 5'000'000;
    }

    void startNumbered(const char* text) {
        PuzzleNumber number;
        ASSERT_TRUE(parsePuzzleNumber(text, number));
        setUpNumberedGame(world, number);
        if (preparingPuzzle(world)) {
            waitForPreparation(world.preparation);
            puzzleReady(world);
        }
    }

    // The kept game, as the next run would find it, put on its board.
    void resumeLater() {
        later.settings.difficulty = world.settings.difficulty;
        ASSERT_TRUE(keeper.text.has_value());
        ASSERT_TRUE(resumeKeptGame(later));
    }
};

struct Situation {
    const char* name;
    const char* puzzle; // empty: a new game of the difficulty
    std::int32_t difficulty;
    std::uint32_t seed;
    std::function<void(GameWorld&, FakeWindow&)> then; // after the random play
};

class KeptGameSituations : public KeptGameTest, public ::testing::WithParamInterface<Situation> {};

TEST_P(KeptGameSituations, IsPutBackFieldByFieldPausedWithItsClock) {
    const Situation& c = GetParam();
    world.settings.difficulty = c.difficulty;
    if (c.puzzle[0] != 0)
        startNumbered(c.puzzle);
    else
        setUpNewGame(world);
    playRandomly(world, window, c.seed, 60);
    if (c.then) c.then(world, window);
    ASSERT_NE(state.gamePhase, phaseFinished);
    ASSERT_GT(state.tapCount, 0);
    const std::uint32_t elapsed =
        (state.gamePhase == phasePaused ? state.pauseTick : window.now) - state.startTick;
    ASSERT_TRUE(keepGameNow(world));
    resumeLater();

    EXPECT_EQ(later.puzzle, world.puzzle);
    EXPECT_EQ(later.board.boardSize, board.boardSize);
    EXPECT_EQ(later.board.solution, board.solution);
    EXPECT_EQ(cellsOf(later.board, later.board.grid), cellsOf(board, board.grid));
    EXPECT_EQ(cellsOf(later.board, later.board.revealed), cellsOf(board, board.revealed));
    EXPECT_EQ(later.state.penaltyCells, state.penaltyCells);
    EXPECT_EQ(later.state.tapCount, state.tapCount);
    EXPECT_EQ(later.practiceGame, world.practiceGame);
    // A stroke under way was ended as its lift ends it.
    UndoHistory lifted = world.history;
    endStep(lifted, board);
    EXPECT_EQ(later.history.stepEnds, lifted.stepEnds);
    EXPECT_EQ(later.history.done, lifted.done);
    ASSERT_EQ(later.history.changes.size(), lifted.changes.size());
    for (std::size_t i = 0; i < lifted.changes.size(); ++i) {
        EXPECT_EQ(later.history.changes[i].index, lifted.changes[i].index);
        EXPECT_EQ(later.history.changes[i].before, lifted.changes[i].before);
        EXPECT_EQ(later.history.changes[i].after, lifted.changes[i].after);
    }
    EXPECT_FALSE(later.history.stepOpen);
    EXPECT_EQ(later.pen.x, world.pen.x);
    EXPECT_EQ(later.pen.y, world.pen.y);
    EXPECT_EQ(later.pen.shown, world.pen.shown);
    EXPECT_FALSE(later.pen.down);
    EXPECT_EQ(later.state.hintMode, 0); // a pending hint is dropped, without cost
    // Paused, its clock showing the kept time; time away is not counted.
    EXPECT_EQ(later.state.gamePhase, phasePaused);
    EXPECT_EQ(shownClock(later.state), elapsed);
    laterWindow.advance(60'000);
    onStylusDown(later, 0, 0);
    onStylusUp(later);
    EXPECT_EQ(later.state.gamePhase, phasePlaying);
    laterWindow.advance(250);
    EXPECT_EQ(laterWindow.now - later.state.startTick, elapsed + 250);
    EXPECT_TRUE(laterWindow.messageBoxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Kept, KeptGameSituations,
    ::testing::Values(
        Situation{"midGameEasy", "", 0, 11, nullptr},
        Situation{"midGameMedium", "", 1, 12, nullptr},
        Situation{"midGameHard", "", 2, 13, nullptr},
        Situation{"paused", "", 1, 14,
                  [](GameWorld& w, FakeWindow& win) {
                      pauseGame(w);
                      win.advance(90'000);
                  }},
        Situation{"hintPending", "", 2, 15, [](GameWorld& w, FakeWindow&) { askHint(w); }},
        Situation{"afterUndo", "", 2, 16,
                  [](GameWorld& w, FakeWindow&) {
                      undoCommand(w);
                      undoCommand(w);
                  }},
        Situation{"strokeUnderWay", "", 1, 17,
                  [](GameWorld& w, FakeWindow&) {
                      onStylusDown(w, pixelOf(w.state.boardLeft, 0), pixelOf(w.state.boardTop, 1));
                      onStylusMove(w, pixelOf(w.state.boardLeft, 0), pixelOf(w.state.boardTop, 2));
                      onStylusMove(w, pixelOf(w.state.boardLeft, 1), pixelOf(w.state.boardTop, 2));
                  }},
        Situation{"keyboardCursor", "", 0, 18,
                  [](GameWorld& w, FakeWindow&) {
                      keyboardArrow(w, dirRight);
                      keyboardArrow(w, dirRight);
                      keyboardArrow(w, dirDown);
                  }},
        Situation{"practice", "8-3141592653", 0, 19, nullptr},
        Situation{"unique", "8u-77", 1, 20, nullptr},
        Situation{"uniqueHard", "12u-5", 2, 21, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(KeptGameTest, AResumedNormalGameIsRecordedOnceAndPracticeStaysPractice) {
    for (const char* puzzle : {"", "5-99"}) {
        SCOPED_TRACE(puzzle);
        world.settings.difficulty = 0;
        if (puzzle[0] != 0)
            startNumbered(puzzle);
        else
            setUpNewGame(world);
        playRandomly(world, window, 3, 10);
        ASSERT_TRUE(keepGameNow(world));
        later.statistics = Statistics{};
        resumeLater();
        onStylusDown(later, 0, 0); // resumes
        onStylusUp(later);
        laterWindow.advance(1000);
        finishGame(later); // Show solution, answered OK
        EXPECT_EQ(later.state.gamePhase, phaseFinished);
        EXPECT_EQ(later.statistics.gamesPlayed[0][0], puzzle[0] != 0 ? 0 : 1);
        EXPECT_FALSE(keeper.text.has_value()); // finishing removed it: never recorded twice
        EXPECT_FALSE(resumeKeptGame(later));
    }
}

TEST_F(KeptGameTest, WithTheOptionOffNothingIsKeptAndCloseStillAsks) {
    world.settings.keepGame = 0;
    setUpNewGame(world);
    playRandomly(world, window, 5, 20);
    pauseGame(world);
    EXPECT_FALSE(closeRequest(world)); // paused: refused, as ever
    onStylusDown(world, 0, 0);
    onStylusUp(world);
    window.answerNext(answerCancel);
    EXPECT_FALSE(closeRequest(world));
    EXPECT_EQ(window.messageBoxes.back().caption, "Warning");
    EXPECT_EQ(keeper.writes, 0);
    EXPECT_FALSE(keeper.text.has_value());
}

TEST_F(KeptGameTest, CloseKeepsTheGameWithoutAQuestionEvenWhenPaused) {
    setUpNewGame(world);
    EXPECT_TRUE(closeRequest(world)); // nothing started: nothing kept, nothing asked
    EXPECT_FALSE(keeper.text.has_value());
    setUpNewGame(world);
    playRandomly(world, window, 6, 20);
    pauseGame(world);
    window.messageBoxes.clear();
    keeper.text.reset();
    EXPECT_TRUE(closeRequest(world));
    EXPECT_TRUE(window.messageBoxes.empty());
    EXPECT_TRUE(keeper.text.has_value());
    // When it cannot be kept, the player is told and the old question stands.
    keeper.writesFail = true;
    onStylusDown(world, 0, 0);
    onStylusUp(world);
    playRandomly(world, window, 7, 3);
    window.answerNext(answerOk);
    window.answerNext(answerCancel);
    window.messageBoxes.clear();
    EXPECT_FALSE(closeRequest(world));
    ASSERT_EQ(window.messageBoxes.size(), 2u);
    EXPECT_NE(window.messageBoxes[0].text.find("could not be kept"), std::string::npos);
    EXPECT_EQ(window.messageBoxes[1].caption, "Warning");
}

TEST_F(KeptGameTest, StepsAreWrittenAtMostOnceASecond) {
    setUpNewGame(world);
    tap(0, 0); // the first step starts the clock and is written at once
    EXPECT_EQ(keeper.writes, 1);
    window.advance(300);
    stroke({{1, 1}, {1, 2}, {2, 2}});
    EXPECT_EQ(keeper.writes, 1);
    window.advance(600);
    onTimer(world);
    EXPECT_EQ(keeper.writes, 1); // 900 ms after the write
    window.advance(100);
    onTimer(world);
    EXPECT_EQ(keeper.writes, 2); // a second after it, the waiting step is written
    window.advance(100);
    onTimer(world);
    EXPECT_EQ(keeper.writes, 2); // nothing waits
    window.advance(2000);
    undoCommand(world);
    EXPECT_EQ(keeper.writes, 3);
    KeptGame kept;
    ASSERT_EQ(parseKeptGame(*keeper.text, kept), KeptGameParse::ok);
    EXPECT_EQ(kept.done, 0);
}

TEST_F(KeptGameTest, WhatAbandonsTheGameRemovesItAndPlayingByNumberAtStartUpWaitsForAStep) {
    struct Case {
        const char* name;
        std::function<void(GameWorld&, FakeWindow&)> act;
        bool removed;
    };
    const Case cases[] = {
        {"New Game", [](GameWorld& w, FakeWindow&) { newGame(w); }, true},
        {"Restart", [](GameWorld& w, FakeWindow&) { restartPuzzle(w); }, true},
        {"Play by number",
         [](GameWorld& w, FakeWindow& win) {
             win.typedTexts.push_back("5-12");
             playPuzzleByNumber(w);
         },
         true},
        {"Learn rules", [](GameWorld& w, FakeWindow&) { learnRules(w); }, true},
        {"Show solution", [](GameWorld& w, FakeWindow&) { finishGame(w); }, true},
        {"New Game declined",
         [](GameWorld& w, FakeWindow& win) {
             win.answerNext(answerCancel);
             newGame(w);
         },
         false},
        {"Hint", [](GameWorld& w, FakeWindow&) { askHint(w); }, false},
        // Abandoned as soon as the player agrees, before the dialog opens.
        {"Options, abandoning",
         [this](GameWorld& w, FakeWindow& win) {
             bool keptInside = true;
             win.insideOptionsDialog = [this, &keptInside] {
                 keptInside = keeper.text.has_value();
             };
             showOptions(w);
             win.insideOptionsDialog = nullptr;
             EXPECT_FALSE(keptInside);
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setUpNewGame(world);
        playRandomly(world, window, 8, 10);
        ASSERT_TRUE(keepGameNow(world));
        c.act(world, window);
        EXPECT_EQ(!keeper.text.has_value(), c.removed);
    }
    // kelvaro --puzzle: the kept game stays until the first step on the numbered puzzle.
    setUpNewGame(world);
    playRandomly(world, window, 9, 10);
    ASSERT_TRUE(keepGameNow(world));
    const std::string kept = *keeper.text;
    later.settings.difficulty = world.settings.difficulty;
    startPuzzleByNumber(later, PuzzleNumber{5, 4242, uniqueOff});
    EXPECT_TRUE(closeRequest(later));
    EXPECT_EQ(keeper.text, kept);
    startPuzzleByNumber(later, PuzzleNumber{5, 4242, uniqueOff});
    onStylusDown(later, pixelOf(later.state.boardLeft, 0), pixelOf(later.state.boardTop, 0));
    onStylusUp(later);
    EXPECT_NE(keeper.text, kept);
    KeptGame now;
    ASSERT_EQ(parseKeptGame(*keeper.text, now), KeptGameParse::ok);
    EXPECT_EQ(now.puzzle, "5-4242");
}

TEST_F(KeptGameTest, TheOptionIsSavedAtOnceAndKeepsOrForgetsTheGameInProgress) {
    world.settings.keepGame = 0;
    setUpNewGame(world);
    playRandomly(world, window, 10, 10);
    EXPECT_FALSE(keeper.text.has_value());
    toggleKeepGame(world);
    EXPECT_EQ(world.settings.keepGame, 1);
    const RegValue* stored = registry.findValue(settingsKeyPath, "keepgame");
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->data, (std::vector<std::uint8_t>{1, 0, 0, 0}));
    EXPECT_TRUE(keeper.text.has_value());
    toggleKeepGame(world);
    EXPECT_EQ(world.settings.keepGame, 0);
    EXPECT_EQ(registry.findValue(settingsKeyPath, "keepgame")->data,
              (std::vector<std::uint8_t>{0, 0, 0, 0}));
    EXPECT_FALSE(keeper.text.has_value());
}

// A kept game of the 5 x 5 puzzle 5-31, changed one way or another.
class DamagedKeptGame : public KeptGameTest {
  protected:
    KeptGame good() {
        world.settings.difficulty = 0;
        startNumbered("5-31");
        playRandomly(world, window, 31, 40);
        askHint(world);
        tap(2, 2);
        KeptGame kept = captureKeptGame(world);
        EXPECT_GT(kept.steps.size(), 2u);
        return kept;
    }
};

TEST_F(DamagedKeptGame, IsSetAsideTheFreshGameStartsAndThePlayerIsToldOnce) {
    const KeptGame base = good();
    // The first endpoint and a plain cell of the puzzle.
    int endpoint = -1, plain = -1;
    for (int i = 0; i < 25; ++i) {
        const std::int8_t s = board.solution[cellIndex(i % 5, i / 5)];
        if (s > 0 && endpoint < 0) endpoint = i;
        if (s < 0 && plain < 0 && base.revealed[static_cast<std::size_t>(i)] == 0) plain = i;
    }
    ASSERT_GE(endpoint, 0);
    ASSERT_GE(plain, 0);
    const auto cell = [](int i) { return static_cast<std::size_t>(i); };
    struct Case {
        const char* name;
        std::function<void(KeptGame&)> change;
    };
    const Case cases[] = {
        {"a number that names nothing", [](KeptGame& k) { k.puzzle = "7-31"; }},
        {"another puzzle's number", [](KeptGame& k) { k.puzzle = "5-32"; }},
        {"a number of another size", [](KeptGame& k) { k.puzzle = "8-31"; }},
        {"an endpoint moved", [&](KeptGame& k) { k.grid[cell(plain)] = 1; }},
        {"an endpoint erased", [&](KeptGame& k) { k.grid[cell(endpoint)] = 0; }},
        {"a cell code that is no piece", [&](KeptGame& k) { k.grid[cell(plain)] = -11; }},
        {"a revealed cell unlike the solution",
         [&](KeptGame& k) {
             k.revealed[cell(plain)] = 1;
             k.grid[cell(plain)] = 0;
         }},
        {"a penalty the reveals did not cost", [](KeptGame& k) { k.penaltyCells += 1; }},
        {"a step that does not apply", [](KeptGame& k) { k.steps.front().front().before = -99; }},
        {"a step on an endpoint",
         [&](KeptGame& k) {
             k.steps.push_back({{static_cast<std::int8_t>(endpoint % 5),
                                 static_cast<std::int8_t>(endpoint / 5), 0, -12}});
         }},
        {"a cursor off the board", [](KeptGame& k) { k.cursorX = 7; }},
        {"a solved grid",
         [&](KeptGame& k) {
             for (int i = 0; i < 25; ++i) k.grid[cell(i)] = board.solution[cellIndex(i % 5, i / 5)];
             k.steps.clear();
             k.done = 0;
         }},
    };
    for (const Case& c : cases) {
        for (const std::int32_t language : {0, 1}) {
            SCOPED_TRACE(std::string(c.name) + (language ? " fr" : " en"));
            KeptGame damaged = base;
            c.change(damaged);
            const std::string text = formatKeptGame(damaged);
            keeper.text = text;
            FakeWindow startWindow;
            Mt19937Source startRandom{2};
            GameWorld start{registry, startWindow, startRandom};
            start.keeping.store = &keeper;
            start.settings.keepGame = 1;
            start.settings.language = language;
            EXPECT_FALSE(resumeKeptGame(start));
            EXPECT_EQ(keeper.setAsideText, text); // moved aside whole
            EXPECT_FALSE(keeper.text.has_value());
            ASSERT_EQ(startWindow.messageBoxes.size(), 1u);
            EXPECT_NE(startWindow.messageBoxes[0].text.find(language ? "mis de côté" : "set aside"),
                      std::string::npos);
            EXPECT_NE(start.state.gamePhase, phasePaused);
        }
    }
    // The same game unchanged is taken.
    keeper.text = formatKeptGame(base);
    EXPECT_TRUE(resumeKeptGame(later));
}

TEST_F(KeptGameTest, UnreadableNewerAndForeignFilesAreSetAsideAFolderIsOnlyTold) {
    const std::string newer = R"({"kelvaro": "kept game", "version": 2})";
    for (const std::string& text : {std::string("not a game"), newer}) {
        keeper.text = text;
        EXPECT_FALSE(resumeKeptGame(world));
        EXPECT_EQ(keeper.setAsideText, text);
    }
    keeper.text = "unreadable";
    keeper.readState = KeptFileState::unreadable;
    EXPECT_FALSE(resumeKeptGame(world));
    EXPECT_EQ(keeper.setAsideText, "unreadable");

    window.messageBoxes.clear();
    keeper.text = "whatever";
    keeper.readState = KeptFileState::notAFile;
    world.settings.language = 1;
    EXPECT_FALSE(resumeKeptGame(world));
    ASSERT_EQ(window.messageBoxes.size(), 1u);
    EXPECT_NE(window.messageBoxes[0].text.find("ne peut pas être gardée"), std::string::npos);
    EXPECT_EQ(keeper.text, "whatever"); // nothing there is touched
    // The settings are no part of it.
    EXPECT_EQ(registry.findKey(settingsKeyPath), nullptr);
}

} // namespace
} // namespace kelvaro
