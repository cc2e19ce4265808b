// The game's pictures, drawn from scratch. Each function returns the finished image
// in the format its BMP file is written in.
#pragma once

#include <QFont>
#include <QImage>
#include <vector>

namespace kelvaro::pictures {

QImage drawPerfectBanner();  // 114
QImage drawAcceptedBanner(); // 115
QImage drawCreditPicture();  // 118
QImage drawFlarePicture();   // 119
QImage drawRingTexture();    // 120
QImage drawToolbarStrip();   // 128
QImage drawNamePicture();    // 134
QImage drawGlyphAtlas();     // 137
QImage drawSegmentTiles();   // 144
QImage drawPausePicture();   // 147

// The application icon, a corner of a board, size x size pixels with transparency.
QImage drawAppIcon(int size);

struct PictureKind {
    int id;
    int width;
    int height;
    int bitsPerPixel;
    QImage (*draw)();
};

// All ten pictures with the size and depth each must have.
const std::vector<PictureKind>& pictureKinds();
const std::vector<int>& iconSizes();

// The bundled DejaVu faces; registerFonts must have run first.
bool registerFonts();
QFont uiFont(int pixelSize, bool bold);

} // namespace kelvaro::pictures
