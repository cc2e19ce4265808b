#include "preview.h"

#include "pictures.h"

#include <QDir>
#include <QImage>

namespace kelvaro::pictures {

namespace {

QImage picture(int id) {
    return QImage(QString(":/pictures/%1.bmp").arg(id)).convertToFormat(QImage::Format_RGB32);
}

bool isWhite(const QImage& image, int x, int y) {
    return qGray(image.pixel(x, y)) > 127;
}

// One cell of the mock board: the tile for a segment code, the glyph of an
// endpoint, the bars of a marked pipe.
struct MockCell {
    int x, y;
    int code;   // as in the grid: 0 empty, > 0 endpoint symbol, < 0 segment code
    int number; // the length an unfinished endpoint shows, -1 for its symbol
    QRgb colour;
};

constexpr QRgb okColour = qRgb(0, 80, 0);

int tileFor(int code) {
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

void paintCell(QImage& frame, const QImage& tiles, const QImage& atlas, const MockCell& c,
               QPoint origin) {
    const int left = origin.x() + 20 * c.x, top = origin.y() + 20 * c.y;
    const int tile = tileFor(c.code);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            frame.setPixel(left + x, top + y, tiles.pixel(20 * tile + x, y));
    if (c.code > 0) {
        const int sx = c.number >= 0 ? 20 * c.number : 20 * c.code;
        const int sy = c.number >= 0 ? 0 : 20;
        for (int y = 0; y < 18; ++y)
            for (int x = 0; x < 18; ++x)
                if (isWhite(atlas, sx + x, sy + y))
                    frame.setPixel(left + 1 + x, top + 1 + y, c.colour);
    } else if (c.code < 0 && c.colour != okColour) {
        for (int d : {-c.code % 10, -c.code / 10}) {
            const QRect bar = d == 1   ? QRect(9, 0, 2, 11)
                              : d == 2 ? QRect(9, 9, 11, 2)
                              : d == 3 ? QRect(9, 9, 2, 11)
                                       : QRect(0, 9, 11, 2);
            for (int y = bar.top(); y <= bar.bottom(); ++y)
                for (int x = bar.left(); x <= bar.right(); ++x)
                    frame.setPixel(left + x, top + y, c.colour);
        }
    }
}

void paintTwoColour(QImage& frame, const QImage& pic, QRect source, QPoint to, QRgb onWhite,
                    QRgb onBlack) {
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) {
            // Past the picture's right edge the block takes the paper colour.
            const bool white =
                source.x() + x >= pic.width() || isWhite(pic, source.x() + x, source.y() + y);
            frame.setPixel(to.x() + x, to.y() + y, white ? onWhite : onBlack);
        }
}

QImage mockFrame() {
    const QImage tiles = picture(144), atlas = picture(137);
    QImage frame(240, 320, QImage::Format_RGB32);
    frame.fill(Qt::black);
    const QRgb error = qRgb(128, 0, 0), traced = qRgb(255, 255, 0), revealed = qRgb(0, 255, 255);
    const MockCell cells[] = {
        {0, 0, 1, -1, okColour},   {0, 1, -13, -1, okColour}, {0, 2, -13, -1, okColour},
        {0, 3, -13, -1, okColour}, {0, 4, 1, -1, okColour},   {1, 0, 7, 2, okColour},
        {2, 0, -24, -1, revealed}, {3, 0, -24, -1, okColour}, {4, 0, 7, 2, revealed},
        {1, 1, 13, -1, okColour},  {2, 1, -24, -1, okColour}, {3, 1, -24, -1, okColour},
        {4, 1, -34, -1, okColour}, {4, 2, -13, -1, okColour}, {4, 3, -13, -1, okColour},
        {4, 4, 13, -1, okColour},  {1, 2, 15, 3, error},      {2, 2, -24, -1, error},
        {3, 2, -34, -1, error},    {3, 3, -13, -1, error},    {3, 4, 15, 3, okColour},
        {1, 3, 19, 2, traced},     {1, 4, -12, -1, traced},   {2, 4, -14, -1, traced},
        {2, 3, 19, 2, traced},
    };
    const QPoint origin(70, 100);
    for (const MockCell& c : cells) paintCell(frame, tiles, atlas, c, origin);
    // The current cell's marker.
    for (int y = 1; y <= 18; ++y)
        for (int x = 1; x <= 18; ++x) {
            const QPoint p(origin.x() + 40 + x, origin.y() + 40 + y);
            frame.setPixel(p, ~frame.pixel(p) | 0xFF000000u);
        }
    paintTwoColour(frame, picture(114), QRect(0, 13, 65, 13), {90, 13}, qRgb(0, 255, 0), 0);
    paintTwoColour(frame, picture(115), QRect(0, 19, 156, 17), {40, 40}, qRgb(128, 255, 255), 0);
    paintTwoColour(frame, picture(147), QRect(0, 0, 91, 15), {75, 70}, 0, qRgb(255, 0, 0));
    paintTwoColour(frame, picture(118), QRect(0, 0, 200, 18), {25, 220}, 0, qRgb(200, 0, 200));
    paintTwoColour(frame, picture(134), QRect(0, 0, 90, 13), {90, 245}, 0, qRgb(0, 255, 0));
    // Every symbol and a run of numbers, in the normal line colour on empty tiles.
    for (int k = 0; k < 12; ++k) {
        paintCell(frame, tiles, atlas, {k, 0, k + 1, -1, okColour}, {0, 270});
        paintCell(frame, tiles, atlas, {k, 1, k < 7 ? k + 13 : 1, k < 7 ? -1 : 18 + k, okColour},
                  {0, 270});
    }
    return frame;
}

} // namespace

int writePreview(const QString& folder) {
    QDir dir(folder);
    if (!dir.mkpath(".")) return 1;
    int failures = 0;
    for (const PictureKind& kind : pictureKinds()) {
        const QImage image = picture(kind.id);
        const int scale = kind.width >= 240 ? 3 : 6;
        const QImage big =
            image.scaled(image.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        if (image.isNull() || !big.save(dir.filePath(QString("%1.png").arg(kind.id)))) ++failures;
    }
    const QImage frame = mockFrame();
    if (!frame.scaled(frame.size() * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation)
             .save(dir.filePath("frame.png")))
        ++failures;
    return failures == 0 ? 0 : 1;
}

} // namespace kelvaro::pictures
