// Lays out controls given in dialog units, the way the dialog templates describe them.
#pragma once

#include <QFont>
#include <QRect>

class QWidget;

namespace kelvaro {

// One horizontal dialog unit is a quarter of the font's average letter width, one vertical
// unit an eighth of its height.
struct DialogUnits {
    int baseX = 4; // average letter width in pixels
    int baseY = 8; // letter height in pixels

    QRect toPixels(int x, int y, int width, int height) const;
};

// The 8-point font the templates were drawn for.
QFont dialogFont();
DialogUnits dialogUnitsFor(const QFont& font);

// Places a control of a template on its parent.
void placeControl(QWidget& control, const DialogUnits& units, int x, int y, int width, int height);

} // namespace kelvaro
