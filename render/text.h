// One line of text in a rectangle, in the font bundled with the program, so that every
// machine draws the same pixels. Needs a QGuiApplication (fonts come from Qt's database).
// Characters are rasterised once each, unsmoothed, and then copied by our own loop.
#pragma once

#include "model/layout.h"
#include "store/settings.h"

#include <QFont>
#include <QImage>
#include <QString>

namespace kelvaro {

enum class TextAlign { left, centre, right };

enum class TextWeight { normal, bold };

// Draws text at the top of area, aligned horizontally, clipped to area, in colour, without
// touching the background. Lines of the font fit in 15 rows.
void drawText(QImage& target, const QString& text, const Rect& area, TextAlign align, Colour colour,
              TextWeight weight = TextWeight::normal);

// Width in pixels of text as drawText lays it out.
int textWidth(const QString& text, TextWeight weight = TextWeight::normal);

// The fonts drawText uses: the bundled DejaVu Sans faces when they load, otherwise the
// application's default family at the same size.
const QFont& textFont(TextWeight weight);

} // namespace kelvaro
