// The pictures the program carries, by resource number, and how they are loaded.
#pragma once

#include <QImage>

namespace kelvaro {

enum PictureId : int {
    perfectBannerId = 114,
    acceptedBannerId = 115,
    creditPictureId = 118,
    flarePictureId = 119,
    ringTextureId = 120,
    toolbarStripId = 128,
    namePictureId = 134,
    glyphAtlasId = 137,
    segmentTilesId = 144,
    pausePictureId = 147,
};

// Size of one glyph as copied from the atlas: a tile's top-left 18 x 18 pixels.
constexpr int glyphPixels = 18;
constexpr int atlasTiles = 30; // per row: numbers 0-29, symbols 0-29

// Loads ":/pictures/<id>.bmp" as a 32-bit RGB image. A missing or undecodable picture
// gives a null image, which every drawing operation treats as an empty picture.
QImage loadResourcePicture(int id);

// Loads and converts any image file the same way; used for the bundled pictures and tools.
QImage loadPictureFile(const QString& path);

} // namespace kelvaro
