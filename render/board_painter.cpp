#include "render/board_painter.h"

#include "render/canvas.h"
#include "render/clear_colours.h"
#include "render/colour.h"
#include "render/status_texts.h"
#include "render/text.h"
#include "store/time_text.h"

#include <array>
#include <cstdio>

namespace kelvaro {
namespace {

QString clockText(std::uint32_t ms) {
    TimeText text{};
    const std::size_t length = timeText(text, ms);
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(length));
}

bool french(const Settings& settings) {
    return settings.language != 0;
}

// The strip's texts: clock, penalty, status or hint text, best time.
void drawStatusTexts(QImage& image, const GameState& state, const Settings& settings,
                     const Statistics& statistics) {
    const std::int32_t language = settings.language;
    if (state.startTick != 0) {
        if (state.exampleMode == 0) {
            const std::uint32_t elapsed = state.nowTick - state.startTick;
            drawText(image, clockText(elapsed), clockRect, TextAlign::right, green);
            if (state.penaltyCells != 0) {
                // Unsigned, like every tick difference: a huge count wraps instead of overflowing.
                const std::uint32_t total =
                    static_cast<std::uint32_t>(state.penaltyCells) * penaltyMs + elapsed;
                char line[64];
                std::snprintf(line, sizeof line, penaltyFormat, state.penaltyCells, penaltySeconds,
                              clockText(total).toUtf8().constData());
                drawText(image, QString::fromUtf8(line), penaltyRect, TextAlign::right, cyan);
            }
        }
        if (state.hintMode == 1)
            drawText(image, QString::fromUtf8(selectCellText.in(language)), statusRect,
                     TextAlign::left, cyan);
        else if (state.hintMode < 0)
            drawText(image, QString::fromUtf8(proposalText.in(language)), statusRect,
                     TextAlign::left, green);
    } else {
        const BilingualText& text = state.exampleMode != 0 ? finishExampleText : connectSymbolsText;
        drawText(image, QString::fromUtf8(text.in(language)), statusRect, TextAlign::centre, cyan);
    }

    // A player or difficulty from outside the records' range has no best time to show.
    const int player = settings.player;
    const int difficulty = settings.difficulty;
    if (player < 0 || player >= playerSlots || difficulty < 0 || difficulty >= difficulties) return;
    const std::int32_t own = statistics.bestTime[player][difficulty];
    std::int32_t best = own;
    for (int slot = 0; slot < playerSlots; ++slot) {
        const std::int32_t time = statistics.bestTime[slot][difficulty];
        if (time != 0 && time < best) best = time;
    }
    if (best == 0) return;
    QString line = clockText(static_cast<std::uint32_t>(best));
    if (best != own)
        line += QStringLiteral(" (%1)").arg(clockText(static_cast<std::uint32_t>(own)));
    drawText(image, line, bestTimeRect, TextAlign::left, purple);
}

// A number the atlas has no tile for is drawn in the glyph's place in the bold face, here in
// the cell.
constexpr Rect numberTextInCell{1, 3, 1 + glyphPixels, 1 + glyphPixels};

void drawNumberText(QImage& image, int number, int left, int top, Colour colour) {
    drawText(image, QString::number(number),
             {left + numberTextInCell.left, top + numberTextInCell.top,
              left + numberTextInCell.right, top + numberTextInCell.bottom},
             TextAlign::centre, colour, TextWeight::bold);
}

bool showsPlayerGrid(const GameState& state) {
    return state.gamePhase == phasePlaying ||
           (state.gamePhase == phaseFinished && state.hintMode < 0);
}

// The glyph an endpoint shows: its symbol once the player's line from it has the required
// length, the required length until then. Atlas tiles when there is one, else a number drawn.
struct EndpointGlyph {
    bool fromAtlas;
    int sx, sy; // the atlas tile
    int number; // the number drawn when there is no tile for it
};

EndpointGlyph endpointGlyph(const Board& board, int index, int code) {
    const int required = board.solutionLength[index];
    if (required == board.gridLength[index]) {
        if (code < atlasTiles) return {true, cellPixels * code, cellPixels, 0};
        return {false, 0, 0, code};
    }
    if (required >= 0 && required < atlasTiles) return {true, cellPixels * required, 0, 0};
    // Long lines made by the refinement passes: the atlas stops at 29.
    return {false, 0, 0, required};
}

void drawCell(BackBuffer& buffer, const GameState& state, const Board& board,
              const Settings& settings, int x, int y) {
    QImage& image = buffer.image;
    const int left = state.boardLeft + cellPixels * x;
    const int top = state.boardTop + cellPixels * y;
    const int index = x * storageSide + y;
    const int code = showsPlayerGrid(state) ? board.grid[index] : board.solution[index];

    copyTile(image, buffer.segmentTiles,
             {cellPixels * segmentTileFor(code), 0, cellPixels, cellPixels, left, top});
    if (x == state.curX && y == state.curY)
        invertRect(image, {left + 1, top + 1, left + 1 + glyphPixels, top + 1 + glyphPixels});

    if (clearColoursOn(settings)) {
        CellMask glyph{};
        if (code > 0) {
            const EndpointGlyph shown = endpointGlyph(board, index, code);
            glyph = shown.fromAtlas
                        ? atlasGlyphMask(buffer.glyphAtlas, shown.sx, shown.sy)
                        : textMask(QString::number(shown.number), numberTextInCell, true);
        }
        drawClearMarks(image, board, x, y, code, glyph, left, top);
        return;
    }

    const Colour colour = cellColour(board, settings, x, y);
    if (code > 0) {
        const EndpointGlyph shown = endpointGlyph(board, index, code);
        if (shown.fromAtlas)
            drawGlyph(image, buffer.glyphAtlas, shown.sx, shown.sy, left + 1, top + 1, colour);
        else
            drawNumberText(image, shown.number, left, top, colour);
    } else if (code < 0 && colour != settings.lineOkColour) {
        // Units digit first, tens second: the two directions the line leaves by.
        const int digits = -code;
        for (const int direction : {digits % 10, digits / 10}) {
            Rect bar{};
            switch (direction) {
            case dirUp:
                bar = {left + 9, top, left + 11, top + 11};
                break;
            case dirRight:
                bar = {left + 9, top + 9, left + 20, top + 11};
                break;
            case dirDown:
                bar = {left + 9, top + 9, left + 11, top + 20};
                break;
            case dirLeft:
                bar = {left, top + 9, left + 11, top + 11};
                break;
            default:
                continue;
            }
            fillRect(image, bar, colour);
        }
    }
}

bool isRedrawn(const GameState& state, int x, int y) {
    if (state.repaintMode == repaintWhole) return true;
    if (state.repaintMode != repaintStroke) return false;
    return (x == state.curX && y == state.curY) || (x == state.prevX && y == state.prevY) ||
           (x == state.partnerX && y == state.partnerY);
}

void drawBanner(BackBuffer& buffer, const GameState& state, const Settings& settings) {
    if (state.gamePhase != phaseFinished || state.penaltyCells != 0) return;
    const bool inFrench = french(settings);
    if (state.solveState == 0) {
        const QImage banner = buffer.loadPicture(perfectBannerId);
        if (banner.isNull()) return;
        copyTwoColour(buffer.image, banner,
                      {0, inFrench ? 0 : 13, 65, 13, perfectBannerPlace.x, perfectBannerPlace.y},
                      black, green);
    } else if (state.hintMode >= 0) {
        const QImage banner = buffer.loadPicture(acceptedBannerId);
        if (banner.isNull()) return;
        copyTwoColour(buffer.image, banner,
                      {0, inFrench ? 0 : 19, 156, inFrench ? 18 : 17, acceptedBannerPlace.x,
                       acceptedBannerPlace.y},
                      black, lightCyan);
    }
}

void drawBoard(BackBuffer& buffer, const GameState& state, const Board& board,
               const Settings& settings) {
    QImage& image = buffer.image;
    if (buffer.glyphAtlas.isNull() || buffer.segmentTiles.isNull()) {
        drawText(image, QString::fromUtf8(missingPicturesText), statusRect, TextAlign::right, red);
        return;
    }
    const int n = boardSide(board);
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            if (isRedrawn(state, x, y)) drawCell(buffer, state, board, settings, x, y);

    // cellAt reads an off-board current cell as empty, so it never leaves the layers.
    if (state.curX >= 0 && state.curY >= 0 &&
        cellAt(board, board.solution, state.curX, state.curY) <= 0 &&
        state.gamePhase == phasePlaying) {
        const int left = state.boardLeft + cellPixels * state.curX;
        const int top = state.boardTop + cellPixels * state.curY;
        if (clearColoursOn(settings)) {
            paintOutlined(
                image,
                textMask(QString::number(state.lineLength), {0, 0, cellPixels, cellPixels}, false),
                left, top, clearLengthColour);
        } else {
            drawText(image, QString::number(state.lineLength),
                     {left, top, left + cellPixels, top + cellPixels}, TextAlign::centre, black);
        }
    }
    drawBanner(buffer, state, settings);
}

} // namespace

int segmentTileFor(int code) {
    switch (code) {
    case -13:
        return 1;
    case -24:
        return 2;
    case -12:
        return 3;
    case -14:
        return 4;
    case -34:
        return 5;
    case -23:
        return 6;
    default:
        return 0;
    }
}

Colour cellColour(const Board& board, const Settings& settings, int x, int y) {
    const int index = cellIndex(x, y);
    if (index < 0) return settings.lineOkColour;
    Colour colour = settings.lineOkColour;
    if (board.errors[index] != 0) colour = settings.lineViColour;
    if (board.revealed[index] != 0) colour = revealedColour;
    if (board.traceMarks[index] != 0) colour = traceColour;
    return colour;
}

Rect onPaint(BackBuffer& buffer, GameState& state, const Board& board, const Settings& settings,
             const Statistics& statistics, TickSource& ticks, const SplashPainter& paintSplash) {
    const bool present = hasBackBuffer(buffer);
    if (present)
        fillRect(buffer.image,
                 state.repaintMode == repaintWhole ? wholeBuffer(buffer) : statusStrip(buffer),
                 black);
    if (state.splashTick != 0) return paintSplash ? paintSplash(buffer) : Rect{};
    if (!present) return {};

    if (state.gamePhase == phasePlaying) state.nowTick = ticks.tickCount();
    drawStatusTexts(buffer.image, state, settings, statistics);

    if (state.gamePhase == phasePaused) {
        const QImage sign = buffer.loadPicture(pausePictureId);
        if (!sign.isNull())
            copyTwoColour(buffer.image, sign,
                          {0, 0, 91, 15, pausePicturePlace.x, pausePicturePlace.y}, red, black);
    } else if (state.repaintMode != repaintStatus) {
        drawBoard(buffer, state, board, settings);
    }
    return state.repaintMode == repaintStatus ? statusStrip(buffer) : wholeBuffer(buffer);
}

} // namespace kelvaro
