// The main window's command bar, keys, title, About and Exit, driven as a person would.
#include "app/commands.h"
#include "frame_harness.h"
#include "render/pictures.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace kelvaro {
namespace {

std::vector<std::pair<int, QString>> menuContents(const FrameHarness& h) {
    std::vector<std::pair<int, QString>> items;
    for (QAction* action : h.frame->gameMenu()->actions()) {
        items.emplace_back(action->data().toInt(), action->text());
    }
    return items;
}

TEST(MainFrameMenu, EightItemsInOrderInEitherLanguage) {
    FrameHarness h;
    EXPECT_EQ(h.frame->gameMenu()->title(), "Menu");
    const std::vector<std::pair<int, QString>> english{
        {40005, "New Game"},    {40015, "Pause"},   {40013, "Hint"},  {40007, "Show solution"},
        {40008, "Learn rules"}, {40004, "Options"}, {40003, "About"}, {40001, "Exit"}};
    const std::vector<std::pair<int, QString>> french{
        {40005, "Nouvelle partie"},    {40015, "Pause"},         {40013, "Suggestion"},
        {40007, "Donner la solution"}, {40008, "Apprentissage"}, {40004, "Options"},
        {40003, "A propos"},           {40001, "Quitter"}};
    EXPECT_EQ(menuContents(h), english);

    h.world().settings.language = 1;
    h.frame->localiseMenu();
    EXPECT_EQ(menuContents(h), french);
    EXPECT_EQ(h.frame->gameMenu()->title(), "Menu");

    h.world().settings.language = 0;
    h.frame->localiseMenu();
    EXPECT_EQ(menuContents(h), english);
}

TEST(MainFrameMenu, StartsInTheStoredLanguage) {
    Settings stored;
    stored.language = 1;
    FrameHarness h(stored);
    EXPECT_EQ(h.frame->gameMenu()->actions().at(0)->text(), "Nouvelle partie");
    EXPECT_EQ(h.frame->gameMenu()->actions().at(7)->text(), "Quitter");
}

TEST(MainFrameTitle, GenericUntilTheWindowIsShown) {
    FrameHarness h({}, 1, /*start=*/false);
    EXPECT_EQ(h.frame->windowTitle(), "generic");
    h.frame->showAndStart();
    EXPECT_EQ(h.frame->windowTitle(), "Kelvaro");
}

TEST(MainFrameToolbar, SixButtonsWithTheStripImagesInOrder) {
    FrameHarness h;
    QToolBar* toolbar = h.frame->commandBar();
    EXPECT_EQ(toolbar->iconSize(), QSize(17, 17));
    const QImage strip = loadResourcePicture(toolbarStripId);
    ASSERT_EQ(strip.size(), QSize(102, 17));

    const std::vector<int> expectedIds{40009, 40010, 0, 40011, 40014, 40016, 40012};
    std::vector<int> ids;
    int image = 0;
    for (QAction* action : toolbar->actions()) {
        ids.push_back(action->isSeparator() ? 0 : action->data().toInt());
        if (action->isSeparator()) continue;
        SCOPED_TRACE(action->data().toInt());
        const QImage shown =
            action->icon().pixmap(17, 17).toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(shown, strip.copy(image * 17, 0, 17, 17).convertToFormat(QImage::Format_RGB32));
        // Keys belong to the menu items, so that no key is bound twice.
        EXPECT_TRUE(action->shortcut().isEmpty());
        ++image;
    }
    EXPECT_EQ(ids, expectedIds);
    EXPECT_EQ(h.frame->commandAction(toolbarPause)->text(), "Pause");
}

TEST(MainFrameToolbar, ImagesGrowByRepeatingTheirPixelsNeverBlurred) {
    FrameHarness h;
    const QImage strip = loadResourcePicture(toolbarStripId);
    int image = 0;
    for (QAction* action : h.frame->commandBar()->actions()) {
        if (action->isSeparator()) continue;
        SCOPED_TRACE(action->data().toInt());
        const QImage tile = strip.copy(image * 17, 0, 17, 17).convertToFormat(QImage::Format_RGB32);
        ++image;
        // On a display of twice the density, or at a scale factor of 2 or 3.
        for (const qreal ratio : {2.0, 3.0}) {
            const int side = static_cast<int>(17 * ratio);
            const QImage shown = action->icon()
                                     .pixmap(QSize(17, 17), ratio)
                                     .toImage()
                                     .convertToFormat(QImage::Format_RGB32);
            ASSERT_EQ(shown.size(), QSize(side, side)) << "at " << ratio;
            EXPECT_TRUE(shown ==
                        tile.scaled(side, side, Qt::IgnoreAspectRatio, Qt::FastTransformation))
                << "at " << ratio;
        }
    }
}

TEST(MainFrameKeys, BoundToTheMenuItems) {
    FrameHarness h;
    const std::pair<int, QKeySequence> keys[] = {
        {commandNewGame, QKeySequence("Ctrl+N")}, {commandExit, QKeySequence("Ctrl+Q")},
        {commandLearnRules, QKeySequence("F1")},  {commandOptions, QKeySequence("Ctrl+,")},
        {commandHint, QKeySequence("H")},         {commandShowSolution, QKeySequence("S")},
        {commandPause, QKeySequence("P")},        {commandAbout, QKeySequence()},
    };
    for (const auto& [id, key] : keys) {
        SCOPED_TRACE(id);
        EXPECT_EQ(h.frame->commandAction(id)->shortcut(), key);
    }
}

TEST(MainFrameKeys, PPausesAndNeverResumes) {
    FrameHarness h;
    h.skipSplash();
    h.tap(2, 2); // the clock starts
    QTest::keyClick(h.frame.get(), Qt::Key_P);
    EXPECT_EQ(h.state().gamePhase, phasePaused);
    EXPECT_EQ(h.frame->services().windowTimerPeriod(), 0);
    QTest::keyClick(h.frame.get(), Qt::Key_P);
    EXPECT_EQ(h.state().gamePhase, phasePaused);
    QTest::keyClick(h.frame.get(), Qt::Key_H); // refused while paused
    EXPECT_TRUE(h.boxes.empty());
}

// What a command did, as far as a player could tell.
struct Outcome {
    std::vector<std::string> boxes;
    int dialogs;
    std::int32_t phase, tapCount, solveState, penaltyCells;
    std::int16_t hintMode, exampleMode, boardSize;
    std::uint32_t startTick, pauseTick;
    int timerPeriod;
    Layer grid;
    bool operator==(const Outcome&) const = default;
};

Outcome commandOutcome(int commandId, bool clockRunning) {
    FrameHarness h;
    h.skipSplash();
    if (clockRunning) h.tap(1, 1);
    h.advance(1000);
    h.command(commandId);
    Outcome o{{},
              h.dialogsRun,
              h.state().gamePhase,
              h.state().tapCount,
              h.state().solveState,
              h.state().penaltyCells,
              h.state().hintMode,
              h.state().exampleMode,
              h.board().boardSize,
              h.state().startTick,
              h.state().pauseTick,
              h.frame->services().windowTimerPeriod(),
              h.board().grid};
    for (const ShownBox& box : h.boxes) o.boxes.push_back(box.caption + ": " + box.text);
    return o;
}

TEST(MainFrameToolbar, EachButtonDoesWhatItsMenuCommandDoes) {
    const std::pair<int, int> pairs[] = {
        {commandLearnRules, toolbarLearnRules},     {commandOptions, toolbarOptions},
        {commandNewGame, toolbarNewGame},           {commandHint, toolbarHint},
        {commandShowSolution, toolbarShowSolution}, {commandPause, toolbarPause},
    };
    for (const auto& [menuId, buttonId] : pairs) {
        for (bool clockRunning : {false, true}) {
            SCOPED_TRACE(testing::Message() << menuId << (clockRunning ? " running" : " idle"));
            EXPECT_EQ(commandOutcome(menuId, clockRunning), commandOutcome(buttonId, clockRunning));
        }
    }
}

TEST(MainFrameAbout, SameTextInBothLanguagesOnlyTheCaptionChanges) {
    FrameHarness h;
    h.command(commandAbout);
    EXPECT_EQ(h.state().splashTick, 0u); // About ends the splash
    h.world().settings.language = 1;
    h.command(commandAbout);
    h.world().settings.language = 2; // French texts, but the About caption is French only for 1
    h.command(commandAbout);
    ASSERT_EQ(h.boxes.size(), 3u);
    EXPECT_EQ(h.boxes[0].caption, "About");
    EXPECT_EQ(h.boxes[1].caption, "A propos");
    EXPECT_EQ(h.boxes[2].caption, "About");
    EXPECT_EQ(h.boxes[0].text.rfind("Kelvaro 1.1\r\n", 0), 0u);
    EXPECT_EQ(h.boxes[1].text, h.boxes[0].text);
    EXPECT_EQ(h.boxes[0].buttons, buttonsOk);
}

TEST(MainFrameExit, AsksDuringARunningGameAndCancelKeepsIt) {
    FrameHarness h;
    h.skipSplash();
    h.tap(2, 2);
    h.answers = {answerCancelButton};
    h.command(commandExit);
    ASSERT_EQ(h.boxes.size(), 1u);
    EXPECT_EQ(h.boxes[0].text, "This will abort the current game. Continue?");
    EXPECT_EQ(h.boxes[0].caption, "Warning");
    EXPECT_TRUE(h.frame->isVisible());
    EXPECT_EQ(h.frame->services().windowTimerPeriod(), 100); // the clock still runs

    h.command(commandExit); // answered OK
    EXPECT_FALSE(h.frame->isVisible());
}

TEST(MainFrameExit, IgnoredWhilePaused) {
    FrameHarness h;
    h.skipSplash();
    h.tap(2, 2);
    h.command(commandPause);
    h.command(commandExit);
    EXPECT_TRUE(h.boxes.empty());
    EXPECT_TRUE(h.frame->isVisible());
}

} // namespace
} // namespace kelvaro
