// Draws the game's pictures and icons, or checks the set compiled into the program.
//
//   kelvaro-pictures --write <resources folder>
//   kelvaro-pictures --check
//   kelvaro-pictures --preview <folder>   (enlarged copies to look at)
#include "picture_check.h"
#include "pictures.h"
#include "preview.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>
#include <cstring>

using namespace kelvaro::pictures;

namespace {

int writeAll(const QString& root) {
    QDir dir(root);
    if (!dir.mkpath("pictures") || !dir.mkpath("icons")) {
        std::fprintf(stderr, "cannot create folders under %s\n", qPrintable(root));
        return 1;
    }
    int failures = 0;
    for (const PictureKind& kind : pictureKinds()) {
        const QString path = dir.filePath(QString("pictures/%1.bmp").arg(kind.id));
        if (!kind.draw().save(path, "BMP")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ++failures;
        }
    }
    for (int size : iconSizes()) {
        const QString path = dir.filePath(QString("icons/kelvaro-%1.png").arg(size));
        if (!drawAppIcon(size).save(path, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--write") == 0) {
        if (!registerFonts()) {
            std::fprintf(stderr, "the bundled fonts did not load\n");
            return 1;
        }
        return writeAll(QString::fromLocal8Bit(argv[2]));
    }
    if (argc == 2 && std::strcmp(argv[1], "--check") == 0) return checkResources();
    if (argc == 3 && std::strcmp(argv[1], "--preview") == 0)
        return writePreview(QString::fromLocal8Bit(argv[2]));
    std::fprintf(stderr, "usage: %s --write <resources folder> | --check | --preview <folder>\n",
                 argv[0]);
    return 2;
}
