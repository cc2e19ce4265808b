#include "app/puzzle_menu.h"

#include "game/puzzle_commands.h"
#include "game/unique_puzzles.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace kelvaro {

namespace {

QList<QKeySequence> puzzleKeys(int commandId) {
    switch (commandId) {
    case commandUndo:
        return {QKeySequence(Qt::CTRL | Qt::Key_Z)};
    case commandRedo:
        return {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)};
    case commandRestart:
        return {QKeySequence(Qt::CTRL | Qt::Key_R)};
    case commandPlayByNumber:
        return {QKeySequence(Qt::CTRL | Qt::Key_G)};
    case commandCopyNumber:
        return {QKeySequence(Qt::CTRL | Qt::Key_C)};
    default:
        return {};
    }
}

void setText(QAction* action, const QString& text) {
    if (action->text() != text) action->setText(text);
}

void setEnabled(QAction* action, bool enabled) {
    if (action != nullptr && action->isEnabled() != enabled) action->setEnabled(enabled);
}

QAction* actionFor(const std::map<int, QAction*>& actions, int commandId) {
    const auto found = actions.find(commandId);
    return found == actions.end() ? nullptr : found->second;
}

} // namespace

QMenu* createPuzzleMenu(QMenuBar& bar, QWidget& keyOwner, std::map<int, QAction*>& actions) {
    QMenu* menu = bar.addMenu(QString::fromLatin1(puzzleMenuTitle));
    for (const PuzzleMenuItem& item : puzzleMenuItems) {
        if (item.commandId == 0) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromUtf8(item.text));
        action->setData(item.commandId);
        action->setShortcuts(puzzleKeys(item.commandId));
        action->setCheckable(item.commandId == commandUniquePuzzles ||
                             item.commandId == commandKeepGame);
        action->setShortcutContext(Qt::WindowShortcut);
        keyOwner.addAction(action);
        actions[item.commandId] = action;
    }
    return menu;
}

void updatePuzzleMenu(QMenu& menu, const std::map<int, QAction*>& actions, const GameWorld& world) {
    const bool french = world.settings.language != 0;
    const bool example = world.state.exampleMode != 0;
    const QString title = QString::fromUtf8(french ? puzzleMenuTitleFrench : puzzleMenuTitle);
    if (menu.title() != title) menu.setTitle(title);
    for (const PuzzleMenuItem& item : puzzleMenuItems) {
        QAction* action = actionFor(actions, item.commandId);
        if (action == nullptr) continue;
        QString text = QString::fromUtf8(french ? item.french : item.text);
        if (item.commandId == commandPuzzleNumber) {
            text = example
                       ? QString::fromUtf8(french ? exampleItemTextFrench : exampleItemText)
                       : text + QLatin1Char(' ') + QString::fromStdString(puzzleNumberText(world));
        }
        setText(action, text);
    }
    setEnabled(actionFor(actions, commandUndo), undoAvailable(world));
    setEnabled(actionFor(actions, commandRedo), redoAvailable(world));
    // A puzzle still being prepared may yet turn out plain: its number is not final.
    const bool numbered = !example && !preparingPuzzle(world);
    setEnabled(actionFor(actions, commandRestart), numbered);
    setEnabled(actionFor(actions, commandCopyNumber), numbered);
    setEnabled(actionFor(actions, commandPuzzleNumber), false);
    if (QAction* unique = actionFor(actions, commandUniquePuzzles)) {
        const bool on = world.settings.unique == 1;
        if (unique->isChecked() != on) unique->setChecked(on);
    }
    if (QAction* keep = actionFor(actions, commandKeepGame)) {
        const bool on = world.settings.keepGame == 1;
        if (keep->isChecked() != on) keep->setChecked(on);
    }
}

} // namespace kelvaro
