// The process-wide records of one running game, gathered so that a handler (or a test) gets
// them all in one argument.
#pragma once

#include "engine/board.h"
#include "engine/random_source.h"
#include "game/window_services.h"
#include "model/game_state.h"
#include "store/registry.h"
#include "store/settings.h"

#include <functional>

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
};

} // namespace kelvaro
