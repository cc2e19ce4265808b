#include "x_session.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <csignal>

namespace kelvaro::e2e {

namespace {

constexpr int bufferWidth = 240;
constexpr int bufferHeight = 270;
constexpr int cellPixels = 20;
constexpr int bannerWidth = 65;
constexpr int bannerHeight = 13;

} // namespace

QString missingTool(const QStringList& tools) {
    for (const QString& tool : tools)
        if (QStandardPaths::findExecutable(tool).isEmpty()) return tool;
    return {};
}

void pause(int ms) {
    QThread::msleep(static_cast<unsigned long>(ms));
}

XSession::XSession(QSize screen) {
    // Xvfb picks a free display and writes its number on the descriptor once it accepts
    // connections, so nothing has to guess a number or poll. Without -noreset the server
    // resets whenever its last client leaves: every xdotool call would cost it a keymap
    // compilation, and a program connecting during such a reset is turned away.
    server.setProgram(QStringLiteral("Xvfb"));
    server.setArguments(
        {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
         QStringLiteral("0"), QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()),
         QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-noreset")});
    server.start();
    if (!server.waitForStarted(5000)) return;
    QElapsedTimer clock;
    clock.start();
    QByteArray number;
    while (!number.contains('\n') && clock.elapsed() < 10000 &&
           server.state() == QProcess::Running) {
        server.waitForReadyRead(200);
        number += server.readAllStandardOutput();
    }
    if (number.contains('\n'))
        display = QStringLiteral(":") + QString::fromLatin1(number).trimmed();
}

XSession::~XSession() {
    if (server.state() == QProcess::Running) {
        server.terminate();
        if (!server.waitForFinished(5000)) server.kill();
        server.waitForFinished(2000);
    }
}

QProcessEnvironment XSession::environment(const QString& configHome) const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome);
    // The kept game too stays in the test's folder, never in the user's.
    if (!configHome.isEmpty())
        environment.insert(QStringLiteral("XDG_STATE_HOME"), configHome + QStringLiteral("/state"));
    // No desktop session here. A bus address that fails at once keeps libdbus from forking a
    // helper to look for one, which under valgrind can hold up the start for minutes.
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                       QStringLiteral("unix:path=/nonexistent/kelvaro-test-bus"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return environment;
}

QString XSession::xdotool(const QStringList& arguments, int timeoutMs) const {
    QProcess tool;
    tool.setProcessEnvironment(environment(QString()));
    tool.start(QStringLiteral("xdotool"), arguments);
    if (!tool.waitForFinished(timeoutMs)) {
        tool.kill();
        tool.waitForFinished(1000);
        return {};
    }
    if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) return {};
    return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
}

QString XSession::waitForWindow(const QString& name, int timeoutMs) const {
    QElapsedTimer clock;
    clock.start();
    do {
        const QString found =
            xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                     QStringLiteral("--name"), QStringLiteral("^") + name + QStringLiteral("$")});
        if (!found.isEmpty()) return found.section(QLatin1Char('\n'), 0, 0);
        pause(100);
    } while (clock.elapsed() < timeoutMs);
    return {};
}

bool XSession::waitUntilGone(const QString& name, int timeoutMs) const {
    QElapsedTimer clock;
    clock.start();
    do {
        if (xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                     QStringLiteral("--name"), QStringLiteral("^") + name + QStringLiteral("$")})
                .isEmpty())
            return true;
        pause(100);
    } while (clock.elapsed() < timeoutMs);
    return false;
}

QRect XSession::geometry(const QString& window) const {
    const QString shell =
        xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window});
    QRect rect;
    for (const QString& line : shell.split(QLatin1Char('\n'))) {
        const QString name = line.section(QLatin1Char('='), 0, 0);
        const int value = line.section(QLatin1Char('='), 1).toInt();
        if (name == QLatin1String("X")) rect.moveLeft(value);
        if (name == QLatin1String("Y")) rect.moveTop(value);
        if (name == QLatin1String("WIDTH")) rect.setWidth(value);
        if (name == QLatin1String("HEIGHT")) rect.setHeight(value);
    }
    return rect;
}

QImage XSession::grab(const QString& window) const {
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("shot.png"));
    QProcess grabber;
    grabber.setProcessEnvironment(environment(folder.path()));
    grabber.start(QStringLiteral(KELVARO_GRAB_WINDOW), {window, file});
    if (!grabber.waitForFinished(10000) || grabber.exitCode() != 0) return {};
    return QImage(file).convertToFormat(QImage::Format_RGB32);
}

QPoint GameArea::windowPixel(int bufferX, int bufferY) const {
    const int left = (window.width() - bufferWidth * factor) / 2;
    return {left + factor * bufferX + factor / 2, top + factor * bufferY + factor / 2};
}

QPoint GameArea::cellCentre(int n, int x, int y) const {
    const int boardLeft = (bufferWidth - cellPixels * n) / 2;
    const int boardTop = boardLeft + 30;
    return windowPixel(boardLeft + cellPixels * x + cellPixels / 2,
                       boardTop + cellPixels * y + cellPixels / 2);
}

Game::Game(const XSession& sessionIn, const QString& configHome, const QStringList& wrapper,
           int startTimeoutMs, const QProcessEnvironment& extra)
    : session(sessionIn) {
    QProcessEnvironment environment = session.environment(configHome);
    environment.insert(extra);
    program.setProcessEnvironment(environment);
    // As a session starts it: whatever this test's own starter chose to ignore (nohup, a
    // script's background job) is not passed on.
    program.setChildProcessModifier([] {
        for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) ::signal(signalNumber, SIG_DFL);
    });
    QStringList command = wrapper;
    command << QStringLiteral(KELVARO_PROGRAM);
    program.start(command.takeFirst(), command);
    if (!program.waitForStarted(5000)) return;
    window = session.waitForWindow(QStringLiteral("Kelvaro"), startTimeoutMs);
    if (window.isEmpty()) return;
    area.window = session.geometry(window);
    area.factor = std::max(1, area.window.width() / bufferWidth);
    area.top = area.window.height() - bufferHeight * area.factor;
}

Game::~Game() {
    if (program.state() == QProcess::Running) {
        program.kill();
        program.waitForFinished(5000);
    }
}

QString Game::whyNotStarted() {
    // QProcess only notices an end, and reads the pipes, while it waits.
    QString how;
    if (program.error() == QProcess::FailedToStart) {
        how = QStringLiteral("the program could not be started: ") + program.errorString();
    } else if (!program.waitForFinished(500)) {
        how = QStringLiteral("the program ran without showing a window named Kelvaro");
        program.kill();
        program.waitForFinished(5000);
    } else if (program.exitStatus() == QProcess::CrashExit) {
        how = QStringLiteral("the program was ended by a signal");
    } else {
        how = QStringLiteral("the program ended with status %1").arg(program.exitCode());
    }
    return how + QStringLiteral("\n") + QString::fromLocal8Bit(program.readAllStandardError());
}

void Game::key(const QString& keys) const {
    session.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
    session.xdotool({QStringLiteral("key"), keys});
    pause(150);
}

void Game::tapCell(int n, int x, int y) const {
    const QPoint at = area.cellCentre(n, x, y);
    session.xdotool({QStringLiteral("mousemove"), QStringLiteral("--window"), window,
                     QString::number(at.x()), QString::number(at.y()), QStringLiteral("click"),
                     QStringLiteral("1")});
    pause(150);
}

void Game::drag(int n, const QList<QPoint>& cells) const {
    QStringList arguments;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const QPoint at = area.cellCentre(n, cells[i].x(), cells[i].y());
        arguments << QStringLiteral("mousemove") << QStringLiteral("--window") << window
                  << QString::number(at.x()) << QString::number(at.y());
        arguments << QStringLiteral("sleep") << QStringLiteral("0.05");
        if (i == 0) arguments << QStringLiteral("mousedown") << QStringLiteral("1");
    }
    arguments << QStringLiteral("mouseup") << QStringLiteral("1");
    session.xdotool(arguments, 10000);
    pause(200);
}

bool Game::answer(const QString& boxName, int timeoutMs) const {
    const QString box = session.waitForWindow(boxName, timeoutMs);
    if (box.isEmpty()) return false;
    session.xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), box});
    session.xdotool({QStringLiteral("key"), QStringLiteral("Return")});
    return session.waitUntilGone(boxName, timeoutMs);
}

bool Game::exit(int timeoutMs) {
    key(QStringLiteral("ctrl+q"));
    return program.waitForFinished(timeoutMs);
}

QImage bundledPicture(int pictureId) {
    return QImage(QStringLiteral(KELVARO_PICTURES_DIR "/%1.bmp").arg(pictureId))
        .convertToFormat(QImage::Format_RGB32);
}

QPoint findBanner(const QImage& shot, int pictureId, int row, int factor) {
    const QImage picture = bundledPicture(pictureId);
    if (picture.isNull() || shot.isNull()) return {-1, -1};
    auto letter = [&](int x, int y) { return qGray(picture.pixel(x, row + y)) > 128; };
    const int width = bannerWidth * factor;
    const int height = bannerHeight * factor;
    for (int top = 0; top + height <= shot.height(); ++top) {
        for (int left = 0; left + width <= shot.width(); ++left) {
            QRgb ink = 0;
            QRgb paper = 0;
            bool haveInk = false;
            bool havePaper = false;
            bool match = true;
            for (int y = 0; match && y < bannerHeight; ++y) {
                for (int x = 0; match && x < bannerWidth; ++x) {
                    // Every pixel of the factor x factor square, not just one of them.
                    for (int dy = 0; match && dy < factor; ++dy) {
                        for (int dx = 0; match && dx < factor; ++dx) {
                            const QRgb seen =
                                shot.pixel(left + x * factor + dx, top + y * factor + dy);
                            QRgb& expected = letter(x, y) ? ink : paper;
                            bool& known = letter(x, y) ? haveInk : havePaper;
                            if (!known) {
                                expected = seen;
                                known = true;
                                // Letters and ground in one colour show no banner.
                                match = !(haveInk && havePaper && ink == paper);
                                continue;
                            }
                            match = seen == expected;
                        }
                    }
                }
            }
            if (match && haveInk && havePaper) return {left, top};
        }
    }
    return {-1, -1};
}

} // namespace kelvaro::e2e
