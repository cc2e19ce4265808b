// Paints every named scene with the bundled pictures and writes it, scaled 2x with sharp
// pixels, as <directory>/<name>.png.
#include "render/back_buffer.h"
#include "render/board_painter.h"
#include "tools/scenes/scene_setup.h"

#include <QDir>
#include <QGuiApplication>
#include <cstdio>

namespace {

class FixedClock final : public kelvaro::TickSource {
  public:
    explicit FixedClock(std::uint32_t now) : now_(now) {}
    std::uint32_t tickCount() override { return now_; }

  private:
    std::uint32_t now_;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kelvaro-scenes <output directory>\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists() && !QDir().mkpath(out.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    int failures = 0;
    for (kelvaro::Scene& scene : kelvaro::allScenes()) {
        kelvaro::BackBuffer buffer;
        kelvaro::createBackBuffer(buffer, kelvaro::screenWidth, kelvaro::bufferHeight);
        FixedClock clock(scene.tick);
        kelvaro::onPaint(buffer, scene.state, scene.board, scene.settings, scene.statistics, clock);
        const QImage scaled = buffer.image.scaled(buffer.width * 2, buffer.height * 2,
                                                  Qt::IgnoreAspectRatio, Qt::FastTransformation);
        const QString path = out.filePath(QString::fromStdString(scene.name) + ".png");
        if (!scaled.save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ++failures;
        }
    }
    return failures == 0 ? 0 : 1;
}
