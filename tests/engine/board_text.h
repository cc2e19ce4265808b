// Boards drawn as text, one row per line, for the engine tests.
//   .  empty          1-9, a-j  endpoint with symbol 1..19
//   |  up-down  (-13) -  right-left (-24)
//   L  up-right (-12) J  up-left    (-14)
//   F  right-down (-23) 7  down-left (-34)
// Blanks are ignored; the number of rows sets boardSize.
#pragma once

#include "engine/board.h"

#include <string>
#include <string_view>

namespace kelvaro::testing {

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
    return 99; // never a valid code: shows up at once in a failing comparison
}

inline char charFromCode(int v) {
    switch (v) {
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
    if (v >= 1 && v <= 9) return static_cast<char>('0' + v);
    if (v >= 10 && v <= 19) return static_cast<char>('a' + v - 10);
    return '?';
}

// Fills `layer` from the drawing (all 144 bytes cleared first) and sets boardSize.
inline void drawLayer(Board& board, Layer& layer, std::string_view text) {
    clearLayer(layer);
    int x = 0, y = 0;
    bool rowHasCells = false;
    for (const char c : text) {
        if (c == ' ') continue;
        if (c == '\n') {
            if (rowHasCells) ++y;
            x = 0;
            rowHasCells = false;
            continue;
        }
        if (x < storageSide && y < storageSide) layer[x * storageSide + y] = codeFromChar(c);
        ++x;
        rowHasCells = true;
    }
    board.boardSize = static_cast<std::int16_t>(rowHasCells ? y + 1 : y);
}

// A board whose solution and grid both hold the drawing.
inline Board boardFromText(std::string_view text) {
    Board board;
    drawLayer(board, board.solution, text);
    drawLayer(board, board.grid, text);
    return board;
}

// The board part of a code layer drawn back as text, one row per line.
inline std::string layerText(const Board& board, const Layer& layer) {
    std::string text;
    const int n = boardSide(board);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) text += charFromCode(layer[x * storageSide + y]);
        text += '\n';
    }
    return text;
}

// '#' where a byte layer (marks, errors, owners) is non-zero, '.' elsewhere.
inline std::string maskText(const Board& board, const Layer& layer) {
    std::string text;
    const int n = boardSide(board);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) text += layer[x * storageSide + y] != 0 ? '#' : '.';
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

// The fixed 5 x 5 example taught after the rules: three lines of 5, 5 and 9 segment cells.
constexpr std::string_view exampleBoard = "F12F7\n"
                                          "|FJ||\n"
                                          "||3J|\n"
                                          "|L-2|\n"
                                          "L13-J\n";

} // namespace kelvaro::testing
