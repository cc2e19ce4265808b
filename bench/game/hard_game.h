// A hard game for the benchmarks, with its stroke pressed on the first cell of a path that
// snakes over the whole 12 x 12 board.
#pragma once

#include "engine/random_source.h"
#include "game/game.h"
#include "quiet_window.h"
#include "store/memory_registry.h"
#include "store/settings_store.h"

#include <cstddef>
#include <vector>

namespace kelvaro {

// Every cell of the board, column by column, down and up in turn: each step is a move to a
// neighbour, so every move is a drawing step that writes a code.
inline std::vector<Point> snakePixels(const GameState& state) {
    std::vector<Point> path;
    for (int x = 0; x < 12; ++x)
        for (int i = 0; i < 12; ++i) {
            const int y = x % 2 == 0 ? i : 11 - i;
            path.push_back({state.boardLeft + 20 * x + 10, state.boardTop + 20 * y + 10});
        }
    return path;
}

struct HardGame {
    QuietWindow window;
    MemoryRegistry registry;
    Mt19937Source random{7};
    GameWorld world{registry, window, random};
    std::vector<Point> path;
    Layer startGrid{};

    HardGame() {
        world.settings.difficulty = 2;
        saveSettings(world.settings, world.statistics, registry);
        newGame(world);
        path = snakePixels(world.state);
        startGrid = world.board.grid;
        onStylusDown(world, path[0].x, path[0].y);
    }

    // One move along the snake; a new lap starts on the game's first grid, as the snake
    // never solves the puzzle.
    void step(std::size_t& i) {
        if (++i == path.size()) {
            i = 0;
            world.board.grid = startGrid;
        }
        onStylusMove(world, path[i].x, path[i].y);
    }
};

} // namespace kelvaro
