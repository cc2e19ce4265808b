// Boards drawn as text, one row per line, so a test shows its fixture.
//   .  empty          1-9 endpoints 1 to 9, a-j endpoints 10 to 19
//   |  up-down  -13   -  right-left  -24
//   L  up-right -12   J  up-left     -14
//   F  right-down -23 7  down-left   -34
// A drawing is either one string with a row per line (blanks ignored, the number of rows sets
// boardSize) or a list of rows.
#pragma once

#include "engine/board.h"
#include "engine/checker.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
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
    case 'F':
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

inline char charFromCode(int code) {
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
        return 'F';
    case -34:
        return '7';
    default:
        break;
    }
    if (code >= 1 && code <= 9) return static_cast<char>('0' + code);
    if (code >= 10 && code <= 19) return static_cast<char>('a' + code - 10);
    return '?';
}

// The rows of a drawing: blanks dropped, lines without cells skipped.
inline BoardRows rowsFromText(std::string_view text) {
    BoardRows rows;
    std::string row;
    for (const char c : text) {
        if (c == ' ') continue;
        if (c == '\n') {
            if (!row.empty()) rows.push_back(row);
            row.clear();
            continue;
        }
        row += c;
    }
    if (!row.empty()) rows.push_back(row);
    return rows;
}

// Fills a whole layer from rows (all 144 cells: the ones outside the rows become 0).
inline void setLayer(Layer& layer, const BoardRows& rows) {
    clearLayer(layer);
    for (std::size_t y = 0; y < rows.size() && y < storageSide; ++y)
        for (std::size_t x = 0; x < rows[y].size() && x < storageSide; ++x)
            layer[cellIndex(static_cast<int>(x), static_cast<int>(y))] = codeFromChar(rows[y][x]);
}

// Fills `layer` from the drawing and sets boardSize to its number of rows.
inline void drawLayer(Board& board, Layer& layer, std::string_view text) {
    const BoardRows rows = rowsFromText(text);
    setLayer(layer, rows);
    board.boardSize = static_cast<std::int16_t>(rows.size());
}

// A board whose solution and grid both hold the drawing.
inline Board boardFromText(std::string_view text) {
    Board board;
    drawLayer(board, board.solution, text);
    drawLayer(board, board.grid, text);
    return board;
}

// The top-left n x n cells of a layer as rows.
inline BoardRows layerRows(const Board& board, const Layer& layer) {
    BoardRows rows;
    const int n = boardSide(board);
    for (int y = 0; y < n; ++y) {
        std::string row;
        for (int x = 0; x < n; ++x) row += charFromCode(layer[cellIndex(x, y)]);
        rows.push_back(row);
    }
    return rows;
}

// The board part of a code layer drawn back as text, one row per line.
inline std::string layerText(const Board& board, const Layer& layer) {
    std::string text;
    for (const std::string& row : layerRows(board, layer)) text += row + '\n';
    return text;
}

// '#' where a byte layer (marks, errors, owners) is non-zero, '.' elsewhere.
inline std::string maskText(const Board& board, const Layer& layer) {
    std::string text;
    const int n = boardSide(board);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) text += layer[cellIndex(x, y)] != 0 ? '#' : '.';
        text += '\n';
    }
    return text;
}

// Whether every byte outside the n x n board is zero.
inline bool outsideIsClear(const Board& board, const Layer& layer) {
    for (int i = 0; i < layerCells; ++i)
        if (!inBoard(board, i / storageSide, i % storageSide) && layer[i] != 0) return false;
    return true;
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

// The fixed 5 x 5 example taught after the rules: three lines of 5, 5 and 9 segment cells.
constexpr std::string_view exampleBoard = "F12F7\n"
                                          "|FJ||\n"
                                          "||3J|\n"
                                          "|L-2|\n"
                                          "L13-J\n";

// A puzzle with a second solution: lines 1 and 2 can swap routes through the top-left 4 x 3
// cells, so some cells change owner while every line keeps its length. The player's grid has
// the other routes drawn but for two cells of line 1, (2, 2) and (1, 2), drawn by a stroke
// from (2, 1) to (0, 2).
inline const std::vector<std::string> twoRoutesPuzzle{"1--73", "F21J|", "L--2|", "F7F7|", "3LJLJ"};
inline const std::vector<std::string> otherRoutesAlmostDrawn{"1F-73", "|21||", "L..2|", "F7F7|",
                                                             "3LJLJ"};
inline const std::vector<std::string> otherRoutesDrawn{"1F-73", "|21||", "L-J2|", "F7F7|", "3LJLJ"};

} // namespace kelvaro
