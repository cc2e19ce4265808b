#include "render/puzzle_sheet.h"

#include "render/text.h"

#include <QFont>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace kelvaro {

namespace {

// Millimetres on paper: a pencil needs room in a cell, the eye a clear frame around the grid.
constexpr double pageMarginMm = 15;
constexpr double labelHeightMm = 10;
constexpr double labelTextMm = 4;
constexpr double slotGapMm = 8; // between two puzzles on a page
constexpr double maxCellMm = 16;
constexpr double innerLineMm = 0.25;
constexpr double outerLineMm = 0.9;
// Shares of a cell's side.
constexpr double lengthTextShare = 0.5;
constexpr double solutionLineShare = 0.16;
constexpr double endpointDiscShare = 0.72;

struct PageGrid {
    int columns;
    int rows;
};

PageGrid pageGrid(int perPage) {
    switch (perPage) {
    case 2:
        return {1, 2};
    case 4:
        return {2, 2};
    case 6:
        return {2, 3};
    default:
        return {1, 1};
    }
}

// The bundled face at a size in painter units, scaled smoothly: hinting is for screens.
QFont sheetFont(double size, bool bold) {
    QFont font(textFont(bold ? TextWeight::bold : TextWeight::normal).family());
    font.setBold(bold);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(size))));
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::PreferDefault);
    return font;
}

QRectF cellRect(const QRectF& square, int n, int x, int y) {
    const double side = square.width() / n;
    return {square.left() + x * side, square.top() + y * side, side, side};
}

// Thin inner lines, one per cell border, and the thick frame over them.
void paintGrid(QPainter& painter, const QRectF& square, int n, double unitsPerMm) {
    const double side = square.width() / n;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::black, innerLineMm * unitsPerMm, Qt::SolidLine, Qt::FlatCap));
    for (int i = 1; i < n; ++i) {
        const double along = i * side;
        painter.drawLine(QPointF(square.left() + along, square.top()),
                         QPointF(square.left() + along, square.bottom()));
        painter.drawLine(QPointF(square.left(), square.top() + along),
                         QPointF(square.right(), square.top() + along));
    }
    painter.setPen(
        QPen(Qt::black, outerLineMm * unitsPerMm, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawRect(square);
}

// The solution's lines, from each cell's centre to the middle of every edge its line crosses.
void paintLines(QPainter& painter, const QRectF& square, const Board& board) {
    const int n = boardSide(board);
    const double side = square.width() / n;
    painter.setPen(QPen(Qt::black, solutionLineShare * side, Qt::SolidLine, Qt::RoundCap));
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) {
            const int code = cellAt(board, board.solution, x, y);
            if (code == 0) continue;
            const QPointF centre = cellRect(square, n, x, y).center();
            for (int d = dirUp; d <= dirLeft; ++d) {
                int nx = x, ny = y;
                stepCell(d, nx, ny);
                // A segment names its two ways out; an endpoint is joined where a segment
                // next to it points back at it.
                const bool joined = code < 0 ? codeContains(code, d)
                                             : codeContains(cellAt(board, board.solution, nx, ny),
                                                            oppositeDirection(d));
                if (!joined) continue;
                const QPointF edge = centre + QPointF(nx - x, ny - y) * (side / 2);
                painter.drawLine(centre, edge);
            }
        }
    }
}

// Each endpoint's length, the number the player must meet; on a white disc over the lines.
void paintLengths(QPainter& painter, const QRectF& square, const Board& board, bool onDiscs,
                  double unitsPerMm) {
    const int n = boardSide(board);
    const double side = square.width() / n;
    painter.setFont(sheetFont(lengthTextShare * side, true));
    for (int x = 0; x < n; ++x) {
        for (int y = 0; y < n; ++y) {
            if (cellAt(board, board.solution, x, y) <= 0) continue;
            const QRectF cell = cellRect(square, n, x, y);
            if (onDiscs) {
                const double radius = endpointDiscShare * side / 2;
                painter.setPen(QPen(Qt::black, innerLineMm * unitsPerMm));
                painter.setBrush(Qt::white);
                painter.drawEllipse(cell.center(), radius, radius);
                painter.setBrush(Qt::NoBrush);
            }
            painter.setPen(Qt::black);
            painter.drawText(cell, Qt::AlignCenter,
                             QString::number(cellAt(board, board.solutionLength, x, y)));
        }
    }
}

void paintPuzzle(QPainter& painter, const QRectF& slot, double unitsPerMm,
                 const PrintedPuzzle& puzzle, bool solution) {
    const int n = boardSide(puzzle.board);
    if (n == 0) return;
    const double label = labelHeightMm * unitsPerMm;
    const double side = std::min({slot.width(), slot.height() - label, maxCellMm * unitsPerMm * n});
    if (side <= 0) return;
    const double top = slot.top() + (slot.height() - label - side) / 2;
    const QRectF square(slot.left() + (slot.width() - side) / 2, top, side, side);
    if (solution) paintLines(painter, square, puzzle.board);
    paintGrid(painter, square, n, unitsPerMm);
    paintLengths(painter, square, puzzle.board, solution, unitsPerMm);
    painter.setPen(Qt::black);
    painter.setFont(sheetFont(labelTextMm * unitsPerMm, false));
    painter.drawText(QRectF(slot.left(), square.bottom(), slot.width(), label), Qt::AlignCenter,
                     puzzle.number);
}

} // namespace

int sheetPageCount(int puzzles, const SheetLayout& layout) {
    if (puzzles <= 0 || layout.perPage <= 0) return 0;
    const int puzzlePages = (puzzles + layout.perPage - 1) / layout.perPage;
    return layout.solutions ? 2 * puzzlePages : puzzlePages;
}

void paintSheetPage(QPainter& painter, const QRectF& area, double unitsPerMm,
                    const std::vector<PrintedPuzzle>& puzzles, const SheetLayout& layout,
                    int page) {
    const int count = static_cast<int>(puzzles.size());
    if (page < 0 || page >= sheetPageCount(count, layout)) return;
    const int puzzlePages = sheetPageCount(count, {layout.perPage, false});
    const bool solutions = page >= puzzlePages;
    const int first = (solutions ? page - puzzlePages : page) * layout.perPage;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const PageGrid grid = pageGrid(layout.perPage);
    const double margin = pageMarginMm * unitsPerMm;
    const double gap = slotGapMm * unitsPerMm;
    const QRectF inside = area.adjusted(margin, margin, -margin, -margin);
    const double slotWidth = (inside.width() - gap * (grid.columns - 1)) / grid.columns;
    const double slotHeight = (inside.height() - gap * (grid.rows - 1)) / grid.rows;
    for (int i = 0; i < layout.perPage && first + i < count; ++i) {
        // Row by row, as a page is read.
        const int column = i % grid.columns, row = i / grid.columns;
        const QRectF slot(inside.left() + column * (slotWidth + gap),
                          inside.top() + row * (slotHeight + gap), slotWidth, slotHeight);
        paintPuzzle(painter, slot, unitsPerMm, puzzles[static_cast<std::size_t>(first + i)],
                    solutions);
    }
    painter.restore();
}

} // namespace kelvaro
