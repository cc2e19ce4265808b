// The Puzzle menu in the real window: its items and keys in both languages, what is enabled
// when, and a puzzle played by number.
#include "app/commands.h"
#include "app/puzzle_menu.h"
#include "frame_harness.h"
#include "game/puzzle_commands.h"

#include <QAction>
#include <QClipboard>
#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace kelvaro {
namespace {

std::vector<std::pair<int, QString>> puzzleContents(const FrameHarness& h) {
    std::vector<std::pair<int, QString>> items;
    for (QAction* action : h.frame->puzzleMenu()->actions()) {
        items.emplace_back(action->isSeparator() ? 0 : action->data().toInt(), action->text());
    }
    return items;
}

QString number(FrameHarness& h) {
    return QString::fromStdString(puzzleNumberText(h.world()));
}

TEST(PuzzleMenu, FollowsMenuWithItsItemsInEitherLanguage) {
    FrameHarness h;
    const QList<QAction*> bar = h.frame->menuBar()->actions();
    ASSERT_EQ(bar.size(), 2);
    EXPECT_EQ(bar[0]->menu(), h.frame->gameMenu());
    EXPECT_EQ(bar[1]->menu(), h.frame->puzzleMenu());
    EXPECT_EQ(h.frame->puzzleMenu()->title(), "Puzzle");
    const std::vector<std::pair<int, QString>> english{
        {commandUndo, "Undo"},
        {commandRedo, "Redo"},
        {0, ""},
        {commandRestart, "Restart this puzzle"},
        {commandPlayByNumber, "Play a puzzle by number..."},
        {commandCopyNumber, "Copy puzzle number"},
        {commandPuzzleNumber, "Puzzle " + number(h)},
        {0, ""},
        {commandUniquePuzzles, "Unique puzzles"},
        {commandKeepGame, "Keep unfinished game"},
    };
    EXPECT_EQ(puzzleContents(h), english);
    EXPECT_TRUE(number(h).startsWith("5-"));

    h.world().settings.language = 1;
    h.frame->localiseMenu();
    EXPECT_EQ(h.frame->puzzleMenu()->title(), "Grille");
    const std::vector<std::pair<int, QString>> french{
        {commandUndo, "Annuler"},
        {commandRedo, "Rétablir"},
        {0, ""},
        {commandRestart, "Recommencer cette grille"},
        {commandPlayByNumber, "Jouer une grille par son numéro..."},
        {commandCopyNumber, "Copier le numéro de la grille"},
        {commandPuzzleNumber, "Grille " + number(h)},
        {0, ""},
        {commandUniquePuzzles, "Grilles à solution unique"},
        {commandKeepGame, "Garder la partie en cours"},
    };
    EXPECT_EQ(puzzleContents(h), french);
}

TEST(PuzzleMenu, KeysOfTheNewCommands) {
    FrameHarness h;
    const std::pair<int, QList<QKeySequence>> keys[] = {
        {commandUndo, {QKeySequence("Ctrl+Z")}},
        {commandRedo, {QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}},
        {commandRestart, {QKeySequence("Ctrl+R")}},
        {commandPlayByNumber, {QKeySequence("Ctrl+G")}},
        {commandCopyNumber, {QKeySequence("Ctrl+C")}},
        {commandPuzzleNumber, {}},
        {commandUniquePuzzles, {}},
        {commandKeepGame, {}},
    };
    for (const auto& [id, sequences] : keys) {
        SCOPED_TRACE(id);
        EXPECT_EQ(h.frame->commandAction(id)->shortcuts(), sequences);
    }
}

TEST(PuzzleMenu, UndoAndRedoAreEnabledOnlyWhenThereIsAStepToMoveOver) {
    FrameHarness h;
    QAction* undo = h.frame->commandAction(commandUndo);
    QAction* redo = h.frame->commandAction(commandRedo);
    EXPECT_FALSE(h.frame->commandAction(commandPuzzleNumber)->isEnabled());
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    h.skipSplash();
    h.press(0, 0);
    h.moveTo(1, 0);
    h.moveTo(2, 0);
    EXPECT_FALSE(undo->isEnabled()); // not while the stroke is under way
    h.release(2, 0);
    const Layer drawn = h.board().grid;
    ASSERT_TRUE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());

    QTest::keyClick(h.frame.get(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_NE(h.board().grid, drawn);
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_TRUE(redo->isEnabled());
    QTest::keyClick(h.frame.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(h.board().grid, drawn);
    QTest::keyClick(h.frame.get(), Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(h.frame.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(h.board().grid, drawn);

    h.command(commandPause);
    EXPECT_FALSE(undo->isEnabled());
}

TEST(PuzzleMenu, TheExampleHasNoNumberToRestartOrCopy) {
    FrameHarness h;
    h.skipSplash();
    QTest::keyClick(h.frame.get(), Qt::Key_F1);
    ASSERT_EQ(h.state().exampleMode, 1);
    EXPECT_EQ(h.frame->commandAction(commandPuzzleNumber)->text(), "Example");
    EXPECT_FALSE(h.frame->commandAction(commandRestart)->isEnabled());
    EXPECT_FALSE(h.frame->commandAction(commandCopyNumber)->isEnabled());
    h.world().settings.language = 1;
    h.frame->localiseMenu();
    EXPECT_EQ(h.frame->commandAction(commandPuzzleNumber)->text(), "Exemple");

    h.command(commandNewGame);
    EXPECT_TRUE(h.frame->commandAction(commandRestart)->isEnabled());
    QTest::keyClick(h.frame.get(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), number(h));
}

TEST(PuzzleMenu, APuzzleByNumberIsPracticeAndSaysSoOnce) {
    FrameHarness h;
    h.skipSplash();
    QString prompt;
    h.insideDialog = [&](QDialog& dialog) {
        auto* input = dynamic_cast<QInputDialog*>(&dialog);
        if (input == nullptr) return int(QDialog::Rejected);
        prompt = input->labelText();
        input->setTextValue(QStringLiteral("8-3141592653"));
        return int(QDialog::Accepted);
    };
    QTest::keyClick(h.frame.get(), Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(prompt, "Puzzle number (for example 8-3141592653):");
    EXPECT_EQ(h.board().boardSize, 8);
    EXPECT_EQ(h.world().settings.difficulty, 0);
    EXPECT_EQ(h.frame->commandAction(commandPuzzleNumber)->text(), "Puzzle 8-3141592653");
    ASSERT_EQ(h.boxes.size(), 1u);
    EXPECT_EQ(h.boxes[0].caption, "Practice");

    h.command(commandRestart);
    EXPECT_EQ(h.boxes.size(), 1u);
    EXPECT_EQ(h.board().boardSize, 8);
}

} // namespace
} // namespace kelvaro
