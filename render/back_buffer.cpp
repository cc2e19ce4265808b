#include "render/back_buffer.h"

#include "render/canvas.h"
#include "render/colour.h"

namespace kelvaro {

void createBackBuffer(BackBuffer& buffer, std::int32_t width, std::int32_t height) {
    releaseBackBuffer(buffer);
    if (width < 1 || height < 1) return;
    buffer.image = QImage(width, height, QImage::Format_RGB32);
    if (buffer.image.isNull()) return; // out of memory: stays absent
    buffer.width = width;
    buffer.height = height;
    fillRect(buffer.image, wholeBuffer(buffer), white);
    if (buffer.loadPicture) {
        buffer.glyphAtlas = buffer.loadPicture(glyphAtlasId);
        buffer.segmentTiles = buffer.loadPicture(segmentTilesId);
    }
}

void releaseBackBuffer(BackBuffer& buffer) {
    buffer.image = QImage();
    buffer.glyphAtlas = QImage();
    buffer.segmentTiles = QImage();
    buffer.width = 0;
    buffer.height = 0;
}

} // namespace kelvaro
