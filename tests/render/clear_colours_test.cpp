// Clear colours measured on the painted back buffer, with the bundled pictures: the contrast
// of every glyph against the pixels around it, how far apart the four line states stay for
// every eye, the bars against their pipe, the error's mark without colour; and, with the
// option off, the same pixels as before it existed.
#include "board_text.h"
#include "colour_vision.h"
#include "gui_application.h"
#include "render/back_buffer.h"
#include "render/board_painter.h"
#include "render/colour.h"
#include "render/pictures.h"
#include "render/text.h"
#include "tools/scenes/scene_setup.h"

#include <QImage>
#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace kelvaro {
namespace {

class StillClock final : public TickSource {
  public:
    explicit StillClock(std::uint32_t at = 90000) : at_(at) {}
    std::uint32_t tickCount() override { return at_; }

  private:
    std::uint32_t at_;
};

enum class LineState { normal, error, traced, revealed };
constexpr LineState allStates[] = {LineState::normal, LineState::error, LineState::traced,
                                   LineState::revealed};

const char* stateName(LineState s) {
    switch (s) {
    case LineState::error:
        return "error";
    case LineState::traced:
        return "traced";
    case LineState::revealed:
        return "revealed";
    default:
        return "normal";
    }
}

// Every pipe tile, and endpoints that show a symbol (1), a one-digit number (2), a two-digit
// number (3) and a number beyond the atlas (4).
constexpr const char* measuredBoard = R"(
    1-7.2
    ..|..
    F-J.3
    |....
    L-4..
)";

struct CellAt {
    int x, y;
};
constexpr CellAt symbolCell{0, 0};
constexpr CellAt numberCell{4, 0};
constexpr CellAt twoDigitCell{4, 2};
constexpr CellAt drawnNumberCell{2, 4};
constexpr CellAt pipeCells[] = {{1, 0}, {2, 0}, {2, 1}, {0, 2}, {1, 2},
                                {2, 2}, {0, 3}, {0, 4}, {1, 4}};
constexpr CellAt verticalPipeCell{2, 1};
constexpr CellAt emptyCell{3, 1};
constexpr int shownLength = 12;

using PixelSet = std::set<std::pair<int, int>>; // (x, y) in the buffer

class ClearColoursPaint : public testing::Test {
  protected:
    void SetUp() override {
        ensureGuiApplication();
        createBackBuffer(buffer, screenWidth, bufferHeight);
        ASSERT_FALSE(buffer.glyphAtlas.isNull());
        ASSERT_FALSE(buffer.segmentTiles.isNull());
        board = boardFromText(measuredBoard);
        setLengths(symbolCell, 3, 3);
        setLengths(numberCell, 7, 0);
        setLengths(twoDigitCell, 12, 5);
        setLengths(drawnNumberCell, 31, 0);
        placeBoard(state, board);
        state.repaintMode = repaintWhole;
        state.curX = state.curY = state.prevX = state.prevY = -1;
        state.partnerX = state.partnerY = -1;
        state.startTick = 1000;
        state.lineLength = shownLength;
    }

    void setLengths(CellAt c, int required, int drawn) {
        board.solutionLength[cellIndex(c.x, c.y)] = static_cast<std::int8_t>(required);
        board.gridLength[cellIndex(c.x, c.y)] = static_cast<std::int8_t>(drawn);
    }

    // Every cell of the board in one state; the current cell, if any, at `current`.
    QImage paint(LineState s, bool clear, const CellAt* current = nullptr) {
        for (int i = 0; i < layerCells; ++i) {
            board.errors[i] = s == LineState::error ? 1 : 0;
            board.revealed[i] = s == LineState::revealed ? 1 : 0;
            board.traceMarks[i] = s == LineState::traced ? 1 : 0;
        }
        settings.clearColours = clear ? 1 : 0;
        state.curX = static_cast<std::int8_t>(current ? current->x : -1);
        state.curY = static_cast<std::int8_t>(current ? current->y : -1);
        StillClock clock;
        onPaint(buffer, state, board, settings, statistics, clock);
        return buffer.image.copy();
    }

    Point origin(CellAt c) const {
        return {state.boardLeft + cellPixels * c.x, state.boardTop + cellPixels * c.y};
    }

    // The white pixels of the atlas tile, where the painter puts an endpoint's glyph.
    PixelSet atlasGlyph(CellAt c, int sx, int sy) const {
        PixelSet pixels;
        const Point o = origin(c);
        for (int y = 0; y < glyphPixels; ++y)
            for (int x = 0; x < glyphPixels; ++x)
                if (qGray(buffer.glyphAtlas.pixel(sx + x, sy + y)) >= 128)
                    pixels.insert({o.x + 1 + x, o.y + 1 + y});
        return pixels;
    }

    // The pixels the text covers when drawn into area.
    static PixelSet textGlyph(const QString& text, const Rect& area, TextWeight weight) {
        QImage scratch(screenWidth, bufferHeight, QImage::Format_RGB32);
        scratch.fill(toQRgb(black));
        drawText(scratch, text, area, TextAlign::centre, white, weight);
        PixelSet pixels;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (fromQRgb(scratch.pixel(x, y)) != black) pixels.insert({x, y});
        return pixels;
    }

    struct Glyph {
        const char* kind;
        PixelSet pixels;
        const CellAt* current; // the cell the paint makes current
    };

    std::vector<Glyph> glyphs() const {
        const Point drawn = origin(drawnNumberCell);
        const Point empty = origin(emptyCell);
        const Point pipe = origin(pipeCells[4]);
        const auto lengthIn = [](Point o) {
            return textGlyph(QString::number(shownLength),
                             {o.x, o.y, o.x + cellPixels, o.y + cellPixels}, TextWeight::normal);
        };
        return {
            {"symbol", atlasGlyph(symbolCell, cellPixels * 1, cellPixels), nullptr},
            {"number", atlasGlyph(numberCell, cellPixels * 7, 0), nullptr},
            {"two-digit number", atlasGlyph(twoDigitCell, cellPixels * 12, 0), nullptr},
            {"number beyond the atlas",
             textGlyph(
                 QStringLiteral("31"),
                 {drawn.x + 1, drawn.y + 3, drawn.x + 1 + glyphPixels, drawn.y + 1 + glyphPixels},
                 TextWeight::bold),
             nullptr},
            {"line length on an empty cell", lengthIn(empty), &emptyCell},
            {"line length on a pipe", lengthIn(pipe), &pipeCells[4]},
        };
    }

    BackBuffer buffer;
    Board board;
    GameState state;
    Settings settings;
    Statistics statistics;
};

// The lowest contrast between a pixel of the shape and a pixel that touches it from outside.
double lowestContrastAround(const QImage& image, const PixelSet& shape) {
    double lowest = std::numeric_limits<double>::infinity();
    for (const auto& [x, y] : shape)
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                if (!shape.contains({x + dx, y + dy}))
                    lowest = std::min(
                        lowest, contrastRatio(image.pixel(x, y), image.pixel(x + dx, y + dy)));
    return lowest;
}

QRgb mostCommonColour(const QImage& image, const PixelSet& shape) {
    std::map<QRgb, int> counts;
    for (const auto& [x, y] : shape) ++counts[image.pixel(x, y)];
    QRgb best = 0;
    int most = 0;
    for (const auto& [colour, count] : counts)
        if (count > most) {
            best = colour;
            most = count;
        }
    return best;
}

// The colour a vertical pipe's core shows most: its silver, or the colour of its bars.
QRgb pipeCoreColour(const QImage& image, Point o) {
    PixelSet core;
    for (int y = 0; y < cellPixels; ++y)
        for (const int x : {9, 10}) core.insert({o.x + x, o.y + y});
    return mostCommonColour(image, core);
}

TEST_F(ClearColoursPaint, EveryGlyphStandsOutFromThePixelsAroundItInEveryState) {
    for (const LineState s : allStates) {
        for (const Glyph& glyph : glyphs()) {
            SCOPED_TRACE(std::string(stateName(s)) + ", " + glyph.kind);
            ASSERT_GT(glyph.pixels.size(), 10u);
            const QImage image = paint(s, true, glyph.current);
            EXPECT_GE(lowestContrastAround(image, glyph.pixels), 4.5);
        }
    }
}

TEST_F(ClearColoursPaint, TheFourStatesStayApartWithNormalSightAndEveryColourBlindness) {
    const PixelSet number = atlasGlyph(numberCell, cellPixels * 7, 0);
    std::map<LineState, QRgb> endpoint;
    std::map<LineState, QRgb> pipe;
    for (const LineState s : allStates) {
        const QImage image = paint(s, true);
        endpoint[s] = mostCommonColour(image, number);
        pipe[s] = pipeCoreColour(image, origin(verticalPipeCell));
    }
    for (const Vision vision : allVisions)
        for (const LineState a : allStates)
            for (const LineState b : allStates) {
                if (a >= b) continue;
                SCOPED_TRACE(std::string(visionName(vision)) + ": " + stateName(a) + " and " +
                             stateName(b));
                EXPECT_GE(deltaE(endpoint[a], endpoint[b], vision), 20.0) << "endpoints";
                EXPECT_GE(deltaE(pipe[a], pipe[b], vision), 20.0) << "pipes";
            }
}

// The mark of a state on a pipe: every pixel of the cell that differs from the plain pipe.
PixelSet markOnCell(const QImage& marked, const QImage& plain, Point o) {
    PixelSet mark;
    for (int y = 0; y < cellPixels; ++y)
        for (int x = 0; x < cellPixels; ++x)
            if (marked.pixel(o.x + x, o.y + y) != plain.pixel(o.x + x, o.y + y))
                mark.insert({o.x + x, o.y + y});
    return mark;
}

TEST_F(ClearColoursPaint, TheStateBarsStandOutFromThePipeAroundThem) {
    const QImage plain = paint(LineState::normal, true);
    for (const LineState s : {LineState::error, LineState::traced, LineState::revealed}) {
        const QImage image = paint(s, true);
        for (const CellAt c : pipeCells) {
            SCOPED_TRACE(std::string(stateName(s)) + " pipe at " + std::to_string(c.x) + ", " +
                         std::to_string(c.y));
            const Point o = origin(c);
            const PixelSet mark = markOnCell(image, plain, o);
            ASSERT_GE(mark.size(), 40u);
            // Within the cell: the next cell carries its own bars.
            double lowest = std::numeric_limits<double>::infinity();
            for (const auto& [x, y] : mark)
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int nx = x + dx;
                        const int ny = y + dy;
                        if (mark.contains({nx, ny}) || nx < o.x || ny < o.y ||
                            nx >= o.x + cellPixels || ny >= o.y + cellPixels)
                            continue;
                        lowest =
                            std::min(lowest, contrastRatio(image.pixel(x, y), image.pixel(nx, ny)));
                    }
            EXPECT_GE(lowest, 3.0);
        }
    }
}

// Pixels of a cell at which two paints differ by more than the colour of their state: one
// shows its state's colour and the other does not, or neither does and their greys differ.
int shapeDifferences(const QImage& a, QRgb aColour, const QImage& b, QRgb bColour, Point o) {
    int count = 0;
    for (int y = 0; y < cellPixels; ++y)
        for (int x = 0; x < cellPixels; ++x) {
            const QRgb pa = a.pixel(o.x + x, o.y + y);
            const QRgb pb = b.pixel(o.x + x, o.y + y);
            const bool aState = pa == aColour;
            const bool bState = pb == bColour;
            if (aState != bState || (!aState && std::abs(qGray(pa) - qGray(pb)) >= 64)) ++count;
        }
    return count;
}

// Pixels of a cell whose greys differ by a quarter of the scale or more.
int greyDifferences(const QImage& a, const QImage& b, Point o) {
    int count = 0;
    for (int y = 0; y < cellPixels; ++y)
        for (int x = 0; x < cellPixels; ++x)
            if (std::abs(qGray(a.pixel(o.x + x, o.y + y)) - qGray(b.pixel(o.x + x, o.y + y))) >= 64)
                ++count;
    return count;
}

TEST_F(ClearColoursPaint, AnErrorCarriesAMarkThatIsNoColourAndShowsInGreyscale) {
    const PixelSet number = atlasGlyph(numberCell, cellPixels * 7, 0);
    std::map<LineState, QImage> images;
    std::map<LineState, QRgb> colours;
    for (const LineState s : allStates) {
        images[s] = paint(s, true);
        colours[s] = mostCommonColour(images[s], number);
    }
    const CellAt endpoints[] = {symbolCell, numberCell, twoDigitCell, drawnNumberCell};
    // Eight pixels: a third of the strokes of the smallest digit.
    constexpr int markPixels = 8;
    for (const LineState other : {LineState::normal, LineState::traced, LineState::revealed}) {
        for (const CellAt c : endpoints) {
            SCOPED_TRACE(std::string("endpoint at ") + std::to_string(c.x) + ", " +
                         std::to_string(c.y) + " against " + stateName(other));
            EXPECT_GE(shapeDifferences(images[LineState::error], colours[LineState::error],
                                       images[other], colours[other], origin(c)),
                      markPixels);
        }
        for (const CellAt c : pipeCells) {
            SCOPED_TRACE(std::string("pipe against ") + stateName(other));
            EXPECT_GE(shapeDifferences(images[LineState::error], colours[LineState::error],
                                       images[other], colours[other], origin(c)),
                      markPixels);
        }
    }
    // Seen in greys alone, the error stands apart from the normal state on every cell.
    for (const CellAt c : endpoints)
        EXPECT_GE(greyDifferences(images[LineState::error], images[LineState::normal], origin(c)),
                  markPixels);
    for (const CellAt c : pipeCells)
        EXPECT_GE(greyDifferences(images[LineState::error], images[LineState::normal], origin(c)),
                  markPixels);
}

TEST_F(ClearColoursPaint, ThePlayersOwnColoursPaintNothingWhileItIsOn) {
    for (const LineState s : allStates) {
        SCOPED_TRACE(stateName(s));
        settings.lineOkColour = defaultLineOkColour;
        settings.lineViColour = defaultLineViColour;
        const QImage usual = paint(s, true, &emptyCell);
        settings.lineOkColour = 0x123456;
        settings.lineViColour = 0x654321;
        EXPECT_EQ(paint(s, true, &emptyCell), usual);
    }
}

bool inBoardArea(const Scene& scene, int x, int y) {
    const int side = cellPixels * scene.board.boardSize;
    return x >= scene.state.boardLeft && x < scene.state.boardLeft + side &&
           y >= scene.state.boardTop && y < scene.state.boardTop + side;
}

QImage paintScene(Scene scene, std::int32_t clearColours) {
    scene.settings.clearColours = clearColours;
    BackBuffer buffer;
    createBackBuffer(buffer, screenWidth, bufferHeight);
    StillClock clock(scene.tick);
    onPaint(buffer, scene.state, scene.board, scene.settings, scene.statistics, clock);
    return buffer.image;
}

TEST(ClearColoursScenes, OffPaintsEverySceneAsBeforeTheOptionExisted) {
    ensureGuiApplication();
    int compared = 0;
    for (const Scene& scene : allScenes()) {
        if (scene.settings.clearColours != 0) continue;
        SCOPED_TRACE(scene.name);
        // The scenes as painted before Clear colours, at twice the size with sharp pixels.
        const QImage before(QString::fromStdString(std::string(KELVARO_SCENES_OFF_DIR) + "/" +
                                                   scene.name + ".png"));
        ASSERT_FALSE(before.isNull());
        const QImage now = paintScene(scene, 0);
        ASSERT_EQ(before.size(), now.size() * 2);
        int differing = 0;
        for (int y = 0; y < now.height(); ++y)
            for (int x = 0; x < now.width(); ++x)
                if ((now.pixel(x, y) & 0xFFFFFF) != (before.pixel(2 * x, 2 * y) & 0xFFFFFF))
                    ++differing;
        EXPECT_EQ(differing, 0);
        ++compared;
    }
    EXPECT_EQ(compared, 11);
}

TEST(ClearColoursScenes, OnChangesNothingButTheBoard) {
    ensureGuiApplication();
    for (const Scene& scene : allScenes()) {
        SCOPED_TRACE(scene.name);
        const QImage off = paintScene(scene, 0);
        const QImage on = paintScene(scene, 1);
        int outsideBoard = 0;
        int onBoard = 0;
        for (int y = 0; y < off.height(); ++y)
            for (int x = 0; x < off.width(); ++x)
                if (off.pixel(x, y) != on.pixel(x, y))
                    ++(inBoardArea(scene, x, y) ? onBoard : outsideBoard);
        // The status strip, the banners and the pause sign stay as they were.
        EXPECT_EQ(outsideBoard, 0);
        // A paused board is hidden; every other board shows its glyphs in the clear colours.
        if (scene.state.gamePhase == phasePaused)
            EXPECT_EQ(onBoard, 0);
        else
            EXPECT_GT(onBoard, 0);
    }
}

TEST(ColourVision, ReproducesTheFiguresMeasuredOnTheDefaultColours) {
    // WCAG's extremes, and the default endpoint and error colours on the tiles' mauve.
    EXPECT_NEAR(contrastRatio(qRgb(0, 0, 0), qRgb(255, 255, 255)), 21.0, 1e-9);
    EXPECT_NEAR(contrastRatio(qRgb(0, 80, 0), qRgb(153, 111, 158)), 2.4, 0.05);
    EXPECT_NEAR(contrastRatio(qRgb(128, 0, 0), qRgb(153, 111, 158)), 2.7, 0.05);
    // Normal against error: far apart with normal sight, nearly alike under deuteranopia.
    EXPECT_NEAR(deltaE(qRgb(0, 80, 0), qRgb(128, 0, 0), Vision::normal), 85.3, 0.1);
    EXPECT_NEAR(deltaE(qRgb(0, 80, 0), qRgb(128, 0, 0), Vision::deuteranopia), 6.4, 0.1);
    // White and black are left as they are by every simulation.
    for (const Vision vision : allVisions) {
        EXPECT_NEAR(deltaE(qRgb(255, 255, 255), qRgb(255, 255, 255), vision), 0.0, 0.5);
        EXPECT_NEAR(labOf(simulate(qRgb(255, 255, 255), vision))[0], 100.0, 0.5);
        EXPECT_NEAR(labOf(simulate(qRgb(0, 0, 0), vision))[0], 0.0, 1e-9);
    }
}

} // namespace
} // namespace kelvaro
