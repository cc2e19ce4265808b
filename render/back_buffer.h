// The off-screen frame the main window shows, with the two pictures it keeps resident.
#pragma once

#include "model/layout.h"
#include "render/pictures.h"

#include <QImage>
#include <cstdint>
#include <functional>

namespace kelvaro {

// Returns the picture with that resource number, or a null image when it is absent.
using PictureLoader = std::function<QImage(int id)>;

struct BackBuffer {
    std::int32_t width = 0;
    std::int32_t height = 0;
    QImage image;        // Format_RGB32; null until createBackBuffer
    QImage glyphAtlas;   // null when absent for the run
    QImage segmentTiles; // null when absent for the run
    // Every picture goes through here, so tests and tools can supply their own.
    PictureLoader loadPicture = loadResourcePicture;
};

// Makes a white width x height image and loads the resident pictures with loadPicture.
// A size below 1 x 1 leaves the buffer absent, so paints draw nothing.
void createBackBuffer(BackBuffer& buffer, std::int32_t width, std::int32_t height);

// Drops the image and the resident pictures; paints then draw nothing.
void releaseBackBuffer(BackBuffer& buffer);

inline bool hasBackBuffer(const BackBuffer& buffer) {
    return !buffer.image.isNull();
}

inline Rect wholeBuffer(const BackBuffer& buffer) {
    return {0, 0, buffer.width, buffer.height};
}

// The status strip as presented by a clock-only paint.
inline Rect statusStrip(const BackBuffer& buffer) {
    return {0, 0, buffer.width, statusStripHeight};
}

} // namespace kelvaro
