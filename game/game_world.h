// The process-wide records of one running game, gathered so that a handler (or a test) gets
// them all in one argument.
#pragma once

#include "engine/board.h"
#include "engine/puzzle_number.h"
#include "engine/random_source.h"
#include "game/undo_history.h"
#include "game/unique_preparation.h"
#include "game/window_services.h"
#include "model/game_state.h"
#include "store/kept_game_store.h"
#include "store/registry.h"
#include "store/settings.h"

#include <cstdint>
#include <functional>
#include <random>
#include <string>

namespace kelvaro {

struct GameWorld;

// The splash's share of the window timer; the game's clock tick runs only when it is absent
// or the splash has ended.
using SplashTimerStep = std::function<void(GameWorld&)>;

// What the game knows of its saves beyond the store itself.
struct SaveWatch {
    // The last save failed: the settings and records in memory are newer than the store's,
    // so a new game keeps them instead of reading the store again.
    bool pending = false;
    // Each trouble is told once a run.
    bool failureTold = false;
    bool setAsideTold = false;
};

// Keeping the unfinished game between runs, with the Keep unfinished game option.
struct GameKeeping {
    // Where it is kept; none (tests, tools): nothing is ever kept.
    KeptGameStore* store = nullptr;
    // A step was taken since the last write, which came less than a second before it.
    bool due = false;
    std::uint32_t lastWriteTick = 0;
    bool written = false; // a write has been made this run
    std::string lastText; // what the last write wrote, so that the same is not written again
    // Each trouble is told once a run.
    bool failureTold = false;
};

// The keyboard's stylus: the cell it points at and whether its pen is down. Shown only once an
// arrow key asked for it since the last new game or mouse press.
struct KeyboardPen {
    std::int8_t x = 0;
    std::int8_t y = 0;
    bool shown = false;
    bool down = false;
};

struct GameWorld {
    GameWorld(Registry& registryIn, WindowServices& windowIn, RandomSource& randomIn)
        : registry(registryIn), window(windowIn), random(randomIn) {}
    GameWorld(const GameWorld&) = delete;
    GameWorld& operator=(const GameWorld&) = delete;

    Board board;
    GameState state;
    Settings settings;
    Statistics statistics;
    Registry& registry;
    WindowServices& window;
    RandomSource& random;
    SplashTimerStep splashTimerStep;
    SaveWatch saving;

    // The seed of each new game; the shell seeds it once at start-up.
    std::mt19937 seedSource;
    // The puzzle on the board: its size and the seed it was generated from.
    PuzzleNumber puzzle;
    // The ladder's level of a unique puzzle on the board; 0 for any other board.
    int puzzleLevel = 0;
    // A restarted puzzle, or one chosen by number: played like any game, kept out of the
    // records so that best times stay honest.
    bool practiceGame = false;
    // The player is told what practice means once per run, when the first one begins.
    bool practiceNoticeDue = false;
    bool practiceNoticeShown = false;
    UndoHistory history;
    KeyboardPen pen;
    // The puzzle with one solution being made for this game, if any; while it is, the board
    // is empty and waits for it.
    PuzzlePreparation preparation;
    // The last puzzle with one solution made, and its number, so that restarting it (or
    // choosing its number again) need not search again.
    Board keptPuzzle;
    PuzzleNumber keptNumber;
    int keptLevel = 0;
    GameKeeping keeping;
};

} // namespace kelvaro
