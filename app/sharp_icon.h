// Toolbar images that grow by repeating their pixels. On a display of twice the density, or
// under a scale factor, Qt's own icons are scaled smoothly and the 17 x 17 pictures blur.
#pragma once

#include <QIcon>
#include <QImage>

namespace kelvaro {

// An icon that shows image at any size, each image pixel a block of whole pixels where the
// size is a whole multiple of the image's (nearest neighbour otherwise).
QIcon sharpIcon(const QImage& image);

} // namespace kelvaro
