// Puzzles on paper: pages of puzzles as the game shows them at their start (the grid, each
// endpoint with its line's length, the puzzle number under it), and pages of their solutions.
// Drawn in vectors with the bundled DejaVu Sans, in black on white, for any paint device:
// a PDF or SVG file, or a printer.
#pragma once

#include "engine/board.h"

#include <QRectF>
#include <QString>
#include <vector>

class QPainter;

namespace kelvaro {

struct PrintedPuzzle {
    Board board;    // its solution and solutionLength layers, as the generator leaves them
    QString number; // its puzzle number, "8-3141592653", printed under it
};

// The layouts a page may have: puzzles per page.
constexpr bool isPuzzlesPerPage(int perPage) {
    return perPage == 1 || perPage == 2 || perPage == 4 || perPage == 6;
}

struct SheetLayout {
    int perPage = 1;        // 1, 2, 4 or 6
    bool solutions = false; // the solution pages follow all puzzle pages, in the same order
};

// Pages needed for `puzzles` puzzles: their pages, and as many again with the solutions.
int sheetPageCount(int puzzles, const SheetLayout& layout);

// Paints page `page` (from 0) of the sheets in `area`, the page in painter coordinates, at
// `unitsPerMm` painter units to the millimetre. A page past the last paints nothing.
void paintSheetPage(QPainter& painter, const QRectF& area, double unitsPerMm,
                    const std::vector<PrintedPuzzle>& puzzles, const SheetLayout& layout, int page);

} // namespace kelvaro
