#include "render/text.h"

#include "render/colour.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <array>
#include <unordered_map>
#include <vector>

namespace kelvaro {
namespace {

constexpr int textPixelSize = 11;
constexpr int scratchMargin = 8; // room for overhangs and accents around one character

QFont makeFont(const QString& resource, TextWeight weight) {
    QFont font;
    const int id = QFontDatabase::addApplicationFont(resource);
    const QStringList families =
        id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
    if (!families.isEmpty()) font = QFont(families.first());
    font.setPixelSize(textPixelSize);
    font.setBold(weight == TextWeight::bold);
    // Crisp, unblended pixels: text shows exactly its colour, as on the original pocket
    // screen, and does not depend on the rasteriser's smoothing.
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// One character as lit pixels relative to the pen position and the top of the line.
struct CharMask {
    int advance = 0;
    std::vector<Point> pixels;
};

// Laying out and rasterising a line through QPainter costs several microseconds, too much for
// the clock's ten paints a second, so each character is rasterised once and then copied.
CharMask rasterise(QChar c, const QFont& font) {
    const QFontMetrics metrics(font);
    CharMask mask;
    mask.advance = metrics.horizontalAdvance(c);
    QImage scratch(mask.advance + 2 * scratchMargin, metrics.height() + 2 * scratchMargin,
                   QImage::Format_RGB32);
    scratch.fill(Qt::black);
    {
        QPainter painter(&scratch);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QPoint(scratchMargin, scratchMargin + metrics.ascent()), QString(c));
    }
    for (int y = 0; y < scratch.height(); ++y)
        for (int x = 0; x < scratch.width(); ++x)
            if (qGray(scratch.pixel(x, y)) >= 128)
                mask.pixels.push_back({x - scratchMargin, y - scratchMargin});
    return mask;
}

const CharMask& maskOf(QChar c, TextWeight weight) {
    static std::array<std::unordered_map<char16_t, CharMask>, 2> cache;
    auto& masks = cache[weight == TextWeight::bold ? 1 : 0];
    const auto found = masks.find(c.unicode());
    if (found != masks.end()) return found->second;
    return masks.emplace(c.unicode(), rasterise(c, textFont(weight))).first->second;
}

} // namespace

const QFont& textFont(TextWeight weight) {
    static const QFont normal =
        makeFont(QStringLiteral(":/fonts/DejaVuSans.ttf"), TextWeight::normal);
    static const QFont bold =
        makeFont(QStringLiteral(":/fonts/DejaVuSans-Bold.ttf"), TextWeight::bold);
    return weight == TextWeight::bold ? bold : normal;
}

int textWidth(const QString& text, TextWeight weight) {
    int width = 0;
    for (const QChar c : text) width += maskOf(c, weight).advance;
    return width;
}

void drawText(QImage& target, const QString& text, const Rect& area, TextAlign align, Colour colour,
              TextWeight weight) {
    if (text.isEmpty() || target.isNull()) return;
    const int clipLeft = std::max(area.left, 0);
    const int clipTop = std::max(area.top, 0);
    const int clipRight = std::min(area.right, target.width());
    const int clipBottom = std::min(area.bottom, target.height());
    if (clipLeft >= clipRight || clipTop >= clipBottom) return;

    const int width = textWidth(text, weight);
    int pen = align == TextAlign::left     ? area.left
              : align == TextAlign::centre ? area.left + (area.width() - width) / 2
                                           : area.right - width;
    const QRgb value = toQRgb(colour);
    uchar* bits = target.bits();
    const qsizetype stride = target.bytesPerLine();
    for (const QChar c : text) {
        const CharMask& mask = maskOf(c, weight);
        for (const Point p : mask.pixels) {
            const int x = pen + p.x;
            const int y = area.top + p.y;
            if (x >= clipLeft && x < clipRight && y >= clipTop && y < clipBottom)
                reinterpret_cast<QRgb*>(bits + y * stride)[x] = value;
        }
        pen += mask.advance;
    }
}

} // namespace kelvaro
