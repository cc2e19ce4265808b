#include "app/main_frame.h"

#include "app/commands.h"
#include "app/cursor_overlay.h"
#include "app/preparing_note.h"
#include "app/puzzle_menu.h"
#include "app/sharp_icon.h"
#include "app/view_menu.h"
#include "game/game.h"
#include "game/splash.h"
#include "game/view_options.h"
#include "render/board_painter.h"
#include "render/clear_colours.h"
#include "render/pictures.h"
#include "render/splash_paint.h"
#include "store/settings_store.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QToolBar>
#include <cmath>
#include <cstdio>
#include <string>
#include <utility>

namespace kelvaro {

namespace {

// Desktop keys for the menu's commands. The toolbar buttons get none, so no key is bound
// twice.
QKeySequence menuKey(int commandId) {
    switch (commandId) {
    case commandNewGame:
        return QKeySequence(Qt::CTRL | Qt::Key_N);
    case commandExit:
        return QKeySequence(Qt::CTRL | Qt::Key_Q);
    case commandLearnRules:
        return QKeySequence(Qt::Key_F1);
    case commandOptions:
        return QKeySequence(Qt::CTRL | Qt::Key_Comma);
    case commandHint:
        return QKeySequence(Qt::Key_H);
    case commandShowSolution:
        return QKeySequence(Qt::Key_S);
    case commandPause:
        return QKeySequence(Qt::Key_P);
    default:
        return {};
    }
}

} // namespace

MainFrame::MainFrame(Registry& registry, std::uint32_t randomSeed,
                     QtWindowServices::Scripts scripts, std::optional<PuzzleNumber> firstPuzzle,
                     KeptGameStore* keeper)
    : random(randomSeed), windowServices(*this, std::move(scripts)),
      gameWorld(registry, windowServices, random) {
    gameWorld.seedSource.seed(randomSeed);
    gameWorld.keeping.store = keeper;
    setWindowTitle(QString::fromLatin1(initialTitle));
    setContextMenuPolicy(Qt::PreventContextMenu); // no menu to hide the toolbar with

    area = new QWidget(this);
    // Every paint copies from the back buffer what it presents and leaves the rest of the
    // window as it was, so Qt must neither clear the area nor fill it first.
    area->setAttribute(Qt::WA_OpaquePaintEvent);
    area->setAttribute(Qt::WA_NoSystemBackground);
    area->setMinimumSize(screenWidth, bufferHeight);
    area->installEventFilter(this);
    // The keyboard plays on the game area.
    area->setFocusPolicy(Qt::StrongFocus);
    setCentralWidget(area);
    createCommandBar();

    initSettings(gameWorld.settings, gameWorld.statistics, gameWorld.registry);
    localiseMenu();
    if (firstPuzzle) {
        startPuzzleByNumber(gameWorld, *firstPuzzle);
    } else if (!resumeKeptGame(gameWorld)) {
        newGame(gameWorld);
    }
    startSplash(gameWorld, splash);
    updatePuzzleMenu(*puzzleCommands, actions, gameWorld);
    updateViewMenu(*viewCommands, actions, gameWorld);

    // The first size comes from the screen, in its device pixels: a whole factor of them per
    // buffer pixel keeps the pixels square on a display of any density.
    const int chrome = menuBar()->sizeHint().height() + toolbar->sizeHint().height();
    const qreal ratio = screen()->devicePixelRatio();
    const QSize available = screen()->availableGeometry().size() * ratio;
    const int factor = comfortableFactor(available, static_cast<int>(std::ceil(chrome * ratio)));
    resize(static_cast<int>(std::ceil(screenWidth * factor / ratio)),
           static_cast<int>(std::ceil(bufferHeight * factor / ratio)) + chrome);
}

MainFrame::~MainFrame() {
    // The worker posts to this window; it stops before the window goes.
    cancelPreparation(gameWorld.preparation);
    area->removeEventFilter(this);
    releaseBackBuffer(buffer);
}

void MainFrame::showAndStart() {
    show();
    // The first paint finds no back buffer yet and draws nothing.
    area->repaint();
    createBackBuffer(buffer, screenWidth, bufferHeight);
    invalidateGameArea(gameAreaRect);
    setWindowTitle(QString::fromLatin1(programTitle));
    area->setFocus();
}

void MainFrame::createCommandBar() {
    menu = menuBar()->addMenu(QString::fromLatin1(menuTitle));
    for (const MenuItem& item : menuItems) {
        QAction* action = menu->addAction(QString::fromLatin1(item.text));
        action->setData(item.commandId);
        action->setShortcut(menuKey(item.commandId));
        // The keys of the menu work while its pop-up is closed.
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        actions[item.commandId] = action;
    }
    puzzleCommands = createPuzzleMenu(*menuBar(), *this, actions);
    viewCommands = createViewMenu(*menuBar(), actions);

    toolbar = addToolBar(QStringLiteral("Commands"));
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->toggleViewAction()->setVisible(false); // the toolbar is always there
    toolbar->setIconSize(QSize(toolbarButtonPixels, toolbarButtonPixels));
    const QImage strip = loadResourcePicture(toolbarStripId);
    int image = 0;
    for (int commandId : toolbarEntries) {
        if (commandId == 0) {
            toolbar->addSeparator();
            continue;
        }
        const QImage icon =
            strip.copy(image * toolbarButtonPixels, 0, toolbarButtonPixels, toolbarButtonPixels);
        ++image;
        QAction* action = toolbar->addAction(sharpIcon(icon), QString());
        if (commandId == toolbarPause) action->setText(QString::fromLatin1(pauseButtonText));
        action->setData(commandId);
        // Space belongs to the keyboard's pen: no button may take the focus and be pressed.
        toolbar->widgetForAction(action)->setFocusPolicy(Qt::NoFocus);
        actions[commandId] = action;
    }
    connectCommands();
}

QAction* MainFrame::commandAction(int commandId) const {
    const auto found = actions.find(commandId);
    return found == actions.end() ? nullptr : found->second;
}

void MainFrame::connectCommands() {
    for (const auto& [commandId, action] : actions) {
        connect(action, &QAction::triggered, this, [this, id = commandId] { onCommand(id); });
    }
}

void MainFrame::onCommand(int commandId) {
    const bool splashShowing = gameWorld.state.splashTick != 0;
    dispatchCommand(commandId);
    // Hint, Show solution and About end the splash and may change nothing else, so nothing
    // asks for a paint and the last splash frame would stay on the screen: on the device the
    // closing message box uncovered the window, here nothing covers it. Show the game.
    if (splashShowing && gameWorld.state.splashTick == 0) {
        gameWorld.state.repaintMode = repaintWhole;
        windowServices.requestRepaint();
    }
    afterEvent();
}

void MainFrame::dispatchCommand(int commandId) {
    switch (commandId) {
    case commandAbout:
        showAbout();
        break;
    case commandNewGame:
    case toolbarNewGame:
        newGame(gameWorld);
        break;
    case commandOptions:
    case toolbarOptions:
        showOptions(gameWorld);
        break;
    case commandShowSolution:
    case toolbarShowSolution:
        finishGame(gameWorld);
        break;
    case commandLearnRules:
    case toolbarLearnRules:
        learnRules(gameWorld);
        break;
    case commandHint:
    case toolbarHint:
        askHint(gameWorld);
        break;
    case commandPause:
    case toolbarPause:
        pauseGame(gameWorld);
        break;
    // Exit asks the window to close, which arrives as the close request.
    case commandExit:
        close();
        break;
    case commandUndo:
        undoCommand(gameWorld);
        break;
    case commandRedo:
        redoCommand(gameWorld);
        break;
    case commandRestart:
        restartPuzzle(gameWorld);
        break;
    case commandPlayByNumber:
        playPuzzleByNumber(gameWorld);
        break;
    case commandCopyNumber:
        copyPuzzleNumber(gameWorld);
        break;
    case commandPrint:
        printPuzzle(gameWorld);
        break;
    case commandUniquePuzzles:
        toggleUniquePuzzles(gameWorld);
        break;
    case commandUniqueAnyLevel:
        chooseUniquePuzzles(gameWorld, uniqueAnyLevel);
        break;
    case commandUniqueGentle:
        chooseUniquePuzzles(gameWorld, uniqueGentle);
        break;
    case commandUniqueDemanding:
        chooseUniquePuzzles(gameWorld, uniqueDemanding);
        break;
    case commandClearColours:
        toggleClearColours(gameWorld);
        break;
    case commandKeepGame:
        toggleKeepGame(gameWorld);
        break;
    default:
        break;
    }
}

void MainFrame::localiseMenu() {
    const bool french = gameWorld.settings.language != 0;
    const QList<QAction*> items = menu->actions();
    for (int position = 0; position < static_cast<int>(menuItems.size()); ++position) {
        const MenuItem& item = menuItems[position];
        if (item.french == nullptr || position >= items.size()) continue;
        // The item at the position keeps its command id; only its text changes.
        items[position]->setText(QString::fromUtf8(french ? item.french : item.text));
    }
    if (puzzleCommands != nullptr) updatePuzzleMenu(*puzzleCommands, actions, gameWorld);
    if (viewCommands != nullptr) updateViewMenu(*viewCommands, actions, gameWorld);
}

void MainFrame::showAbout() {
    endSplash(gameWorld);
    char head[32];
    std::snprintf(head, sizeof head, "%s %s\r\n", programTitle, versionText);
    const std::string text =
        std::string(head) + "A puzzle of lines and symbols by the Kelvaro team\r\nMade with Qt";
    windowServices.messageBox(text, gameWorld.settings.language == 1 ? "A propos" : "About",
                              buttonsOk);
}

void MainFrame::invalidateGameArea(const Rect& bufferArea) {
    const bool whole = bufferArea.left <= 0 && bufferArea.top <= 0 &&
                       bufferArea.right >= screenWidth && bufferArea.bottom >= bufferHeight;
    // The whole game area means the whole client area, black surroundings included.
    const QRect asked = whole ? area->rect() : widgetRect(areaPlacement, bufferArea);
    askedByGame += asked;
    area->update(asked);
}

void MainFrame::paintPendingNow() {
    if (!askedByGame.isEmpty()) area->repaint(askedByGame);
}

bool MainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched != area) return QMainWindow::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::Paint:
        // A window moved to a screen of another density is painted anew at its own factor.
        if (area->devicePixelRatio() != areaPlacement.ratio) placeArea();
        paintGameArea(static_cast<QPaintEvent*>(event)->region());
        return true;
    case QEvent::Resize:
    case QEvent::Show:
        placeArea();
        area->update();
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
        return stylusEvent(static_cast<QMouseEvent*>(event));
    case QEvent::KeyPress:
        return keyEvent(static_cast<QKeyEvent*>(event));
    case QEvent::FocusOut:
        // Also when the window closes: nothing may be asked or told then.
        liftKeyboardPen();
        followGame();
        return false;
    default:
        return false;
    }
}

void MainFrame::placeArea() {
    const GameAreaPlacement before = areaPlacement;
    areaPlacement = placeGameArea(area->size(), area->devicePixelRatio());
    // The game's requests still waiting were made for the old place; they stand for the same
    // buffer pixels at the new one.
    QRegion asked;
    for (const QRect& part : askedByGame) {
        const Rect pixels = bufferRect(before, toDevice(before, part));
        if (pixels.width() > 0 && pixels.height() > 0) asked += widgetRect(areaPlacement, pixels);
    }
    askedByGame = asked;
    // The whole area is shown again, at the new place, whatever the game asks next.
    mustPresent = area->rect();
}

bool MainFrame::stylusEvent(QMouseEvent* event) {
    const Point pixel = bufferPixel(areaPlacement, event->position());
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (event->button() != Qt::LeftButton) return false;
        followMousePress(gameWorld, pixel.x, pixel.y);
        onStylusDown(gameWorld, pixel.x, pixel.y);
        break;
    case QEvent::MouseMove:
        // A stylus reports no moves without contact; neither does a mouse without its button.
        if (!(event->buttons() & Qt::LeftButton)) return false;
        onStylusMove(gameWorld, pixel.x, pixel.y);
        break;
    case QEvent::MouseButtonDblClick:
        if (event->button() != Qt::LeftButton) return false;
        followMousePress(gameWorld, pixel.x, pixel.y);
        onStylusDoubleTap(gameWorld, pixel.x, pixel.y);
        break;
    case QEvent::MouseButtonRelease:
        if (event->button() != Qt::LeftButton) return false;
        onStylusUp(gameWorld);
        break;
    default:
        return false;
    }
    afterEvent();
    return true;
}

bool MainFrame::keyEvent(QKeyEvent* event) {
    // Keys with Ctrl or Alt belong to the menus.
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    switch (event->key()) {
    case Qt::Key_Up:
        keyboardArrow(gameWorld, dirUp);
        break;
    case Qt::Key_Right:
        keyboardArrow(gameWorld, dirRight);
        break;
    case Qt::Key_Down:
        keyboardArrow(gameWorld, dirDown);
        break;
    case Qt::Key_Left:
        keyboardArrow(gameWorld, dirLeft);
        break;
    // A held key repeats; only arrows may, so that a pen is not put down and lifted again.
    case Qt::Key_Space:
        if (!event->isAutoRepeat()) keyboardSpace(gameWorld);
        break;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        if (!event->isAutoRepeat()) keyboardErase(gameWorld);
        break;
    default:
        return false;
    }
    afterEvent();
    return true;
}

void MainFrame::liftKeyboardPen() {
    kelvaro::liftKeyboardPen(gameWorld);
}

void MainFrame::followGame() {
    updatePuzzleMenu(*puzzleCommands, actions, gameWorld);
    updateViewMenu(*viewCommands, actions, gameWorld);
    syncCursorFrame();
    syncPreparingNote();
}

void MainFrame::onPuzzleReady() {
    puzzleReady(gameWorld);
    afterEvent();
}

void MainFrame::afterEvent() {
    followGame();
    showPracticeNoticeIfDue(gameWorld);
}

void MainFrame::syncCursorFrame() {
    const QRect wanted =
        hasBackBuffer(buffer) ? wantedCursorFrame(gameWorld, areaPlacement) : QRect();
    moveOverlay(cursorOnScreen, wanted);
}

void MainFrame::syncPreparingNote() {
    const std::uint32_t now = windowServices.tickCount();
    // Not over the splash, which hides the board anyway; the note waits for it to end.
    const bool due = hasBackBuffer(buffer) && gameWorld.state.splashTick == 0 &&
                     preparingNoteShown(gameWorld, now);
    const QRect wanted = due ? widgetRect(areaPlacement, preparingNoteRect) : QRect();
    const std::uint32_t dueIn = preparingNoteDueIn(gameWorld, now);
    if (dueIn > 0) {
        noteTimer.start(static_cast<int>(dueIn), Qt::PreciseTimer, this);
    } else {
        noteTimer.stop();
    }
    moveOverlay(noteOnScreen, wanted);
}

void MainFrame::moveOverlay(QRect& onScreen, const QRect& wanted) {
    if (wanted == onScreen) return;
    if (!onScreen.isEmpty()) {
        // Where it leaves, the buffer is presented whole: the pixels under it may equal what
        // the buffer held when they were shown, so a copy of changes alone would leave it there.
        overlayLeft += onScreen;
        area->update(onScreen);
    }
    if (!wanted.isEmpty()) area->update(wanted);
    onScreen = wanted;
}

void MainFrame::paintGameArea(const QRegion& exposed) {
    syncCursorFrame();
    syncPreparingNote();
    const QRegion asked = askedByGame;
    askedByGame = QRegion();
    // What the window system uncovered, and the game did not ask for, shows again what the
    // window showed.
    const QRegion fromSystem =
        (exposed - asked) + (mustPresent & exposed) + (overlayLeft & exposed);
    mustPresent = QRegion();
    overlayLeft -= exposed;

    QRegion fromGame;
    const Rect frame = composeFrame();
    if (frame.width() > 0 && frame.height() > 0) {
        const bool whole = frame.width() >= screenWidth && frame.height() >= bufferHeight;
        fromGame = whole ? QRegion(area->rect()) : QRegion(widgetRect(areaPlacement, frame));
        // The frame reaches only what the game asked to repaint.
        fromGame &= exposed & asked;
        ++paintedFrames;
    }
    presented = fromGame + fromSystem;
    if (presented.isEmpty()) return;

    QPainter painter(area);
    // Drawn in device pixels, so that every buffer pixel covers whole ones.
    painter.scale(1 / areaPlacement.ratio, 1 / areaPlacement.ratio);
    QRegion device;
    for (const QRect& part : presented) device += toDevice(areaPlacement, part);
    // Uncovered areas need not fall on whole buffer pixels; nothing spills out of them.
    if (!fromSystem.isEmpty()) painter.setClipRegion(device);
    for (const QRect& margin : device - areaPlacement.target) painter.fillRect(margin, Qt::black);
    if (!hasBackBuffer(buffer)) {
        for (const QRect& part : device& areaPlacement.target) painter.fillRect(part, Qt::black);
        shown = ShownFrame{};
        return;
    }
    const auto toBuffer = [this](const QRegion& widgetArea) {
        QRegion pixels;
        for (const QRect& part : widgetArea) {
            const Rect r = bufferRect(areaPlacement, toDevice(areaPlacement, part));
            if (r.width() > 0 && r.height() > 0)
                pixels += QRect(r.left, r.top, r.width(), r.height());
        }
        return pixels;
    };
    const QRegion asSystemAsks = toBuffer(fromSystem);
    QRegion copy;
    if (knowsWholePicture(shown, buffer.image)) {
        // Of what the game presents, only the pixels that differ from the screen change it.
        QRegion changed;
        for (const QRect& part : toBuffer(fromGame))
            changed += changedRegion(shown, buffer.image, part);
        markShown(shown, buffer.image, changed);
        // What the window system uncovered shows again what the window showed, which the
        // buffer need not hold: the splash draws its lines once, then only the star field.
        copy = changed + asSystemAsks;
    } else {
        copy = toBuffer(fromGame) + asSystemAsks;
        markShown(shown, buffer.image, copy);
    }
    // Until the whole picture has been presented once, what is known of it is the buffer.
    const QImage& source = knowsWholePicture(shown, buffer.image) ? shown.pixels : buffer.image;
    for (const QRect& part : copy) {
        // No smoothing: every buffer pixel becomes a square of factor x factor device pixels.
        painter.drawImage(deviceRect(areaPlacement, {part.left(), part.top(), part.right() + 1,
                                                     part.bottom() + 1}),
                          source, part);
    }
    // Over the presented picture: wherever the buffer was copied onto the frame, it is drawn
    // again; the rest of it is still on the screen.
    if (!cursorOnScreen.isEmpty())
        paintCursorFrame(painter, deviceCursorFrame(gameWorld, areaPlacement), areaPlacement.factor,
                         clearColoursOn(gameWorld.settings));
    if (!noteOnScreen.isEmpty())
        paintPreparingNote(painter, deviceRect(areaPlacement, preparingNoteRect),
                           areaPlacement.factor, preparingText(gameWorld.settings.language),
                           clearColoursOn(gameWorld.settings));
}

Rect MainFrame::composeFrame() {
    return onPaint(buffer, gameWorld.state, gameWorld.board, gameWorld.settings,
                   gameWorld.statistics, windowServices, [this](BackBuffer& target) {
                       return paintSplash(target, gameWorld.state, splash, random, windowServices);
                   });
}

void MainFrame::timerEvent(QTimerEvent* event) {
    if (windowServices.isWindowTimer(event->timerId())) {
        onTimer(gameWorld);
        afterEvent();
        return;
    }
    if (event->timerId() == noteTimer.timerId()) {
        followGame();
        return;
    }
    QMainWindow::timerEvent(event);
}

void MainFrame::closeEvent(QCloseEvent* event) {
    if (closeRequest(gameWorld)) {
        event->accept();
    } else {
        event->ignore();
    }
}

} // namespace kelvaro
