#include "app/qt_window_services.h"

#include "app/main_frame.h"
#include "dialogs/options_dialog.h"
#include "dialogs/rules_dialog.h"
#include "render/puzzle_sheet.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <chrono>
#include <utility>
#include <vector>

namespace kelvaro {

namespace {

// Counts a box or dialog as open for as long as its call runs.
struct ModalScope {
    explicit ModalScope(int& depth) : depth(depth) { ++depth; }
    ~ModalScope() { --depth; }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
    int& depth;
};

constexpr double millimetresPerInch = 25.4;

QString fromUtf8(std::string_view text) {
    QString converted = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    // The texts break their lines the device's way.
    converted.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return converted;
}

} // namespace

QtWindowServices::QtWindowServices(MainFrame& frameIn, Scripts scriptsIn)
    : frame(frameIn), scripts(std::move(scriptsIn)) {}

void QtWindowServices::requestRepaint() {
    frame.invalidateGameArea(gameAreaRect);
}

// Erasing would only fill what the next paint copies over from the back buffer anyway.
void QtWindowServices::invalidateRect(const Rect& area, bool /*erase*/) {
    frame.invalidateGameArea(area);
}

void QtWindowServices::updateNow() {
    frame.paintPendingNow();
}

std::uint32_t QtWindowServices::startTimer(int id, int periodMs) {
    // QBasicTimer::start replaces a running timer, as starting the window timer again must.
    windowTimer.start(periodMs, Qt::PreciseTimer, &frame);
    timerPeriod = periodMs;
    return static_cast<std::uint32_t>(id);
}

void QtWindowServices::stopTimer(std::uint32_t id) {
    if (id == static_cast<std::uint32_t>(windowTimerId)) windowTimer.stop();
}

int QtWindowServices::messageBox(std::string_view text, std::string_view caption,
                                 MessageButtons buttons) {
    // The box takes the keyboard: a pen left down could never be lifted.
    frame.liftKeyboardPen();
    ModalScope open(modalDepth);
    if (scripts.messageBox) return scripts.messageBox(text, caption, buttons);
    QMessageBox box(QMessageBox::NoIcon, fromUtf8(caption), fromUtf8(text),
                    buttons == buttonsOkCancel ? QMessageBox::Ok | QMessageBox::Cancel
                                               : QMessageBox::Ok,
                    &frame);
    // Timer and paint events keep reaching the main window while the box is open.
    return box.exec() == QMessageBox::Ok ? answerOk : answerCancelButton;
}

int QtWindowServices::runDialog(QDialog& dialog) {
    frame.liftKeyboardPen();
    ModalScope open(modalDepth);
    if (scripts.dialog) return scripts.dialog(dialog);
    return dialog.exec();
}

void QtWindowServices::runRulesDialog() {
    RulesDialog dialog(frame.world().settings, &frame);
    runDialog(dialog);
}

void QtWindowServices::runOptionsDialog() {
    GameWorld& world = frame.world();
    OptionsHooks hooks;
    // The dialog's own question (resetting the records) is a message box like the game's.
    hooks.confirm = [this](const QString& text, const QString& caption) {
        return messageBox(text.toStdString(), caption.toStdString(), buttonsOkCancel);
    };
    hooks.pickColour = scripts.colourPicker;
    OptionsDialog dialog(world.settings, world.statistics, world.state, hooks, &frame);
    runDialog(dialog);
}

void QtWindowServices::localiseMenu() {
    frame.localiseMenu();
}

bool QtWindowServices::askText(std::string_view prompt, std::string_view caption,
                               std::string& answer) {
    QInputDialog dialog(&frame);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(fromUtf8(caption));
    dialog.setLabelText(fromUtf8(prompt));
    if (runDialog(dialog) != QDialog::Accepted) return false;
    answer = dialog.textValue().toStdString();
    return true;
}

void QtWindowServices::copyText(std::string_view text) {
    QGuiApplication::clipboard()->setText(fromUtf8(text));
}

void QtWindowServices::printPuzzle(const Board& board, std::string_view number) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Kelvaro ") + fromUtf8(number));
    QPrintDialog dialog(&printer, &frame);
    if (runDialog(dialog) != QDialog::Accepted) return;
    QPainter painter;
    if (!painter.begin(&printer)) return;
    const std::vector<PrintedPuzzle> puzzles{{board, fromUtf8(number)}};
    const QRectF page(QPointF(0, 0), printer.pageRect(QPrinter::DevicePixel).size());
    paintSheetPage(painter, page, printer.resolution() / millimetresPerInch, puzzles, {1, false},
                   0);
    painter.end();
}

// From the worker's thread: a call queued to the window, run by its event loop (also the
// nested one of a dialog or message box). Dropped, should the window be gone by then.
void QtWindowServices::postPuzzleReady() {
    QMetaObject::invokeMethod(
        &frame, [target = &frame] { target->onPuzzleReady(); }, Qt::QueuedConnection);
}

bool QtWindowServices::modalOpen() {
    // A box of Qt's own (the colour picker's, say) counts as well as the game's.
    return modalDepth > 0 || QApplication::activeModalWidget() != nullptr;
}

std::uint32_t QtWindowServices::tickCount() {
    if (scripts.clock) return scripts.clock();
    // Milliseconds of a monotonic clock, wrapping at 2^32 like the device's tick count.
    // A tick of 0 means "not started" to the game (startTick, splashTick), so it is skipped.
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const auto ms = static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    return ms == 0 ? 1 : ms;
}

} // namespace kelvaro
