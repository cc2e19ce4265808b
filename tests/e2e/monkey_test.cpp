// A monkey at the game logic: random stylus events anywhere in and around the buffer, random
// commands and timer ticks, over random boards, with the window double answering every box
// at random. After every event the board, the records and the phase must still make sense.
//   KELVARO_MONKEY_EVENTS  how many events (default 20000: a quick run)
//   KELVARO_MONKEY_SEED    the seed of the run (default 1); a failure names it
#include "fake_window.h"
#include "game/game.h"
#include "model/layout.h"
#include "store/memory_kept_game.h"
#include "store/memory_registry.h"
#include "store/settings_store.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <memory>
#include <random>
#include <string>

namespace kelvaro {
namespace {

std::uint64_t environmentNumber(const char* name, std::uint64_t fallback) {
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0') return fallback;
    return std::strtoull(text, nullptr, 10);
}

enum class Event {
    down,
    move,
    up,
    doubleTap,
    timer,
    newGame,
    hint,
    showSolution,
    pause,
    learnRules,
    options,
    close,
    about,       // ends the splash and nothing else
    uniqueOnOff, // the Unique puzzles option
    puzzleReady, // the worker's puzzle delivered, once it is done
    keepOnOff,   // the Keep unfinished game option
    crash,       // the program gone without a word; the next run finds what was kept
};

constexpr std::array<const char*, 17> eventNames{
    "down",  "move",        "up",          "doubleTap",  "timer",   "newGame",
    "hint",  "solve",       "pause",       "learnRules", "options", "close",
    "about", "uniqueOnOff", "puzzleReady", "keepOnOff",  "crash",
};

bool isCellCode(std::int8_t c) {
    switch (c) {
    case -12:
    case -13:
    case -14:
    case -23:
    case -24:
    case -34:
        return true;
    default:
        return c >= 0 && c <= maxSymbol;
    }
}

// Everything that must hold between any two events; returns the first thing that does not.
std::string brokenInvariant(const GameWorld& world) {
    const Board& board = world.board;
    const GameState& state = world.state;
    if (board.boardSize != 5 && board.boardSize != 8 && board.boardSize != 12)
        return "board size " + std::to_string(board.boardSize);
    for (int i = 0; i < layerCells; ++i) {
        const auto at = " at index " + std::to_string(i);
        if (!isCellCode(board.solution[i]))
            return "solution code " + std::to_string(board.solution[i]) + at;
        if (!isCellCode(board.grid[i])) return "grid code " + std::to_string(board.grid[i]) + at;
        if (board.solutionOwner[i] < 0 || board.solutionOwner[i] > maxSymbol ||
            board.gridOwner[i] < 0 || board.gridOwner[i] > maxSymbol)
            return "owner out of range" + at;
        if (board.solutionLength[i] < 0 || board.gridLength[i] < 0) return "negative length" + at;
        if (board.errors[i] < 0 || board.traceMarks[i] < 0) return "negative mark" + at;
        if (board.revealed[i] != 0 && board.revealed[i] != 1) return "revealed flag" + at;
        const bool onBoard = i / storageSide < board.boardSize && i % storageSide < board.boardSize;
        if (!onBoard && (board.grid[i] != 0 || board.revealed[i] != 0))
            return "grid used outside the board" + at;
        // A revealed cell holds the solution's code for good.
        if (board.revealed[i] != 0 && board.grid[i] != board.solution[i])
            return "revealed cell rewritten" + at;
    }
    for (int p = 0; p < playerSlots; ++p)
        for (int d = 0; d < difficulties; ++d) {
            const Statistics& s = world.statistics;
            if (s.bestTime[p][d] < 0 || s.gamesPlayed[p][d] < 0 || s.totalTime[p][d] < 0 ||
                s.totalPenalty[p][d] < 0)
                return "negative record for player " + std::to_string(p) + " difficulty " +
                       std::to_string(d);
            bool closed = false;
            for (char c : s.histogram[p][d]) closed = closed || c == '\0';
            if (!closed) return "histogram without its closing zero";
        }
    if (state.penaltyCells < 0 || state.finalTime < 0 || state.tapCount < 0)
        return "negative game count or time";
    for (int c : {state.curX, state.curY, state.prevX, state.prevY, state.partnerX, state.partnerY})
        if (c < -1 || c > storageSide) return "cell coordinate " + std::to_string(c);
    if (state.gamePhase < phasePlaying || state.gamePhase > phasePaused)
        return "phase " + std::to_string(state.gamePhase);
    if (state.gamePhase == phasePaused && state.tapCount == 0)
        return "paused without a running clock";
    if (state.hintMode == -1 && state.gamePhase != phaseFinished)
        return "proposal shown on an unfinished board";
    // The empty board that waits for a unique puzzle takes nothing.
    if (preparingPuzzle(world)) {
        if (state.gamePhase != phasePlaying || state.tapCount != 0 || state.startTick != 0)
            return "a game under way while its puzzle is prepared";
        for (int i = 0; i < layerCells; ++i)
            if (board.grid[i] != 0 || board.solution[i] != 0)
                return "cells on the board while its puzzle is prepared";
    }
    return {};
}

// The phases an event may lead to: bit p set when phase p may follow.
unsigned allowedPhases(GamePhase from, Event event, bool clockRunning, bool splashShowing) {
    constexpr unsigned playing = 1u << phasePlaying;
    constexpr unsigned finished = 1u << phaseFinished;
    constexpr unsigned paused = 1u << phasePaused;
    switch (from) {
    case phasePaused:
        // Only a touch resumes; a double tap on the current cell is no touch of its own. The
        // splash lies over a kept game resumed at start-up: the touch that ends it is all.
        if (event == Event::down || event == Event::move)
            return splashShowing ? playing | paused : playing;
        if (event == Event::doubleTap) return playing | paused;
        return paused;
    case phaseFinished:
        if (event == Event::newGame || event == Event::learnRules || event == Event::options)
            return finished | playing;
        return finished;
    case phasePlaying:
    default:
        switch (event) {
        case Event::down:
        case Event::move:
        case Event::doubleTap:
            return playing | finished;
        case Event::showSolution:
            return clockRunning ? playing | finished : playing;
        case Event::pause:
            return clockRunning ? playing | paused : playing;
        default:
            return playing;
        }
    }
}

// One run of the program: a fresh world over the registry and the kept game that outlive it.
struct Program {
    Program(MemoryRegistry& registry, MemoryKeptGame& keeper, FakeWindow& window,
            std::uint32_t seed)
        : random(seed), world(registry, window, random) {
        world.keeping.store = &keeper;
        initSettings(world.settings, world.statistics, world.registry);
        resumed = resumeKeptGame(world);
        if (!resumed) newGame(world);
        // The splash lies over the first game until something ends it.
        world.state.splashTick = window.tickCount();
    }
    Mt19937Source random;
    GameWorld world;
    bool resumed = false;
};

class Monkey {
  public:
    explicit Monkey(std::uint64_t seed) : rng(seed) {
        window.whileMessageBoxOpen = [this](const MessageBoxCall&) {
            // The nested message loop lets the window timer through.
            if (chance(30)) onTimer(program->world);
            window.answerNext(chance(50) ? answerOk : answerCancel);
        };
        window.insideOptionsDialog = [this] {
            Settings& settings = program->world.settings;
            if (chance(40)) settings.difficulty = pick(0, 2);
            if (chance(20)) settings.player = static_cast<std::int16_t>(pick(0, 1));
            if (chance(20)) settings.language = pick(0, 1);
            if (chance(10)) settings.lineOkColour = static_cast<Colour>(rng() & 0xFFFFFF);
            if (chance(10)) settings.unique = 1 - settings.unique;
        };
        restart();
    }

    // Runs one random event; returns what it was.
    Event step() {
        advanceClock();
        const int roll = pick(0, 999);
        GameWorld& world = program->world;
        if (roll < 350) {
            choosePixel();
            onStylusMove(world, px, py);
            return Event::move;
        }
        if (roll < 480) {
            choosePixel();
            onStylusDown(world, px, py);
            return Event::down;
        }
        if (roll < 620) {
            onStylusUp(world);
            return Event::up;
        }
        if (roll < 680) {
            if (chance(50)) choosePixel();
            onStylusDoubleTap(world, px, py);
            return Event::doubleTap;
        }
        if (roll < 850) {
            onTimer(world);
            return Event::timer;
        }
        switch (pick(0, 11)) {
        case 0:
            newGame(world);
            return Event::newGame;
        case 1:
            askHint(world);
            return Event::hint;
        case 2:
            finishGame(world);
            return Event::showSolution;
        case 3:
            pauseGame(world);
            return Event::pause;
        case 4:
            learnRules(world);
            return Event::learnRules;
        case 5:
            showOptions(world);
            return Event::options;
        case 6:
            if (closeRequest(world)) restart();
            return Event::close;
        case 7:
            toggleUniquePuzzles(world);
            return Event::uniqueOnOff;
        case 8:
            // As the event loop would, once the worker has posted: mostly at once, sometimes
            // with other events still coming first.
            if (chance(70)) waitForPreparation(world.preparation);
            puzzleReady(world);
            return Event::puzzleReady;
        case 9:
            toggleKeepGame(world);
            return Event::keepOnOff;
        case 10:
            if (chance(20)) {
                restart();
                return Event::crash;
            }
            [[fallthrough]];
        default:
            endSplash(world);
            return Event::about;
        }
    }

    bool chance(int percent) { return pick(0, 99) < percent; }
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }

    FakeWindow window;
    MemoryRegistry registry;
    MemoryKeptGame keeper;
    std::unique_ptr<Program> program;
    int restarts = 0;
    int resumedRuns = 0; // runs that began on a kept game
    int gamesFinished = 0;
    int gamesSolved = 0; // finished by a grid that the checker accepts
    std::size_t messageBoxes = 0;

  private:
    void restart() {
        program.reset();
        program =
            std::make_unique<Program>(registry, keeper, window, static_cast<std::uint32_t>(rng()));
        ++restarts;
        if (program->resumed) ++resumedRuns;
    }

    void advanceClock() {
        const int roll = pick(0, 9999);
        if (roll < 7000)
            window.advance(static_cast<std::uint32_t>(pick(0, 200)));
        else if (roll < 9500)
            window.advance(static_cast<std::uint32_t>(pick(200, 3000)));
        else if (roll < 9999)
            window.advance(static_cast<std::uint32_t>(pick(3000, 600000)));
        else
            window.advance(0x80000000u); // half the tick range: the counter wraps in a few
    }

    // Mostly strokes from cell to neighbouring cell, sometimes a jump anywhere, sometimes a
    // point well outside the buffer.
    void choosePixel() {
        const GameState& state = program->world.state;
        const int roll = pick(0, 99);
        if (roll < 55) {
            const int side = cellPixels;
            int dx = 0;
            int dy = 0;
            (chance(50) ? dx : dy) = chance(50) ? side : -side;
            px += dx + pick(-3, 3);
            py += dy + pick(-3, 3);
            // Drift back towards the board rather than away for ever.
            if (px < state.boardLeft - side || px > screenWidth + side) px = pick(0, screenWidth);
            if (py < state.boardTop - side || py > bufferHeight + side) py = pick(0, bufferHeight);
        } else if (roll < 95) {
            px = pick(-40, screenWidth + 40);
            py = pick(-40, bufferHeight + 40);
        } else {
            px = pick(-100000, 100000);
            py = pick(-100000, 100000);
        }
    }

    std::mt19937_64 rng;
    int px = 120;
    int py = 120;
};

TEST(Monkey, RandomEventsKeepTheBoardTheRecordsAndThePhasesSound) {
    const std::uint64_t events = environmentNumber("KELVARO_MONKEY_EVENTS", 20000);
    const std::uint64_t seed = environmentNumber("KELVARO_MONKEY_SEED", 1);
    Monkey monkey(seed);
    std::array<std::uint64_t, eventNames.size()> counts{};
    for (std::uint64_t n = 0; n < events; ++n) {
        const GameWorld& before = monkey.program->world;
        const auto from = static_cast<GamePhase>(before.state.gamePhase);
        const bool clockRunning = before.state.tapCount != 0;
        const bool splashShowing = before.state.splashTick != 0;
        const int runBefore = monkey.restarts;

        const Event event = monkey.step();
        ++counts[static_cast<std::size_t>(event)];
        // What the window double records would otherwise grow with the run.
        monkey.messageBoxes += monkey.window.messageBoxes.size();
        monkey.window.messageBoxes.clear();
        monkey.window.invalidatedRects.clear();

        const GameWorld& world = monkey.program->world;
        const std::string where = "event " + std::to_string(n) + " (" +
                                  eventNames[static_cast<std::size_t>(event)] + ") of seed " +
                                  std::to_string(seed);
        const std::string broken = brokenInvariant(world);
        ASSERT_TRUE(broken.empty()) << broken << " after " << where;
        // Whatever the program kept, the next run takes back.
        ASSERT_FALSE(monkey.keeper.setAsideText.has_value())
            << "a kept game was refused after " << where << ":\n"
            << *monkey.keeper.setAsideText;
        if (monkey.restarts != runBefore) continue; // the window closed; a new run
        const unsigned allowed = allowedPhases(from, event, clockRunning, splashShowing);
        ASSERT_TRUE(allowed & (1u << world.state.gamePhase))
            << "phase " << from << " became " << world.state.gamePhase << " after " << where;
        if (from != phaseFinished && world.state.gamePhase == phaseFinished) {
            ++monkey.gamesFinished;
            if (world.state.solveState <= 0) ++monkey.gamesSolved;
        }
    }
    std::printf("monkey: %llu events from seed %llu, %d games finished (%d solved), "
                "%d program runs (%d on a kept game), %zu message boxes\n",
                static_cast<unsigned long long>(events), static_cast<unsigned long long>(seed),
                monkey.gamesFinished, monkey.gamesSolved, monkey.restarts, monkey.resumedRuns,
                monkey.messageBoxes);
    for (std::size_t e = 0; e < counts.size(); ++e)
        std::printf("  %-11s %llu\n", eventNames[e], static_cast<unsigned long long>(counts[e]));
    // A run that never finished a game never reached the records.
    if (events >= 20000) {
        EXPECT_GT(monkey.gamesFinished, 0);
    }
}

} // namespace
} // namespace kelvaro
