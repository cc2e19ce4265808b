#include "dialogs/dialog_units.h"

#include <QApplication>
#include <QFontMetrics>
#include <QWidget>

namespace kelvaro {

namespace {

int scaled(int units, int base, int divisor) {
    return (units * base + divisor / 2) / divisor;
}

} // namespace

QRect DialogUnits::toPixels(int x, int y, int width, int height) const {
    const int left = scaled(x, baseX, 4);
    const int top = scaled(y, baseY, 8);
    return QRect(left, top, scaled(x + width, baseX, 4) - left, scaled(y + height, baseY, 8) - top);
}

QFont dialogFont() {
    QFont font = QApplication::font();
    font.setPointSize(8);
    return font;
}

DialogUnits dialogUnitsFor(const QFont& font) {
    const QFontMetrics metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const int average = (metrics.horizontalAdvance(letters) + 26) / 52;
    return DialogUnits{average > 0 ? average : 4, metrics.height() > 0 ? metrics.height() : 8};
}

void placeControl(QWidget& control, const DialogUnits& units, int x, int y, int width, int height) {
    control.setGeometry(units.toPixels(x, y, width, height));
}

} // namespace kelvaro
