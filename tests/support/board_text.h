// Boards drawn as text, one row per line, so a test shows its fixture.
//   .  empty          1-9 endpoints 1 to 9, a-j endpoints 10 to 19
//   |  up-down  -13   -  right-left  -24
//   L  up-right -12   J  up-left     -14
//   r  right-down -23 7  down-left   -34
#pragma once

#include "engine/board.h"
#include "engine/checker.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace kelvaro {

using BoardRows = std::vector<std::string>;

inline std::int8_t codeFromChar(char c) {
    switch (c) {
    case '.':
        return 0;
    case '|':
        return -13;
    case '-':
        return -24;
    case 'L':
        return -12;
    case 'J':
        return -14;
    case 'r':
        return -23;
    case '7':
        return -34;
    default:
        break;
    }
    if (c >= '1' && c <= '9') return static_cast<std::int8_t>(c - '0');
    if (c >= 'a' && c <= 'j') return static_cast<std::int8_t>(c - 'a' + 10);
    throw std::invalid_argument(std::string("not a cell code: ") + c);
}

inline char charFromCode(std::int8_t code) {
    switch (code) {
    case 0:
        return '.';
    case -13:
        return '|';
    case -24:
        return '-';
    case -12:
        return 'L';
    case -14:
        return 'J';
    case -23:
        return 'r';
    case -34:
        return '7';
    default:
        break;
    }
    if (code >= 1 && code <= 9) return static_cast<char>('0' + code);
    if (code >= 10 && code <= 19) return static_cast<char>('a' + code - 10);
    return '?';
}

// Fills a whole layer from rows (all 144 cells: the ones outside the rows become 0).
inline void setLayer(Layer& layer, const BoardRows& rows) {
    clearLayer(layer);
    for (std::size_t y = 0; y < rows.size(); ++y)
        for (std::size_t x = 0; x < rows[y].size(); ++x)
            layer[cellIndex(static_cast<int>(x), static_cast<int>(y))] = codeFromChar(rows[y][x]);
}

// The top-left n x n cells of a layer as rows.
inline BoardRows layerRows(const Board& board, const Layer& layer) {
    BoardRows rows;
    for (int y = 0; y < board.boardSize; ++y) {
        std::string row;
        for (int x = 0; x < board.boardSize; ++x) row += charFromCode(layer[cellIndex(x, y)]);
        rows.push_back(row);
    }
    return rows;
}

// Puts a solved puzzle on the board as a new game has it: the solution with its lengths and
// owners, and a grid holding the endpoints alone.
inline void putPuzzle(Board& board, const BoardRows& solutionRows) {
    board = Board{};
    board.boardSize = static_cast<std::int16_t>(solutionRows.size());
    setLayer(board.solution, solutionRows);
    for (int i = 0; i < layerCells; ++i)
        board.grid[i] = board.solution[i] > 0 ? board.solution[i] : std::int8_t{0};
    checkGrid(board, solutionLayer);
    computeOwners(board, solutionLayer);
}

} // namespace kelvaro
