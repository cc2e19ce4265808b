// Palettes for the indexed pictures and the mapping of colour images onto them.
#pragma once

#include <QImage>
#include <QList>
#include <QRgb>

namespace kelvaro::pictures {

// 256 entries: a long mauve ramp, a silver ramp and black for the rest.
QList<QRgb> tilePalette();
// 256 entries from black through deep blue and sky blue to white.
QList<QRgb> flarePalette();
// 16 shades of purple, entry 0 black.
QList<QRgb> purplePalette();
// The standard 16-colour palette in its usual order.
QList<QRgb> standardPalette();

// Each pixel becomes the nearest palette entry; the image keeps the whole palette.
QImage toIndexed(const QImage& rgb, const QList<QRgb>& palette);

} // namespace kelvaro::pictures
