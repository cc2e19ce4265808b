#include "render/text.h"

#include "render/colour.h"

#include <QFontDatabase>
#include <QPainter>

namespace kelvaro {
namespace {

constexpr int textPixelSize = 11;

QFont makeFont(const QString& resource, TextWeight weight) {
    QFont font;
    const int id = QFontDatabase::addApplicationFont(resource);
    const QStringList families =
        id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
    if (!families.isEmpty()) font = QFont(families.first());
    font.setPixelSize(textPixelSize);
    font.setBold(weight == TextWeight::bold);
    // Crisp, unblended pixels: text then shows exactly its colour, as on the original
    // pocket screen, and does not depend on the rasteriser's smoothing.
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

} // namespace

const QFont& textFont(TextWeight weight) {
    static const QFont normal =
        makeFont(QStringLiteral(":/fonts/DejaVuSans.ttf"), TextWeight::normal);
    static const QFont bold =
        makeFont(QStringLiteral(":/fonts/DejaVuSans-Bold.ttf"), TextWeight::bold);
    return weight == TextWeight::bold ? bold : normal;
}

void drawText(QImage& target, const QString& text, const Rect& area, TextAlign align, Colour colour,
              TextWeight weight) {
    if (text.isEmpty() || area.width() <= 0 || area.height() <= 0 || target.isNull()) return;
    const QRect box(area.left, area.top, area.width(), area.height());
    QPainter painter(&target);
    painter.setClipRect(box);
    painter.setFont(textFont(weight));
    painter.setPen(QColor::fromRgb(toQRgb(colour)));
    int flags = Qt::AlignTop | Qt::TextSingleLine;
    flags |= align == TextAlign::left     ? Qt::AlignLeft
             : align == TextAlign::centre ? Qt::AlignHCenter
                                          : Qt::AlignRight;
    painter.drawText(box, flags, text);
}

} // namespace kelvaro
