// Plays the splash on a simulated 60 ms timer and records what the screen shows after each
// paint: only the areas the timer asked for reach it, as on the device. Writes a strip of
// chosen frames, with their times, to the given PNG file.
//
//   splash_frames docs/screenshots/splash-strip.png
#include "game/game.h"
#include "game/splash.h"
#include "render/back_buffer.h"
#include "render/board_painter.h"
#include "render/colour.h"
#include "render/splash_paint.h"
#include "render/text.h"
#include "store/memory_registry.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdio>
#include <vector>

namespace kelvaro {
namespace {

// The window system as far as the splash uses it: a clock moved by hand and the area that
// waits to be painted.
class RecordingWindow final : public WindowServices {
  public:
    std::uint32_t now = 10000;
    std::vector<Rect> pending;
    bool timerRunning = false;

    std::uint32_t tickCount() override { return now; }
    void requestRepaint() override { pending.push_back({0, 0, screenWidth, bufferHeight}); }
    void invalidateRect(const Rect& area, bool) override { pending.push_back(area); }
    void updateNow() override {}
    std::uint32_t startTimer(int id, int) override {
        timerRunning = true;
        return static_cast<std::uint32_t>(id);
    }
    void stopTimer(std::uint32_t) override { timerRunning = false; }
    int messageBox(std::string_view, std::string_view, MessageButtons) override { return answerOk; }
    void runRulesDialog() override {}
    void runOptionsDialog() override {}
    void localiseMenu() override {}
    bool askText(std::string_view, std::string_view, std::string&) override { return false; }
    void copyText(std::string_view) override {}
    void printPuzzle(const Board&, std::string_view) override {}
    void postPuzzleReady() override {}
    bool modalOpen() override { return false; }
};

struct Frame {
    std::uint32_t ms;
    QImage screen;
};

QRect toQRect(const Rect& r) {
    return QRect(r.left, r.top, r.width(), r.height());
}

int record(const char* path) {
    RecordingWindow window;
    MemoryRegistry registry;
    Mt19937Source random(20261209);
    GameWorld world(registry, window, random);
    SplashScene scene;
    BackBuffer buffer;
    QImage screen(screenWidth, bufferHeight, QImage::Format_RGB32);
    screen.fill(Qt::white);
    std::vector<Frame> frames;

    const auto paint = [&] {
        const SplashPainter painter = [&](BackBuffer& b) {
            return paintSplash(b, world.state, scene, world.random, window);
        };
        const Rect drawn = onPaint(buffer, world.state, world.board, world.settings,
                                   world.statistics, window, painter);
        QPainter onScreen(&screen);
        for (const Rect& area : window.pending) {
            const QRect shown = toQRect(area).intersected(toQRect(drawn));
            if (!shown.isEmpty()) onScreen.drawImage(shown, buffer.image, shown);
        }
        window.pending.clear();
        frames.push_back({window.now, screen.copy()});
    };

    // The main window's start-up: the first game, the splash, a paint before the buffer.
    newGame(world);
    const std::uint32_t start = window.now;
    startSplash(world, scene);
    window.pending.clear();
    window.pending.push_back({0, 0, screenWidth, bufferHeight});
    paint();
    createBackBuffer(buffer, screenWidth, bufferHeight);
    window.pending.push_back({0, 0, screenWidth, bufferHeight});
    paint();
    while (world.state.splashTick != 0) {
        window.now += splashTimerMs;
        onTimer(world);
        if (!window.pending.empty()) paint();
    }
    frames.front().ms = start; // relative times below

    // Opening frame, ring outline and flash, shrinking flare, darkening outline, band,
    // cut band with the name, stars and twinkle, and the game after the splash.
    const std::uint32_t wanted[] = {0,    180,  240,  600,  1200, 1920,
                                    2100, 2340, 2580, 2760, 3600, 5040};
    const int columns = 6;
    const int gap = 8;
    const int caption = 18;
    const int rows = (static_cast<int>(std::size(wanted)) + columns - 1) / columns;
    QImage strip(columns * (screenWidth + gap) + gap, rows * (bufferHeight + caption + gap) + gap,
                 QImage::Format_RGB32);
    strip.fill(qRgb(48, 48, 48));
    int slot = 0;
    for (const std::uint32_t ms : wanted) {
        const Frame* best = nullptr;
        for (const Frame& frame : frames)
            if (frame.ms - start <= ms) best = &frame;
        if (!best) continue;
        const int x = gap + (slot % columns) * (screenWidth + gap);
        const int y = gap + (slot / columns) * (bufferHeight + caption + gap);
        QPainter onStrip(&strip);
        onStrip.drawImage(x, y, best->screen);
        onStrip.end();
        const unsigned shownMs = best->ms - start;
        const QString label = best == &frames.back()
                                  ? QStringLiteral("%1 ms: the game").arg(shownMs)
                                  : QStringLiteral("%1 ms").arg(shownMs);
        drawText(strip, label,
                 {x, y + bufferHeight + 2, x + screenWidth, y + bufferHeight + caption},
                 TextAlign::centre, white);
        ++slot;
    }
    if (!strip.save(QString::fromUtf8(path))) {
        std::fprintf(stderr, "cannot write %s\n", path);
        return 1;
    }
    std::printf("%zu paints, %d frames in the strip\n", frames.size(), slot);
    return 0;
}

} // namespace
} // namespace kelvaro

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s strip.png\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    return kelvaro::record(argv[1]);
}
