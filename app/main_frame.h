// The main window: the menu, the toolbar and the scaled game area, turning window events
// into calls of the game's handlers.
#pragma once

#include "app/game_area_geometry.h"
#include "app/qt_window_services.h"
#include "app/shown_frame.h"
#include "engine/puzzle_number.h"
#include "engine/random_source.h"
#include "game/game_world.h"
#include "model/splash_scene.h"
#include "render/back_buffer.h"
#include "store/kept_game_store.h"
#include "store/registry.h"

#include <QBasicTimer>
#include <QMainWindow>
#include <QRegion>
#include <map>
#include <memory>
#include <optional>

class QAction;
class QKeyEvent;
class QMouseEvent;
class QMenu;
class QToolBar;

namespace kelvaro {

class MainFrame : public QMainWindow {
  public:
    // Builds the window and its command bar, loads the settings, relabels the menu, starts
    // the first game and the splash. The registry holds the settings and records; the
    // source of the games' seeds is seeded once, with randomSeed. With firstPuzzle, that
    // puzzle replaces the first new game, as practice. The keeper holds the unfinished game
    // between runs; without one, no game is kept, whatever the option says. Otherwise, with the
    // option on, a kept game replaces the first new game, paused.
    MainFrame(Registry& registry, std::uint32_t randomSeed, QtWindowServices::Scripts scripts = {},
              std::optional<PuzzleNumber> firstPuzzle = std::nullopt,
              KeptGameStore* keeper = nullptr);
    ~MainFrame() override;

    // Shows the window, paints once, makes the back buffer, repaints it whole and names the
    // window: the rest of the start-up, once the window may appear.
    void showAndStart();

    // One command of the menu or the toolbar, by id, as the message table routes it.
    void onCommand(int commandId);
    void localiseMenu();
    void showAbout();

    GameWorld& world() { return gameWorld; }
    QtWindowServices& services() { return windowServices; }
    BackBuffer& backBuffer() { return buffer; }
    QWidget* gameArea() const { return area; }
    QMenu* gameMenu() const { return menu; }
    QMenu* puzzleMenu() const { return puzzleCommands; }
    QMenu* viewMenu() const { return viewCommands; }
    QToolBar* commandBar() const { return toolbar; }
    // The menu item or toolbar button with this command id; nullptr for an unknown id.
    QAction* commandAction(int commandId) const;
    const GameAreaPlacement& placement() const { return areaPlacement; }
    // What the last paint presented, in widget pixels: the game's request and what the window
    // system uncovered. Of it, only pixels that differ from the screen are copied.
    const QRegion& lastPresented() const { return presented; }
    // Paints that composed a frame in the back buffer and presented some of it.
    int framesPainted() const { return paintedFrames; }

    // A keyboard pen that is down goes up (a stylus up) before anything takes the keyboard.
    void liftKeyboardPen();
    // Where the keyboard's cursor frame is on the screen; empty when it is not shown.
    const QRect& cursorFrame() const { return cursorOnScreen; }
    // Where the note about a puzzle being prepared is on the screen; empty when not shown.
    const QRect& preparingNote() const { return noteOnScreen; }

    // The worker preparing a puzzle has posted that it is done.
    void onPuzzleReady();

    // Repaint requests of the game, in buffer pixels.
    void invalidateGameArea(const Rect& bufferArea);
    void paintPendingNow();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void createCommandBar();
    void dispatchCommand(int commandId);
    void connectCommands();
    void placeArea();
    void paintGameArea(const QRegion& exposed);
    Rect composeFrame();
    bool stylusEvent(QMouseEvent* event);
    bool keyEvent(QKeyEvent* event);
    // The Puzzle and View menus and the cursor as the game now stands.
    void followGame();
    // After every event of the player's or the timer's: followGame, then a notice that is due.
    void afterEvent();
    void syncCursorFrame();
    // Shows the note once the preparation has taken long enough, hides it when it ends.
    void syncPreparingNote();
    // An overlay goes from where it is on the screen to where it is wanted (empty: nowhere).
    void moveOverlay(QRect& onScreen, const QRect& wanted);

    Mt19937Source random;
    QtWindowServices windowServices;
    GameWorld gameWorld;
    SplashScene splash;
    BackBuffer buffer;

    QWidget* area = nullptr;
    QMenu* menu = nullptr;
    QMenu* puzzleCommands = nullptr;
    QMenu* viewCommands = nullptr;
    QToolBar* toolbar = nullptr;
    std::map<int, QAction*> actions;
    GameAreaPlacement areaPlacement;
    QRegion askedByGame; // widget pixels the game asked to repaint since the last paint
    QRegion mustPresent; // widget pixels to copy from the buffer whatever the game asks
    QRegion presented;
    QRect cursorOnScreen;  // widget pixels of the cursor frame as last drawn or due
    QRect noteOnScreen;    // widget pixels of the preparing note as last drawn or due
    QBasicTimer noteTimer; // the moment the preparing note becomes due
    // Where an overlay was: presented whole from the buffer, not as a change.
    QRegion overlayLeft;
    ShownFrame shown;
    int paintedFrames = 0;
};

} // namespace kelvaro
