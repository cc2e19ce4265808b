#include "paint_fixture.h"

#include <gtest/gtest.h>

namespace kelvaro {
namespace {

constexpr Colour okColour = defaultLineOkColour;
constexpr Colour viColour = defaultLineViColour;

using BoardPaint = PaintTest;

TEST_F(BoardPaint, EachCodeShowsItsSegmentTile) {
    struct Case {
        int code, tile;
    };
    const Case cases[] = {{0, 0},   {4, 0},   {-13, 1}, {-24, 2}, {-12, 3},
                          {-14, 4}, {-34, 5}, {-23, 6}, {-11, 0}, {-99, 0}};
    for (const Case c : cases) {
        SCOPED_TRACE(c.code);
        board.grid[cellIndex(2, 3)] = static_cast<std::int8_t>(c.code);
        paint();
        const Point o = cellOrigin(2, 3);
        // The top-left pixel is never covered by a glyph, a bar or the marker.
        EXPECT_EQ(pixel(o.x, o.y), tileColour(c.tile));
        EXPECT_EQ(pixel(o.x + 19, o.y + 19), tileColour(c.tile));
    }
}

TEST_F(BoardPaint, ShowsTheGridWhilePlayingAndTheSolutionWhenFinishedUnlessTheProposalIsShown) {
    setLayer(board.grid, {"", "", ".-"});
    setLayer(board.solution, {"", "", ".|"});
    struct Case {
        GamePhase phase;
        int hintMode;
        int tile;
    };
    for (const Case c : {Case{phasePlaying, 0, 2}, Case{phaseFinished, 0, 1},
                         Case{phaseFinished, 1, 1}, Case{phaseFinished, -1, 2}}) {
        SCOPED_TRACE(testing::Message() << c.phase << " " << c.hintMode);
        state.gamePhase = c.phase;
        state.hintMode = static_cast<std::int16_t>(c.hintMode);
        paint();
        EXPECT_EQ(pixel(cellOrigin(1, 2).x, cellOrigin(1, 2).y), tileColour(c.tile));
    }
}

TEST_F(BoardPaint, WholeFrameCoversTheBoardAndBlackensTheRest) {
    buffer.image.fill(toQRgb(0x123456));
    EXPECT_EQ(paint().bottom, bufferHeight);
    EXPECT_EQ(pixel(69, 150), black);
    EXPECT_EQ(pixel(70, 100), tileColour(0));
    EXPECT_EQ(pixel(169, 199), tileColour(0));
    EXPECT_EQ(pixel(170, 199), black);
    EXPECT_EQ(pixel(169, 200), black);
}

TEST_F(BoardPaint, EndpointShowsItsSymbolOnceTheLineHasTheRequiredLengthAndItsLengthBefore) {
    board.grid[cellIndex(1, 1)] = 7;
    board.solution[cellIndex(1, 1)] = 7;
    board.solutionLength[cellIndex(1, 1)] = 12;
    struct Case {
        int gridLength;
        Point marker;
    };
    for (const Case c : {Case{12, glyphMarker(7, 1)}, Case{11, glyphMarker(12, 0)},
                         Case{13, glyphMarker(12, 0)}, Case{0, glyphMarker(12, 0)}}) {
        SCOPED_TRACE(c.gridLength);
        board.gridLength[cellIndex(1, 1)] = static_cast<std::int8_t>(c.gridLength);
        paint();
        const Point expected{c.marker.x + 1, c.marker.y + 1};
        EXPECT_EQ(cellPixelsOf(1, 1, okColour), std::vector<Point>{expected});
    }
}

TEST_F(BoardPaint, LengthsPastTheAtlasAreWrittenOutAndNeverReadFromIt) {
    board.grid[cellIndex(0, 0)] = 3;
    for (const int length : {30, 41, 127}) {
        SCOPED_TRACE(length);
        board.solutionLength[cellIndex(0, 0)] = static_cast<std::int8_t>(length);
        paint();
        QImage expected(cellPixels, cellPixels, QImage::Format_RGB32);
        expected.fill(toQRgb(tileColour(0)));
        drawText(expected, QString::number(length), {1, 3, 19, 19}, TextAlign::centre, okColour,
                 TextWeight::bold);
        const Point o = cellOrigin(0, 0);
        EXPECT_EQ(buffer.image.copy(o.x, o.y, cellPixels, cellPixels), expected);
        EXPECT_GT(cellPixelsOf(0, 0, okColour).size(), 8u);
    }
}

TEST_F(BoardPaint, CellColourFollowsTracedOverRevealedOverErrorOverNormal) {
    struct Case {
        int error, revealed, traced;
        Colour colour;
    };
    const Case cases[] = {
        {0, 0, 0, okColour},       {1, 0, 0, viColour},    {0, 1, 0, revealedColour},
        {1, 1, 0, revealedColour}, {0, 0, 1, traceColour}, {1, 0, 50, traceColour},
        {0, 1, 1, traceColour},    {1, 1, 1, traceColour},
    };
    board.grid[cellIndex(0, 0)] = 2; // endpoint: the glyph takes the colour
    board.grid[cellIndex(1, 0)] = -24;
    for (const Case c : cases) {
        SCOPED_TRACE(testing::Message() << c.error << c.revealed << c.traced);
        for (int x : {0, 1}) {
            board.errors[cellIndex(x, 0)] = static_cast<std::int8_t>(c.error);
            board.revealed[cellIndex(x, 0)] = static_cast<std::int8_t>(c.revealed);
            board.traceMarks[cellIndex(x, 0)] = static_cast<std::int8_t>(c.traced);
        }
        paint();
        EXPECT_EQ(cellPixelsOf(0, 0, c.colour).size(), 1u);
        // A pipe in the normal colour keeps its tile; any other colour draws its bars.
        const std::size_t barPixels = c.colour == okColour ? 0u : 2u * 20u;
        EXPECT_EQ(cellPixelsOf(1, 0, c.colour).size(), barPixels);
    }
}

TEST_F(BoardPaint, BarsRunFromTheCentreToEachEdgeOfThePipe) {
    // Inclusive column and row ranges of each direction's bar.
    struct Bar {
        int x0, x1, y0, y1;
    };
    const Bar bars[5] = {{}, {9, 10, 0, 10}, {9, 19, 9, 10}, {9, 10, 9, 19}, {0, 10, 9, 10}};
    board.traceMarks[cellIndex(4, 4)] = 1;
    for (const int code : {-12, -13, -14, -23, -24, -34}) {
        SCOPED_TRACE(code);
        board.grid[cellIndex(4, 4)] = static_cast<std::int8_t>(code);
        paint();
        const Bar a = bars[-code / 10];
        const Bar b = bars[-code % 10];
        const Point o = cellOrigin(4, 4);
        for (int y = 0; y < cellPixels; ++y)
            for (int x = 0; x < cellPixels; ++x) {
                const bool onBar = (x >= a.x0 && x <= a.x1 && y >= a.y0 && y <= a.y1) ||
                                   (x >= b.x0 && x <= b.x1 && y >= b.y0 && y <= b.y1);
                ASSERT_EQ(pixel(o.x + x, o.y + y),
                          onBar ? traceColour : tileColour(segmentTileFor(code)))
                    << x << "," << y;
            }
    }
}

TEST_F(BoardPaint, ErrorColourEqualToTheNormalColourDrawsNoBarsButColoursEndpoints) {
    settings.lineViColour = settings.lineOkColour = 0x445566;
    board.grid[cellIndex(0, 0)] = -23;
    board.grid[cellIndex(1, 0)] = 5;
    board.errors[cellIndex(0, 0)] = board.errors[cellIndex(1, 0)] = 1;
    paint();
    EXPECT_TRUE(cellPixelsOf(0, 0, 0x445566).empty());
    EXPECT_EQ(cellPixelsOf(1, 0, 0x445566).size(), 1u);
}

TEST_F(BoardPaint, CurrentCellHasItsInnerSquareInvertedAndItsLineLengthInBlack) {
    board.grid[cellIndex(3, 2)] = -13;
    state.curX = 3;
    state.curY = 2;
    state.lineLength = 7;
    paint();
    QImage expected(cellPixels, cellPixels, QImage::Format_RGB32);
    expected.fill(toQRgb(tileColour(1)));
    invertRect(expected, {1, 1, 19, 19});
    drawText(expected, QStringLiteral("7"), {0, 0, 20, 20}, TextAlign::centre, black);
    const Point o = cellOrigin(3, 2);
    EXPECT_EQ(buffer.image.copy(o.x, o.y, cellPixels, cellPixels), expected);
    EXPECT_FALSE(cellPixelsOf(3, 2, black).empty());
}

TEST_F(BoardPaint, LineLengthIsHiddenOnEndpointsAndOnceTheGameIsOver) {
    board.solution[cellIndex(3, 2)] = 4;
    state.curX = 3;
    state.curY = 2;
    state.lineLength = 7;
    paint();
    EXPECT_TRUE(cellPixelsOf(3, 2, black).empty());
    board.solution[cellIndex(3, 2)] = -13;
    state.gamePhase = phaseFinished;
    paint();
    EXPECT_TRUE(cellPixelsOf(3, 2, black).empty());
}

TEST_F(BoardPaint, CurrentCellOffTheBoardMarksNothing) {
    for (const Point cur : {Point{-1, -1}, Point{5, 0}, Point{0, 5}, Point{100, 100}}) {
        SCOPED_TRACE(cur);
        state.curX = static_cast<std::int8_t>(cur.x);
        state.curY = static_cast<std::int8_t>(cur.y);
        paint();
        for (int x = 0; x < 5; ++x)
            for (int y = 0; y < 5; ++y)
                EXPECT_EQ(cellPixelsOf(x, y, tileColour(0)).size(), 400u) << x << "," << y;
    }
}

TEST_F(BoardPaint, StrokePaintRedrawsOnlyTheCurrentPreviousAndPartnerCells) {
    paint();
    buffer.image.fill(toQRgb(0x123456));
    state.repaintMode = repaintStroke;
    state.curX = 1, state.curY = 1;
    state.prevX = 0, state.prevY = 1;
    state.partnerX = 4, state.partnerY = 3;
    EXPECT_EQ(paint().bottom, bufferHeight);
    for (int x = 0; x < 5; ++x)
        for (int y = 0; y < 5; ++y) {
            const bool redrawn = (x == 1 && y == 1) || (x == 0 && y == 1) || (x == 4 && y == 3);
            const Point o = cellOrigin(x, y);
            EXPECT_EQ(pixel(o.x, o.y), redrawn ? tileColour(0) : 0x123456u) << x << "," << y;
        }
    EXPECT_EQ(pixel(0, 29), black);
    EXPECT_EQ(pixel(0, 30), 0x123456u);
}

TEST_F(BoardPaint, ClockPaintDrawsTheStripAloneAndLeavesTheRestUntouched) {
    board.boardSize = 12;
    placeBoard(state, board);
    paint();
    const QImage before = buffer.image.copy();
    state.repaintMode = repaintStatus;
    state.startTick = 1000;
    state.tapCount = 3;
    clock.now = 62000;
    const Rect shown = paint();
    EXPECT_EQ(shown.bottom, statusStripHeight);
    EXPECT_EQ(shown.right, screenWidth);
    EXPECT_EQ(state.nowTick, 62000u);
    EXPECT_EQ(buffer.image.copy(0, 30, 240, 240), before.copy(0, 30, 240, 240));
    EXPECT_NE(buffer.image.copy(0, 0, 240, 30), before.copy(0, 0, 240, 30));
}

TEST_F(BoardPaint, PausedFrameShowsTheRedPauseSignOnBlackAndAStoppedClock) {
    state.gamePhase = phasePaused;
    state.startTick = 1000;
    state.nowTick = 50000;
    clock.now = 99999;
    paint();
    EXPECT_EQ(state.nowTick, 50000u);
    for (int y = 30; y < bufferHeight; ++y)
        for (int x = 0; x < screenWidth; ++x) {
            const bool sign = (x == 75 && y == 100) || (x == 165 && y == 114);
            ASSERT_EQ(pixel(x, y), sign ? red : black) << x << "," << y;
        }
}

TEST_F(BoardPaint, MissingPauseSignIsSkipped) {
    pictures.erase(pausePictureId);
    state.gamePhase = phasePaused;
    state.startTick = 1;
    paint();
    for (int y = 30; y < bufferHeight; ++y)
        for (int x = 0; x < screenWidth; ++x) ASSERT_EQ(pixel(x, y), black) << x << "," << y;
}

struct BannerCase {
    const char* name;
    int language, solveState, hintMode, penalty;
    std::vector<Point> marks; // expected banner pixels, in the banner's colour
    Colour colour;
};

class Banner : public PaintTest, public testing::WithParamInterface<BannerCase> {};

TEST_P(Banner, IsDrawnInItsPlaceAndColour) {
    const BannerCase& c = GetParam();
    board.boardSize = 12;
    placeBoard(state, board);
    state.gamePhase = phaseFinished;
    settings.language = c.language;
    state.solveState = static_cast<std::int16_t>(c.solveState);
    state.hintMode = static_cast<std::int16_t>(c.hintMode);
    state.penaltyCells = c.penalty;
    paint();
    std::vector<Point> found;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < screenWidth; ++x)
            if (pixel(x, y) == green || pixel(x, y) == lightCyan) found.push_back({x, y});
    EXPECT_EQ(found, c.marks);
    for (const Point p : c.marks) EXPECT_EQ(pixel(p.x, p.y), c.colour);
    // The rest of the banner's block is black.
    if (!c.marks.empty()) {
        EXPECT_EQ(pixel(c.marks.front().x + 1, 13), black);
    }
}

INSTANTIATE_TEST_SUITE_P(
    BoardPaint, Banner,
    testing::Values(BannerCase{"PerfectEnglish", 0, 0, 0, 0, {{92, 13}, {154, 25}}, green},
                    BannerCase{"PerfectFrench", 1, 0, 0, 0, {{91, 13}}, green},
                    BannerCase{"PerfectOnProposal", 0, 0, -1, 0, {{92, 13}, {154, 25}}, green},
                    BannerCase{"AcceptedEnglish", 0, -1, 0, 0, {{44, 13}, {46, 29}}, lightCyan},
                    BannerCase{"AcceptedFrench", 2, 1, 0, 0, {{43, 13}, {45, 30}}, lightCyan},
                    BannerCase{"AcceptedHiddenOnProposal", 0, -1, -1, 0, {}, black},
                    BannerCase{"NoneWithPenalty", 0, 0, 0, 4, {}, black}),
    [](const testing::TestParamInfo<BannerCase>& param) { return param.param.name; });

TEST_F(BoardPaint, MissingBannerIsSkippedAndTheBoardStillDrawn) {
    pictures.erase(perfectBannerId);
    state.gamePhase = phaseFinished;
    state.solveState = 0;
    paint();
    EXPECT_EQ(pixel(70, 100), tileColour(0));
    EXPECT_EQ(pixel(92, 13), black);
}

TEST_F(BoardPaint, MissingResidentPictureReplacesTheBoardWithTheMessage) {
    for (const int id : {glyphAtlasId, segmentTilesId}) {
        SCOPED_TRACE(id);
        SetUp();
        pictures.erase(id);
        createBackBuffer(buffer, screenWidth, bufferHeight);
        state.gamePhase = phaseFinished;
        state.solveState = 0;
        state.startTick = state.nowTick = 1;
        state.curX = state.curY = 0;
        const Rect shown = paint();
        EXPECT_EQ(shown.bottom, bufferHeight);
        QImage expected(screenWidth, bufferHeight, QImage::Format_RGB32);
        expected.fill(toQRgb(black));
        drawText(expected, QStringLiteral("0\"0"), clockRect, TextAlign::right, green);
        drawText(expected, QStringLiteral("panique sur les bitmaps!"), statusRect, TextAlign::right,
                 red);
        EXPECT_EQ(buffer.image, expected);
    }
}

TEST_F(BoardPaint, NothingIsDrawnWithoutABackBuffer) {
    releaseBackBuffer(buffer);
    const Rect shown = paint();
    EXPECT_EQ(shown.width(), 0);
    EXPECT_EQ(shown.height(), 0);
}

TEST_F(BoardPaint, SplashOwnsThePaintAfterTheBufferIsCleared) {
    buffer.image.fill(toQRgb(white));
    state.splashTick = 5;
    clock.now = 777;
    int calls = 0;
    const Rect shown =
        onPaint(buffer, state, board, settings, statistics, clock, [&](BackBuffer& b) {
            ++calls;
            EXPECT_EQ(pixelAt(b.image, 120, 200), black);
            return starFieldRect;
        });
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(shown.top, starFieldRect.top);
    EXPECT_EQ(state.nowTick, 0u);
}

} // namespace
} // namespace kelvaro
