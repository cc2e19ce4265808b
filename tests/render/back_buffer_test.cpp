#include "gui_application.h"
#include "pixel_map.h"
#include "render/back_buffer.h"
#include "render/pictures.h"
#include "render/text.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

namespace kelvaro {
namespace {

TEST(BackBuffer, IsMadeWhiteWithItsResidentPicturesAndReleasedWhole) {
    std::vector<int> asked;
    BackBuffer buffer;
    buffer.loadPicture = [&](int id) {
        asked.push_back(id);
        QImage picture(3, 2, QImage::Format_RGB32);
        picture.fill(Qt::red);
        return picture;
    };
    createBackBuffer(buffer, 240, 268);
    ASSERT_TRUE(hasBackBuffer(buffer));
    EXPECT_EQ(buffer.width, 240);
    EXPECT_EQ(buffer.height, 268);
    EXPECT_EQ(buffer.image.size(), QSize(240, 268));
    EXPECT_EQ(pixelAt(buffer.image, 0, 0), white);
    EXPECT_EQ(pixelAt(buffer.image, 239, 267), white);
    EXPECT_EQ(asked, (std::vector<int>{glyphAtlasId, segmentTilesId}));
    EXPECT_FALSE(buffer.glyphAtlas.isNull());
    EXPECT_FALSE(buffer.segmentTiles.isNull());

    releaseBackBuffer(buffer);
    EXPECT_FALSE(hasBackBuffer(buffer));
    EXPECT_TRUE(buffer.glyphAtlas.isNull());
    EXPECT_TRUE(buffer.segmentTiles.isNull());
    EXPECT_EQ(buffer.width, 0);
}

TEST(BackBuffer, AnEmptyClientAreaLeavesItAbsent) {
    for (const QSize size : {QSize(0, 270), QSize(240, 0), QSize(-5, -5)}) {
        BackBuffer buffer;
        createBackBuffer(buffer, size.width(), size.height());
        EXPECT_FALSE(hasBackBuffer(buffer));
    }
}

TEST(Pictures, MissingOrMalformedPicturesAreAbsent) {
    EXPECT_TRUE(loadResourcePicture(999).isNull());
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString broken = dir.filePath(QStringLiteral("broken.bmp"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const char notABitmap[] = "BM\x10\x00\x00\x00 not a bitmap at all";
    file.write(notABitmap, sizeof notABitmap - 1);
    file.close();
    EXPECT_TRUE(loadPictureFile(broken).isNull());
    EXPECT_TRUE(loadPictureFile(dir.filePath(QStringLiteral("absent.bmp"))).isNull());
}

TEST(Pictures, OneBitPicturesLoadAsBlackAndWhite32BitImages) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage mono(4, 1, QImage::Format_Mono);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    for (int x = 0; x < 4; ++x) mono.setPixel(x, 0, x % 2);
    const QString path = dir.filePath(QStringLiteral("mono.bmp"));
    ASSERT_TRUE(mono.save(path, "BMP"));
    const QImage loaded = loadPictureFile(path);
    ASSERT_EQ(loaded.format(), QImage::Format_RGB32);
    EXPECT_EQ(mapFromImage(loaded, {{'.', black}, {'#', white}}), std::vector<std::string>{".#.#"});
}

// The bundled fonts come with the resources; every line must fit a 15-pixel rectangle.
TEST(Text, BundledFontsLoadAndTheirLinesFitFifteenRows) {
    ensureGuiApplication();
    for (const TextWeight weight : {TextWeight::normal, TextWeight::bold}) {
        EXPECT_EQ(QFontInfo(textFont(weight)).family(), QStringLiteral("DejaVu Sans"));
        QImage image(240, 40, QImage::Format_RGB32);
        image.fill(Qt::black);
        drawText(image, QStringLiteral("ÉÀÇgjpqy|(){}[]_ Sélectionnez"), {0, 10, 240, 40},
                 TextAlign::left, white, weight);
        int top = 40, bottom = -1;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 240; ++x)
                if (pixelAt(image, x, y) != black)
                    top = std::min(top, y), bottom = std::max(bottom, y);
        EXPECT_LE(top, 12); // drawn at the top of its rectangle
        EXPECT_LT(bottom, 25);
    }
}

} // namespace
} // namespace kelvaro
