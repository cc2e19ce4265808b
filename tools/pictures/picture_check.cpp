#include "picture_check.h"

#include "palette.h"
#include "pictures.h"

#include <QFile>
#include <QImage>
#include <QtEndian>
#include <cstdio>
#include <set>
#include <string>

namespace kelvaro::pictures {

namespace {

int faults = 0;

void fault(const QString& what) {
    std::fprintf(stderr, "FAULT: %s\n", qPrintable(what));
    ++faults;
}

void expect(bool ok, const QString& what) {
    if (!ok) fault(what);
}

QString picturePath(int id) {
    return QString(":/pictures/%1.bmp").arg(id);
}

QByteArray fileBytes(int id) {
    QFile file(picturePath(id));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The palette entry as the file stores it. The decoder may reorder a two-entry
// palette (it puts white first), so the file is the place to check entry 0 is black.
QRgb filePaletteEntry(const QByteArray& bmp, int i) {
    if (bmp.size() < 18) return 0x12345678;
    const qsizetype at = 14 + qFromLittleEndian<quint32>(bmp.constData() + 14) + 4 * i;
    if (at + 3 > bmp.size()) return 0x12345678;
    const auto* p = reinterpret_cast<const unsigned char*>(bmp.constData() + at);
    return qRgb(p[2], p[1], p[0]);
}

// The depth the file itself declares, so a 4-bit picture cannot pass as an 8-bit one
// after decoding widens both to Format_Indexed8.
int fileBitsPerPixel(int id) {
    QFile file(picturePath(id));
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QByteArray head = file.read(30);
    if (head.size() < 30 || !head.startsWith("BM")) return -1;
    return qFromLittleEndian<quint16>(head.constData() + 28);
}

void checkDecoding(const PictureKind& kind, const QImage& image) {
    const QString name = QString("picture %1").arg(kind.id);
    expect(!image.isNull(), name + " does not decode");
    if (image.isNull()) return;
    expect(image.width() == kind.width && image.height() == kind.height,
           QString("%1 is %2 x %3").arg(name).arg(image.width()).arg(image.height()));
    expect(fileBitsPerPixel(kind.id) == kind.bitsPerPixel,
           QString("%1 file declares %2 bits per pixel").arg(name).arg(fileBitsPerPixel(kind.id)));
    if (kind.bitsPerPixel == 1) {
        expect(image.format() == QImage::Format_Mono || image.format() == QImage::Format_MonoLSB,
               name + " does not decode as a one-bit image");
        const QList<QRgb> table = image.colorTable();
        expect(table.size() == 2 && table.contains(qRgb(0, 0, 0)) &&
                   table.contains(qRgb(255, 255, 255)),
               name + " does not decode with a black and white palette");
        const QByteArray bmp = fileBytes(kind.id);
        expect(filePaletteEntry(bmp, 0) == qRgb(0, 0, 0) &&
                   filePaletteEntry(bmp, 1) == qRgb(255, 255, 255),
               name + " file palette is not entry 0 black, entry 1 white");
    } else {
        expect(image.format() == QImage::Format_Indexed8, name + " does not decode as indexed");
        expect(image.colorCount() == (kind.bitsPerPixel == 4 ? 16 : 256),
               QString("%1 has %2 palette entries").arg(name).arg(image.colorCount()));
    }
}

int countWhite(const QImage& image, QRect area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += qGray(image.pixel(x, y)) > 127 ? 1 : 0;
    return n;
}

QByteArray tileBits(const QImage& atlas, int k, int row) {
    QByteArray bits;
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 18; ++x)
            bits.append(qGray(atlas.pixel(20 * k + x, 20 * row + y)) > 127 ? '#' : '.');
    return bits;
}

void checkGlyphAtlas(const QImage& atlas) {
    for (int k = 0; k < 30; ++k)
        for (int row = 0; row < 2; ++row) {
            bool separator = true;
            for (int i = 0; i < 20; ++i) {
                separator &= qGray(atlas.pixel(20 * k + 19, 20 * row + i)) == 255;
                separator &= qGray(atlas.pixel(20 * k + i, 20 * row + 19)) == 255;
            }
            expect(separator,
                   QString("atlas tile %1 of row %2 lacks its separator").arg(k).arg(row));
        }
    std::set<QByteArray> numbers, symbols;
    for (int k = 0; k < 30; ++k) {
        numbers.insert(tileBits(atlas, k, 0));
        expect(countWhite(atlas, QRect(20 * k, 0, 18, 18)) > 0,
               QString("number %1 is empty").arg(k));
    }
    expect(numbers.size() == 30, "two number tiles are the same");
    expect(countWhite(atlas, QRect(0, 20, 18, 18)) == 0, "symbol tile 0 is not blank");
    for (int k = 1; k <= 19; ++k) {
        symbols.insert(tileBits(atlas, k, 1));
        expect(countWhite(atlas, QRect(20 * k, 20, 18, 18)) > 20,
               QString("symbol %1 is nearly empty").arg(k));
    }
    expect(symbols.size() == 19, "two of the symbols 1 to 19 are the same");
    for (int k = 20; k < 30; ++k)
        expect(tileBits(atlas, k, 1) == tileBits(atlas, 19, 1),
               QString("symbol tile %1 is not the arrow of tile 19").arg(k));
}

void checkSegmentTiles(const QImage& tiles) {
    double r = 0, g = 0, b = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            const QRgb c = tiles.pixel(x, y);
            r += qRed(c), g += qGreen(c), b += qBlue(c);
        }
    r /= 400, g /= 400, b /= 400;
    expect(std::abs(r - 153) < 12 && std::abs(g - 111) < 12 && std::abs(b - 158) < 12,
           QString("empty tile averages RGB(%1, %2, %3)").arg(r).arg(g).arg(b));
    expect(qGray(tiles.pixel(5, 0)) > qGray(tiles.pixel(5, 10)) &&
               qGray(tiles.pixel(0, 5)) > qGray(tiles.pixel(10, 5)),
           "empty tile's top and left edges are not lighter");
    expect(qGray(tiles.pixel(5, 19)) < qGray(tiles.pixel(5, 10)) &&
               qGray(tiles.pixel(19, 5)) < qGray(tiles.pixel(10, 5)),
           "empty tile's bottom and right edges are not darker");
    // Where each direction's pipe core passes: up, right, down, left.
    const QPoint core[5] = {{}, {9, 3}, {16, 10}, {10, 16}, {3, 9}};
    const int pipes[7][2] = {{0, 0}, {1, 3}, {2, 4}, {1, 2}, {1, 4}, {3, 4}, {2, 3}};
    for (int k = 0; k < 7; ++k)
        for (int d = 1; d <= 4; ++d) {
            const bool wanted = pipes[k][0] == d || pipes[k][1] == d;
            const bool bright = qGray(tiles.pixel(20 * k + core[d].x(), core[d].y())) > 200;
            expect(bright == wanted, QString("tile %1 %2 a pipe towards direction %3")
                                         .arg(k)
                                         .arg(wanted ? "lacks" : "has")
                                         .arg(d));
        }
    for (int k = 1; k < 7; ++k)
        expect(qGray(tiles.pixel(20 * k + 9, 9)) > 200 && qGray(tiles.pixel(20 * k + 10, 10)) > 200,
               QString("tile %1 has no bright core at its centre").arg(k));
}

// One-bit pictures whose drawing is white on black have mostly black pixels, and the
// others mostly white ones.
void checkBackground(int id, const QImage& image, bool whiteDrawing) {
    const int white = countWhite(image, image.rect());
    const int all = image.width() * image.height();
    expect(white > 0 && white < all, QString("picture %1 is a single colour").arg(id));
    expect(whiteDrawing ? white < all / 2 : white > all / 2,
           QString("picture %1 has its drawing and background the wrong way round").arg(id));
}

void checkDetails(int id, const QImage& image) {
    switch (id) {
    case 114:
        expect(countWhite(image, QRect(0, 0, 65, 13)) > 30 &&
                   countWhite(image, QRect(0, 13, 65, 13)) > 30,
               "perfect banner lacks one of its lines");
        checkBackground(id, image, true);
        break;
    case 115:
        expect(countWhite(image, QRect(0, 18, 156, 1)) == 0,
               "accepted banner's row 18 is not blank");
        expect(countWhite(image, QRect(0, 0, 156, 18)) > 60 &&
                   countWhite(image, QRect(0, 19, 156, 17)) > 60,
               "accepted banner lacks one of its lines");
        checkBackground(id, image, true);
        break;
    case 118:
    case 134:
    case 147:
        checkBackground(id, image, false);
        break;
    case 119:
        expect(qGray(image.pixel(35, 35)) > 240 && qGray(image.pixel(0, 0)) == 0 &&
                   qGray(image.pixel(69, 69)) == 0,
               "flare is not bright at the centre and black in the corners");
        break;
    case 120: {
        std::set<int> shades;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) shades.insert(image.pixelIndex(x, y));
        expect(shades.size() >= 12, "ring texture uses few shades");
        expect(image.pixel(0, 0) == qRgb(0, 0, 0), "ring texture's upper left is not black");
        break;
    }
    case 128:
        expect(image.colorTable() == standardPalette(), "toolbar strip's palette is not standard");
        break;
    case 137:
        checkGlyphAtlas(image);
        break;
    case 144:
        checkSegmentTiles(image);
        break;
    default:
        break;
    }
}

} // namespace

int checkResources() {
    faults = 0;
    for (const PictureKind& kind : pictureKinds()) {
        const QImage image(picturePath(kind.id));
        checkDecoding(kind, image);
        if (!image.isNull() && image.width() == kind.width && image.height() == kind.height)
            checkDetails(kind.id, image);
    }
    for (int size : iconSizes()) {
        const QImage icon(QString(":/icons/kelvaro-%1.png").arg(size));
        expect(icon.width() == size && icon.height() == size,
               QString("icon %1 does not load at its size").arg(size));
    }
    expect(registerFonts(), "the bundled fonts do not load");
    std::fprintf(stderr, "%s\n", faults == 0 ? "all resources check out" : "resources are faulty");
    return faults == 0 ? 0 : 1;
}

} // namespace kelvaro::pictures
