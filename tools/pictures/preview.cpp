#include "preview.h"

#include "pictures.h"

#include <QDir>
#include <QImage>

namespace kelvaro::pictures {

namespace {

QImage picture(int id) {
    return QImage(QString(":/pictures/%1.bmp").arg(id)).convertToFormat(QImage::Format_RGB32);
}

} // namespace

int writePreview(const QString& folder) {
    QDir dir(folder);
    if (!dir.mkpath(".")) return 1;
    int failures = 0;
    for (const PictureKind& kind : pictureKinds()) {
        const QImage image = picture(kind.id);
        const int scale = kind.width >= 240 ? 3 : 6;
        const QImage big =
            image.scaled(image.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        if (image.isNull() || !big.save(dir.filePath(QString("%1.png").arg(kind.id)))) ++failures;
    }
    return failures == 0 ? 0 : 1;
}

} // namespace kelvaro::pictures
