// A virtual X server for one test, and the kelvaro program driven on it with xdotool the way
// a player drives it with the mouse and the keys.
#pragma once

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <memory>

namespace kelvaro::e2e {

// The first of these tools missing from PATH; empty when all are there.
QString missingTool(const QStringList& tools);

// Xvfb on a display number of its own choosing, killed with the session.
class XSession {
  public:
    explicit XSession(QSize screen = {1280, 1024});
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool running() const { return !display.isEmpty(); }
    // The environment of a program on this display, with its settings under configHome and its
    // kept game under configHome/state.
    QProcessEnvironment environment(const QString& configHome) const;

    // Runs xdotool and gives its output, trimmed; an empty string when it failed.
    QString xdotool(const QStringList& arguments, int timeoutMs = 5000) const;
    // The id of the first window with exactly this name, waiting up to timeoutMs for it.
    QString waitForWindow(const QString& name, int timeoutMs) const;
    bool waitUntilGone(const QString& name, int timeoutMs) const;
    // Screen position and size of a window.
    QRect geometry(const QString& window) const;
    // The window's pixels as the X server holds them.
    QImage grab(const QString& window) const;

    QString display;

  private:
    QProcess server;
};

// The game area of the main window: 240 x 270 buffer pixels shown at a whole factor at the
// bottom of the window, under the menu and the toolbar.
struct GameArea {
    QRect window; // on the screen
    int factor = 1;
    int top = 0; // of the game area, in window pixels
    // Window pixel of a buffer pixel.
    QPoint windowPixel(int bufferX, int bufferY) const;
    // Window pixel at the centre of board cell (x, y) of a board of side n.
    QPoint cellCentre(int n, int x, int y) const;
};

// The kelvaro program on a session, with its settings in a folder of the test's.
class Game {
  public:
    // wrapper: a program to run kelvaro under (valgrind and its options), or empty. extra:
    // variables added to the program's environment.
    Game(const XSession& session, const QString& configHome, const QStringList& wrapper = {},
         int startTimeoutMs = 30000, const QProcessEnvironment& extra = {});
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    bool started() const { return !window.isEmpty(); }
    // Focuses the main window and types a key chord, such as "ctrl+n".
    void key(const QString& keys) const;
    void tapCell(int n, int x, int y) const;
    // Presses on the first cell, moves through the others and lifts.
    void drag(int n, const QList<QPoint>& cells) const;
    // Waits for the modal window of this name and presses its default button.
    bool answer(const QString& boxName, int timeoutMs = 5000) const;
    QImage grab() const { return session.grab(window); }
    // Asks the window to close with the Exit key and waits for the program's end.
    bool exit(int timeoutMs = 10000);
    // Why started() is false: how the program ended (it is stopped first if it still runs)
    // and everything it wrote on its error output.
    QString whyNotStarted();
    int exitCode() const { return program.exitCode(); }
    // Ended by itself, not killed by a signal it left to its default action.
    bool exitedNormally() const { return program.exitStatus() == QProcess::NormalExit; }
    qint64 processId() const { return program.processId(); }
    bool waitForEnd(int timeoutMs) { return program.waitForFinished(timeoutMs); }

    const XSession& session;
    QString window;
    GameArea area;

  private:
    QProcess program;
};

// Picture pictureId of the game's resources, as bundled, in 32-bit RGB; null when missing.
QImage bundledPicture(int pictureId);

// Where the 65 x 13 block of a completion banner taken from row `row` of banner picture
// `pictureId` shows in a screenshot: two colours, letters where the picture's pixels are
// white, at the given factor. The top-left window pixel, or (-1, -1) when it is nowhere.
QPoint findBanner(const QImage& shot, int pictureId, int row, int factor);

// Sleeps the test for this long, letting the program run.
void pause(int ms);

} // namespace kelvaro::e2e
