#include "render/pictures.h"

namespace kelvaro {

QImage loadPictureFile(const QString& path) {
    QImage picture(path);
    if (picture.isNull()) return {};
    // One format for every picture keeps the pixel loops simple; the pictures are small.
    return picture.convertToFormat(QImage::Format_RGB32);
}

QImage loadResourcePicture(int id) {
    return loadPictureFile(QStringLiteral(":/pictures/%1.bmp").arg(id));
}

} // namespace kelvaro
