// A hard game with a long history, for the kept game's benchmarks: 1,000 steps of three cells
// each, every one a piece written where the puzzle has no endpoint, as strokes leave them.
#pragma once

#include "game/game.h"

#include <array>
#include <cstdint>

namespace kelvaro {

inline void addThousandSteps(GameWorld& world) {
    constexpr std::array<std::int8_t, 6> pieces{-12, -13, -14, -23, -24, -34};
    Board& board = world.board;
    int cell = 0;
    for (int step = 0; step < 1000; ++step) {
        beginStep(world.history, board);
        for (int changed = 0; changed < 3;) {
            cell = (cell + 37) % (12 * 12);
            const int index = cellIndex(cell / 12, cell % 12);
            if (board.solution[index] > 0 || board.revealed[index] != 0) continue;
            const std::int8_t now = board.grid[index];
            std::int8_t next = pieces[static_cast<std::size_t>((step + changed) % 6)];
            if (next == now) next = pieces[static_cast<std::size_t>((step + changed + 1) % 6)];
            board.grid[index] = next;
            ++changed;
        }
        endStep(world.history, board);
    }
}

} // namespace kelvaro
