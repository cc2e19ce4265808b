// The Puzzle menu in the real window: its items and keys in both languages, what is enabled
// when, and a puzzle played by number.
#include "app/commands.h"
#include "app/puzzle_menu.h"
#include "frame_harness.h"
#include "game/puzzle_commands.h"
#include "tool_run.h"

#include <QAction>
#include <QClipboard>
#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>
#include <sstream>
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
    ASSERT_EQ(bar.size(), 3); // Menu, Puzzle, View
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
        {commandPrint, "Print..."},
        {commandPuzzleNumber, "Puzzle " + number(h)},
        {0, ""},
        {commandUniquePuzzles, "Unique puzzles"},
        {commandUniqueReasoning, "Reasoning"},
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
        {commandPrint, "Imprimer..."},
        {commandPuzzleNumber, "Grille " + number(h)},
        {0, ""},
        {commandUniquePuzzles, "Grilles à solution unique"},
        {commandUniqueReasoning, "Raisonnement"},
        {commandKeepGame, "Garder la partie en cours"},
    };
    EXPECT_EQ(puzzleContents(h), french);
}

// The Reasoning submenu: its three choices in both languages, the one stored checked while the
// option is on, and choosing one turns the option on and saves it.
TEST(PuzzleMenu, TheReasoningSubmenuChoosesHowHardUniquePuzzlesAre) {
    FrameHarness h;
    h.skipSplash();
    QMenu* reasoning = h.frame->commandAction(commandUniqueReasoning)->menu();
    ASSERT_NE(reasoning, nullptr);
    const int ids[] = {commandUniqueAnyLevel, commandUniqueGentle, commandUniqueDemanding};
    const char* english[] = {"Any level", "Gentle: no look-ahead", "Demanding: look-ahead needed"};
    const char* french[] = {"Tous niveaux", "Douce : sans anticipation",
                            "Exigeante : anticipation requise"};
    ASSERT_EQ(reasoning->actions().size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(reasoning->actions()[i], h.frame->commandAction(ids[i]));
        EXPECT_EQ(reasoning->actions()[i]->text(), QString::fromUtf8(english[i]));
        EXPECT_FALSE(reasoning->actions()[i]->isChecked());
    }
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        h.command(ids[i]);
        EXPECT_EQ(h.world().settings.unique, i + 1);
        EXPECT_TRUE(h.frame->commandAction(commandUniquePuzzles)->isChecked());
        for (int j = 0; j < 3; ++j)
            EXPECT_EQ(h.frame->commandAction(ids[j])->isChecked(), i == j) << j;
    }
    h.command(commandUniquePuzzles); // off: no choice is checked
    EXPECT_EQ(h.world().settings.unique, 0);
    for (const int id : ids) EXPECT_FALSE(h.frame->commandAction(id)->isChecked());

    h.world().settings.language = 1;
    h.frame->localiseMenu();
    EXPECT_EQ(reasoning->title(), "Raisonnement");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(reasoning->actions()[i]->text(), QString::fromUtf8(french[i]));
}

TEST(PuzzleMenu, KeysOfTheNewCommands) {
    FrameHarness h;
    const std::pair<int, QList<QKeySequence>> keys[] = {
        {commandUndo, {QKeySequence("Ctrl+Z")}},
        {commandRedo, {QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}},
        {commandRestart, {QKeySequence("Ctrl+R")}},
        {commandPlayByNumber, {QKeySequence("Ctrl+G")}},
        {commandCopyNumber, {QKeySequence("Ctrl+C")}},
        {commandPrint, {QKeySequence("Ctrl+P")}},
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
    EXPECT_FALSE(h.frame->commandAction(commandPrint)->isEnabled());
    h.world().settings.language = 1;
    h.frame->localiseMenu();
    EXPECT_EQ(h.frame->commandAction(commandPuzzleNumber)->text(), "Exemple");

    h.command(commandNewGame);
    EXPECT_TRUE(h.frame->commandAction(commandRestart)->isEnabled());
    EXPECT_TRUE(h.frame->commandAction(commandPrint)->isEnabled());
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

// Ctrl+P with the keyboard's pen down: the pen goes up, the print dialog opens, and what it
// prints (here to a PDF file, as the dialog also offers) is the puzzle at its start with its
// number.
TEST(PuzzleMenu, PrintPutsThePuzzleAtItsStartOnPaperWithItsNumber) {
    FrameHarness h;
    h.skipSplash();
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("printed.pdf"));
    bool penUpInDialog = false;
    h.insideDialog = [&](QDialog& dialog) {
        auto* print = dynamic_cast<QPrintDialog*>(&dialog);
        if (print == nullptr) return int(QDialog::Rejected);
        penUpInDialog = !h.world().pen.down;
        print->printer()->setOutputFormat(QPrinter::PdfFormat);
        print->printer()->setOutputFileName(pdf);
        return int(QDialog::Accepted);
    };
    QTest::keyClick(h.area(), Qt::Key_Right);
    QTest::keyClick(h.area(), Qt::Key_Space);
    QTest::keyClick(h.area(), Qt::Key_Right);
    ASSERT_TRUE(h.world().pen.down);
    QTest::keyClick(h.frame.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(h.dialogsRun, 1);
    EXPECT_TRUE(penUpInDialog);

    const std::string path = pdf.toStdString();
    const ToolRun info = runProgram("pdfinfo", "'" + path + "'");
    ASSERT_EQ(info.status, 0) << info.err;
    EXPECT_NE(info.out.find("Pages:           1\n"), std::string::npos) << info.out;
    std::vector<std::string> expected{number(h).toStdString()};
    const Board& board = h.board();
    for (int x = 0; x < board.boardSize; ++x)
        for (int y = 0; y < board.boardSize; ++y)
            if (cellAt(board, board.solution, x, y) > 0)
                expected.push_back(std::to_string(cellAt(board, board.solutionLength, x, y)));
    std::sort(expected.begin(), expected.end());
    std::istringstream text(runProgram("pdftotext", "'" + path + "' -").out);
    std::vector<std::string> words;
    for (std::string word; text >> word;) words.push_back(word);
    std::sort(words.begin(), words.end());
    EXPECT_EQ(words, expected);

    // Cancelled, nothing is printed; in the example, the command does nothing at all.
    QFile::remove(pdf);
    h.insideDialog = [](QDialog&) { return int(QDialog::Rejected); };
    h.command(commandPrint);
    EXPECT_EQ(h.dialogsRun, 2);
    EXPECT_FALSE(QFile::exists(pdf));
    QTest::keyClick(h.frame.get(), Qt::Key_F1);
    QTest::keyClick(h.frame.get(), Qt::Key_P, Qt::ControlModifier);
    EXPECT_EQ(h.dialogsRun, 3); // the rules dialog only
}

} // namespace
} // namespace kelvaro
