#include "drawing.h"

#include <nlohmann/json.hpp>
#include <utility>

namespace kelvaro::puzzles {

namespace {

int codeAt(const Board& board, int x, int y) {
    return cellAt(board, board.solution, x, y);
}

// Symbols 1..19 become the letters A..S, which read better than numbers beside the lengths.
char letterOf(int symbol) {
    return symbol >= 1 && symbol <= maxSymbol ? static_cast<char>('A' + symbol - 1) : '?';
}

const char* glyphOf(int code) {
    switch (code) {
    case -12:
        return "└";
    case -13:
        return "│";
    case -14:
        return "┘";
    case -23:
        return "┌";
    case -24:
        return "─";
    case -34:
        return "┐";
    default:
        return "?";
    }
}

// A link between two neighbours exists when either one is a segment pointing at the other.
bool linkedRight(const Board& board, int x, int y) {
    return codeContains(codeAt(board, x, y), dirRight) ||
           codeContains(codeAt(board, x + 1, y), dirLeft);
}

bool linkedDown(const Board& board, int x, int y) {
    return codeContains(codeAt(board, x, y), dirDown) ||
           codeContains(codeAt(board, x, y + 1), dirUp);
}

} // namespace

std::string puzzleText(const Board& board, std::uint32_t index, bool ok, bool withSolution,
                       UniqueNote note) {
    const int n = boardSide(board);
    std::string text = "\npuzzle " + std::to_string(index + 1) + ", " + std::to_string(n) + " x " +
                       std::to_string(n) + "\n";
    if (!ok) text += "(generation failed: this board is not a sound puzzle)\n";
    if (note.unique)
        text += "one solution, level " + std::to_string(note.level) + "; " +
                std::to_string(note.rejected) + (note.rejected == 1 ? " puzzle" : " puzzles") +
                " skipped before it\n";
    // Each cell is four columns wide: an endpoint's letter and its line's length, or a dot.
    for (int y = 0; y < n; ++y) {
        std::string row;
        for (int x = 0; x < n; ++x) {
            const int v = codeAt(board, x, y);
            std::string cell =
                v > 0 ? letterOf(v) + std::to_string(board.solutionLength[x * storageSide + y])
                      : std::string(" .");
            cell.resize(4, ' ');
            row += cell;
        }
        while (!row.empty() && row.back() == ' ') row.pop_back();
        text += row + "\n";
    }
    if (!withSolution) return text;

    text += "\nsolution\n";
    for (int y = 0; y < n; ++y) {
        std::string row;
        std::string below;
        for (int x = 0; x < n; ++x) {
            const int v = codeAt(board, x, y);
            if (v > 0)
                row += letterOf(v);
            else if (v < 0)
                row += glyphOf(v);
            else
                row += ' ';
            if (x + 1 < n) row += linkedRight(board, x, y) ? "───" : "   ";
            below += linkedDown(board, x, y) ? "│   " : "    ";
        }
        text += row + "\n";
        if (y + 1 < n) {
            while (!below.empty() && below.back() == ' ') below.pop_back();
            text += below + "\n";
        }
    }
    return text;
}

std::string puzzleJson(const Board& board, std::uint32_t seed, std::uint32_t index, bool ok,
                       UniqueNote note) {
    const int n = boardSide(board);
    // Members in the order they are written, as other tools have always read them.
    nlohmann::ordered_json json;
    json["size"] = n;
    json["seed"] = seed;
    json["index"] = index;
    json["ok"] = ok;
    if (note.unique) {
        json["unique"] = true;
        json["rejected"] = note.rejected;
        json["level"] = note.level;
    }
    nlohmann::ordered_json rows = nlohmann::ordered_json::array();
    for (int y = 0; y < n; ++y) {
        nlohmann::ordered_json row = nlohmann::ordered_json::array();
        for (int x = 0; x < n; ++x) row.push_back(codeAt(board, x, y));
        rows.push_back(std::move(row));
    }
    json["solution"] = std::move(rows);
    return json.dump();
}

} // namespace kelvaro::puzzles
