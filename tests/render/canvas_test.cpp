#include "gui_application.h"
#include "pixel_map.h"
#include "render/canvas.h"
#include "render/colour.h"
#include "render/text.h"

#include <array>
#include <gtest/gtest.h>

namespace kelvaro {
namespace {

const Palette palette{{'.', black},    {'#', white},    {'r', 0x0000FF}, {'g', 0x00FF00},
                      {'b', 0xFF0000}, {'y', 0x00FFFF}, {'i', 0x123456}, {'p', 0x654321},
                      {'o', 0x202020}, {'R', 0x2020FF}, {'G', 0x20FF20}, {'B', 0xFF2020},
                      {'Y', 0x20FFFF}, {'v', 0xDFDFDF}};

using Map = std::vector<std::string>;

TEST(Colour, ConvertsBetweenBgrAndQRgb) {
    EXPECT_EQ(toQRgb(0x00123456), qRgb(0x56, 0x34, 0x12));
    EXPECT_EQ(fromQRgb(qRgb(0x56, 0x34, 0x12)), 0x00123456u);
    EXPECT_EQ(fromQRgb(toQRgb(0x00ABCDEF)), 0x00ABCDEFu);
}

TEST(Canvas, FillRectIsClippedToTheImage) {
    QImage image = imageFromMap({"#####", "#####", "#####", "#####"}, palette);
    fillRect(image, {-2, 1, 3, 3}, 0x0000FF);
    fillRect(image, {4, 3, 9, 9}, black);
    EXPECT_EQ(mapFromImage(image, palette), (Map{"#####", "rrr##", "rrr##", "####."}));
}

TEST(Canvas, PlotPixelOutsideTheImageChangesNothing) {
    QImage image = imageFromMap({"##", "##"}, palette);
    plotPixel(image, 1, 0, black);
    for (auto [x, y] : std::array<Point, 4>{{{-1, 0}, {2, 0}, {0, -1}, {0, 2}}})
        plotPixel(image, x, y, black);
    EXPECT_EQ(mapFromImage(image, palette), (Map{"#.", "##"}));
}

TEST(Canvas, CopyTileClipsToTargetAndPicture) {
    const QImage picture = imageFromMap({"rgb", "ypi"}, palette);
    QImage image = imageFromMap({"#####", "#####", "#####", "#####"}, palette);
    // A 5 x 4 block from (1, 0): only the picture's columns 1-2 and rows 0-1 exist.
    copyTile(image, picture, {1, 0, 5, 4, 2, 1});
    EXPECT_EQ(mapFromImage(image, palette), (Map{"#####", "##gb#", "##pi#", "#####"}));
    // A block partly left of and above the target.
    copyTile(image, picture, {0, 0, 3, 2, -1, -1});
    EXPECT_EQ(mapFromImage(image, palette), (Map{"pi###", "##gb#", "##pi#", "#####"}));
}

TEST(Canvas, TwoColourCopyMapsBlackToInkWhiteToPaperAndPastThePictureToPaper) {
    // A real one-bit picture, as the resources hold them.
    QImage picture(3, 2, QImage::Format_Mono);
    picture.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    const int bits[2][3] = {{0, 1, 0}, {1, 1, 0}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) picture.setPixel(x, y, bits[y][x]);
    QImage image = imageFromMap({"######", "######", "######", "######"}, palette);
    copyTwoColour(image, picture, {0, 0, 5, 3, 1, 0}, 0x0000FF, 0x00FF00);
    EXPECT_EQ(mapFromImage(image, palette), (Map{"#rgrgg", "#ggrgg", "#ggggg", "######"}));
}

TEST(Canvas, GlyphPaintsOnlyWhiteAtlasPixelsAndStaysInsideTheAtlas) {
    // A 30 x 20 atlas: tile 1 starts at x = 20 and is cut off at x = 29.
    QImage atlas(30, 20, QImage::Format_RGB32);
    atlas.fill(toQRgb(black));
    atlas.setPixel(20, 0, toQRgb(white));
    atlas.setPixel(29, 17, toQRgb(white));
    atlas.setPixel(21, 18, toQRgb(white)); // row 18 lies outside the 18 x 18 glyph
    atlas.setPixel(19, 0, toQRgb(white));  // belongs to tile 0
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(toQRgb(0x123456));
    drawGlyph(image, atlas, 20, 0, 1, 1, 0x00FF00);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            SCOPED_TRACE(testing::Message() << x << "," << y);
            const bool lit = (x == 1 && y == 1) || (x == 10 && y == 18);
            EXPECT_EQ(pixelAt(image, x, y), lit ? 0x00FF00u : 0x123456u);
        }
}

TEST(Canvas, InvertRectComplementsEachComponentInsideTheClippedArea) {
    QImage image = imageFromMap({"ip#", "i.r"}, palette);
    invertRect(image, {1, -3, 7, 2});
    EXPECT_EQ(pixelAt(image, 0, 0), 0x123456u);
    EXPECT_EQ(pixelAt(image, 1, 0), 0x9ABCDEu);
    EXPECT_EQ(pixelAt(image, 2, 0), 0x000000u);
    EXPECT_EQ(pixelAt(image, 1, 1), 0xFFFFFFu);
    EXPECT_EQ(pixelAt(image, 2, 1), 0xFFFF00u);
}

TEST(Canvas, PolylineIncludesFirstAndExcludesLastPoint) {
    QImage image = imageFromMap({".......", ".......", ".......", "......."}, palette);
    const Point points[] = {{0, 0}, {3, 0}, {3, 2}, {6, 3}};
    drawPolyline(image, points, white);
    EXPECT_EQ(mapFromImage(image, palette), (Map{"####...", "...#...", "...##..", ".....#."}));
}

TEST(Canvas, PolylineSurvivesPointsFarOutsideTheImage) {
    QImage image = imageFromMap({"...", "..."}, palette);
    const Point points[] = {{-500, 1}, {500, 1}, {1, 19323}};
    drawPolyline(image, points, white);
    EXPECT_EQ(mapFromImage(image, palette), (Map{"...", "###"}));
}

TEST(Canvas, TexturedPolygonFillsEvenOddFromTheImageOriginAndOutlines) {
    // Texture pixel (x mod 2, y mod 2): r g / b y.
    const QImage texture = imageFromMap({"rg", "by"}, palette);
    QImage image = imageFromMap(Map(11, std::string(11, '.')), palette);
    // An outer square with an inner square cut out by the even-odd rule.
    const Point points[] = {{0, 0}, {9, 0}, {9, 9}, {0, 9}, {0, 0},
                            {3, 3}, {6, 3}, {6, 6}, {3, 6}, {3, 3}};
    fillTexturedPolygon(image, points, texture, white);
    EXPECT_EQ(mapFromImage(image, palette), (Map{
                                                "##########.",
                                                "##bybybyb#.",
                                                "#g#grgrgr#.",
                                                "#yb####yb#.",
                                                "#gr#..#gr#.",
                                                "#yb#..#yb#.",
                                                "#gr####gr#.",
                                                "#ybybybyb#.",
                                                "#grgrgrgr#.",
                                                "##########.",
                                                "...........",
                                            }));
}

TEST(Canvas, TexturedPolygonWithoutTextureIsOnlyOutlined) {
    QImage image = imageFromMap({".....", ".....", "....."}, palette);
    const Point points[] = {{0, 0}, {4, 0}, {4, 2}, {0, 2}};
    fillTexturedPolygon(image, points, QImage(), white);
    EXPECT_EQ(mapFromImage(image, palette), (Map{"#####", "#...#", "#####"}));
}

TEST(Canvas, StretchAddScalesByNearestPixelAndOrsIntoTheTarget) {
    const QImage picture = imageFromMap({"rg", "by"}, palette);
    QImage image = imageFromMap({"ooooo", "ooooo", "ooooo", "ooooo"}, palette);
    stretchAdd(image, picture, 1, 1, 4, 4);
    EXPECT_EQ(mapFromImage(image, palette), (Map{"ooooo", "oRRGG", "oRRGG", "oBBYY"}));
}

TEST(Text, IsDrawnInItsColourAtTheTopOfItsRectangleWithItsAlignment) {
    ensureGuiApplication();
    struct Case {
        TextAlign align;
        const char* name;
    };
    const Rect area{20, 10, 140, 50};
    for (const Case c : {Case{TextAlign::left, "left"}, Case{TextAlign::centre, "centre"},
                         Case{TextAlign::right, "right"}}) {
        SCOPED_TRACE(c.name);
        QImage image(160, 60, QImage::Format_RGB32);
        image.fill(toQRgb(0x123456));
        drawText(image, QStringLiteral("Connect"), area, c.align, 0x00FF00);
        int left = 1000, right = -1, top = 1000, bottom = -1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const Colour p = pixelAt(image, x, y);
                if (p == 0x123456) continue;
                ASSERT_EQ(p, 0x00FF00u) << x << "," << y;
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        ASSERT_GE(right, 0) << "nothing drawn";
        EXPECT_GE(left, area.left);
        EXPECT_LT(right, area.right);
        EXPECT_LE(top, area.top + 4);
        EXPECT_LT(bottom, area.top + 15);
        EXPECT_GT(right - left, 25);
        if (c.align == TextAlign::left) {
            EXPECT_LE(left, area.left + 2);
        } else if (c.align == TextAlign::right) {
            EXPECT_GE(right, area.right - 3);
        } else {
            EXPECT_NEAR(left + right, area.left + area.right, 4);
        }
    }
}

TEST(Text, IsClippedToItsRectangle) {
    ensureGuiApplication();
    QImage image(100, 30, QImage::Format_RGB32);
    image.fill(toQRgb(black));
    const Rect area{30, 5, 50, 12};
    drawText(image, QStringLiteral("Sélectionnez une case"), area, TextAlign::centre, white);
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (pixelAt(image, x, y) == black) continue;
            ++drawn;
            EXPECT_TRUE(x >= area.left && x < area.right && y >= area.top && y < area.bottom)
                << x << "," << y;
        }
    EXPECT_GT(drawn, 0);
}

} // namespace
} // namespace kelvaro
