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
    case commandPrint:
        return {QKeySequence(Qt::CTRL | Qt::Key_P)};
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

int choiceOfCommand(int commandId) {
    switch (commandId) {
    case commandUniqueAnyLevel:
        return uniqueAnyLevel;
    case commandUniqueGentle:
        return uniqueGentle;
    case commandUniqueDemanding:
        return uniqueDemanding;
    default:
        return uniqueOff;
    }
}

QAction* addItem(QMenu& menu, QWidget& keyOwner, std::map<int, QAction*>& actions,
                 const PuzzleMenuItem& item) {
    QAction* action = menu.addAction(QString::fromUtf8(item.text));
    action->setData(item.commandId);
    action->setShortcuts(puzzleKeys(item.commandId));
    action->setCheckable(item.commandId == commandUniquePuzzles ||
                         item.commandId == commandKeepGame ||
                         choiceOfCommand(item.commandId) != uniqueOff);
    action->setShortcutContext(Qt::WindowShortcut);
    keyOwner.addAction(action);
    actions[item.commandId] = action;
    return action;
}

} // namespace

QMenu* createPuzzleMenu(QMenuBar& bar, QWidget& keyOwner, std::map<int, QAction*>& actions) {
    QMenu* menu = bar.addMenu(QString::fromLatin1(puzzleMenuTitle));
    for (const PuzzleMenuItem& item : puzzleMenuItems) {
        if (item.commandId == 0) {
            menu->addSeparator();
            continue;
        }
        if (item.commandId == commandUniqueReasoning) {
            QMenu* reasoning = menu->addMenu(QString::fromUtf8(item.text));
            reasoning->menuAction()->setData(item.commandId);
            actions[item.commandId] = reasoning->menuAction();
            for (const PuzzleMenuItem& choice : reasoningMenuItems)
                addItem(*reasoning, keyOwner, actions, choice);
            continue;
        }
        addItem(*menu, keyOwner, actions, item);
    }
    return menu;
}

void updatePuzzleMenu(QMenu& menu, const std::map<int, QAction*>& actions, const GameWorld& world) {
    const bool french = world.settings.language != 0;
    const bool example = world.state.exampleMode != 0;
    const QString title = QString::fromUtf8(french ? puzzleMenuTitleFrench : puzzleMenuTitle);
    if (menu.title() != title) menu.setTitle(title);
    const auto relabel = [&](const PuzzleMenuItem& item) {
        QAction* action = actionFor(actions, item.commandId);
        if (action == nullptr) return;
        QString text = QString::fromUtf8(french ? item.french : item.text);
        if (item.commandId == commandPuzzleNumber) {
            text = example
                       ? QString::fromUtf8(french ? exampleItemTextFrench : exampleItemText)
                       : text + QLatin1Char(' ') + QString::fromStdString(puzzleNumberText(world));
            if (!example && world.puzzleLevel > 0)
                text += QString::fromUtf8(french ? levelItemTextFrench : levelItemText) +
                        QString::number(world.puzzleLevel);
        }
        setText(action, text);
        if (item.commandId == commandUniqueReasoning && action->menu() != nullptr &&
            action->menu()->title() != text)
            action->menu()->setTitle(text);
    };
    for (const PuzzleMenuItem& item : puzzleMenuItems) relabel(item);
    for (const PuzzleMenuItem& item : reasoningMenuItems) {
        relabel(item);
        QAction* action = actionFor(actions, item.commandId);
        const bool chosen = world.settings.unique == choiceOfCommand(item.commandId);
        if (action != nullptr && action->isChecked() != chosen) action->setChecked(chosen);
    }
    setEnabled(actionFor(actions, commandUndo), undoAvailable(world));
    setEnabled(actionFor(actions, commandRedo), redoAvailable(world));
    // A puzzle still being prepared may yet turn out plain: its number is not final.
    const bool numbered = !example && !preparingPuzzle(world);
    setEnabled(actionFor(actions, commandRestart), numbered);
    setEnabled(actionFor(actions, commandCopyNumber), numbered);
    setEnabled(actionFor(actions, commandPrint), numbered);
    setEnabled(actionFor(actions, commandPuzzleNumber), false);
    if (QAction* unique = actionFor(actions, commandUniquePuzzles)) {
        const bool on = world.settings.unique != uniqueOff;
        if (unique->isChecked() != on) unique->setChecked(on);
    }
    if (QAction* keep = actionFor(actions, commandKeepGame)) {
        const bool on = world.settings.keepGame == 1;
        if (keep->isChecked() != on) keep->setChecked(on);
    }
}

} // namespace kelvaro
