// Saves what an X window shows, as the X server has it, into a PNG file:
//   kelvaro-grab-window <window id> <file.png>
// Run on the same display as the window (take.sh runs both under Xvfb).
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <window id> <file.png>\n", argv[0]);
        return 2;
    }
    const WId window = QString::fromLatin1(argv[1]).toULongLong(nullptr, 0);
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(window);
    if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "could not grab window %s\n", argv[1]);
        return 1;
    }
    return 0;
}
