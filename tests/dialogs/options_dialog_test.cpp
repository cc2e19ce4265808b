#include "dialogs/options_dialog.h"
#include "prepared_records.h"
#include "widget_application.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace kelvaro {
namespace {

struct Question {
    std::string text, caption;
};

struct PickRequest {
    Colour initial;
    CustomColours customColours;
};

// The dialog over prepared records, with a scripted message box and colour picker.
class OptionsDialogTest : public testing::Test {
  protected:
    OptionsDialogTest() {
        ensureWidgetApplication();
        settings.difficulty = 1;
        state.finalTime = 33'000;
    }

    OptionsDialog& open() {
        OptionsHooks hooks;
        hooks.confirm = [this](const QString& text, const QString& caption) {
            questions.push_back({text.toStdString(), caption.toStdString()});
            return confirmAnswer;
        };
        hooks.pickColour = [this](Colour initial, const CustomColours& customColours) {
            pickRequests.push_back({initial, customColours});
            return pickAnswer;
        };
        dialog.emplace(settings, statistics, state, hooks);
        return *dialog;
    }

    template <typename T = QAbstractButton> T* control(int id) {
        T* widget = dialog->findChild<T*>(QString::number(id));
        EXPECT_NE(widget, nullptr) << id;
        return widget;
    }
    QString caption(int id) { return control(id)->text(); }
    std::string values() { return control<QTextEdit>(1010)->toPlainText().toStdString(); }
    std::string labels() { return control<QPlainTextEdit>(1003)->toPlainText().toStdString(); }
    std::string totals() { return control<QLineEdit>(1024)->text().toStdString(); }
    bool checked(int id) { return control(id)->isChecked(); }

    Settings settings;
    Statistics statistics = preparedRecords();
    GameState state;
    int confirmAnswer = 1;
    std::optional<Colour> pickAnswer;
    std::vector<Question> questions;
    std::vector<PickRequest> pickRequests;
    std::optional<OptionsDialog> dialog;
};

TEST_F(OptionsDialogTest, OpensOnTheSettingsWithTheirStatistics) {
    open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Options"));
    EXPECT_TRUE(checked(1001));
    EXPECT_TRUE(checked(1019));
    EXPECT_TRUE(checked(1026));
    EXPECT_EQ(values(), "3\n43\"3\n29\"2\n25\"3\n2\n1'40\"0");
    EXPECT_EQ(labels(), "Total played\nAverage time\nPeak time\nBest time\nPenalties\nReal time");
    EXPECT_EQ(totals(), "Total played: 5 during 2'41\"0");
    EXPECT_EQ(caption(1008), QStringLiteral("Reset statistics"));
    EXPECT_EQ(caption(1026), QStringLiteral("Player 1"));
    EXPECT_EQ(caption(1018), QStringLiteral("Easy"));
    EXPECT_EQ(dialog->chartMarks().openDifficulty, 1);
    EXPECT_EQ(dialog->chartMarks().openPlayer, 0);
    EXPECT_EQ(dialog->chartMarks().finalTime, 33'000);
    EXPECT_TRUE(dialog->repaintPending());
}

TEST_F(OptionsDialogTest, TabOrderIsTheTemplateOrder) {
    open();
    std::vector<std::string> chain;
    for (QWidget* w = dialog->nextInFocusChain(); w != &*dialog; w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus) chain.push_back(w->objectName().toStdString());
    EXPECT_EQ(chain,
              (std::vector<std::string>{"1032", "1033", "1018", "1019", "1020", "1010", "1003",
                                        "1001", "1007", "1008", "1024", "1026", "1029", "2"}));
}

TEST_F(OptionsDialogTest, LanguageSwitchRelabelsAtOnceAndKeepsTheFixedCaptions) {
    open();
    control(1007)->click();
    EXPECT_EQ(settings.language, 1);
    EXPECT_TRUE(checked(1007));
    EXPECT_EQ(labels(), "Parties jouées\nTemps moyen\nPic\nMeilleur temps\nPénalités\nTemps passé");
    EXPECT_EQ(totals(), "5 parties jouées en 2'41\"0");
    const std::pair<int, const char*> relabelled[] = {{1008, "Remise à zéro des statistiques"},
                                                      {1026, "Joueur 1"},
                                                      {1029, "Joueur 2"},
                                                      {1018, "Facile"},
                                                      {1019, "Medium"},
                                                      {1020, "Difficile"},
                                                      // never relabelled
                                                      {1001, "English"},
                                                      {1007, "Français"},
                                                      {1032, "OK"},
                                                      {1033, "NOK"}};
    for (const auto& [id, text] : relabelled) EXPECT_EQ(caption(id).toStdString(), text) << id;
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Options"));
    QStringList frames;
    for (const QGroupBox* box : dialog->findChildren<QGroupBox*>()) frames << box->title();
    frames.sort();
    EXPECT_EQ(frames, (QStringList{QStringLiteral("Color"), QStringLiteral("Kelvaro")}));

    control(1001)->click();
    EXPECT_EQ(settings.language, 0);
    EXPECT_EQ(caption(1019), QStringLiteral("Medium"));
    EXPECT_EQ(caption(1018), QStringLiteral("Easy"));
}

TEST_F(OptionsDialogTest, DifficultyAndPlayerSwitchesShowTheirRecordsAndStayWhenClosed) {
    open();
    control(1018)->click();
    EXPECT_EQ(settings.difficulty, 0);
    EXPECT_EQ(values(), "2\n30\"5\n30\"5\n30\"0\n0\n1'1\"0");
    control(1020)->click();
    EXPECT_EQ(settings.difficulty, 2);
    EXPECT_EQ(values(), "0");
    control(1029)->click();
    EXPECT_EQ(settings.player, 1);
    EXPECT_EQ(values(), "1\n3'20\"0\n3'18\"0\n3'20\"0\n0\n3'20\"0");
    EXPECT_EQ(totals(), "Total played: 1 during 3'20\"0");
    // The marks of the chart stay those of the opening.
    EXPECT_EQ(dialog->chartMarks().openDifficulty, 1);
    EXPECT_EQ(dialog->chartMarks().openPlayer, 0);

    control<QPushButton>(2)->click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(settings.difficulty, 2);
    EXPECT_EQ(settings.player, 1);
}

TEST_F(OptionsDialogTest, ChartShowsTheRecordsOfTheCurrentChoice) {
    open();
    auto chartPixels = [this] {
        return control<QWidget>(1027)
            ->grab()
            .toImage()
            .copy(0, 0, chartWidth, chartHeight)
            .convertToFormat(QImage::Format_RGB32);
    };
    auto expected = [this] {
        QImage image(chartWidth, chartHeight, QImage::Format_RGB32);
        paintHistogram(image, settings, statistics, ChartMarks{33'000, 1, 0});
        return image;
    };
    EXPECT_EQ(chartPixels(), expected());
    control(1018)->click();
    EXPECT_EQ(chartPixels(), expected());
    EXPECT_GE(control<QWidget>(1027)->width(), chartWidth);
    EXPECT_GE(control<QWidget>(1027)->height(), chartHeight);
}

TEST_F(OptionsDialogTest, ResetAnsweredOkClearsTheCurrentPlayerOnly) {
    settings.language = 1;
    open();
    const Statistics before = statistics;
    control(1008)->click();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].text, "Vous êtes sûr?");
    EXPECT_EQ(questions[0].caption, "Attention");
    for (int d = 0; d < difficulties; ++d) {
        SCOPED_TRACE(d);
        EXPECT_EQ(statistics.gamesPlayed[0][d], 0);
        EXPECT_EQ(statistics.bestTime[0][d], 0);
        EXPECT_EQ(statistics.totalTime[0][d], 0);
        EXPECT_EQ(statistics.totalPenalty[0][d], 0);
        EXPECT_STREQ(statistics.histogram[0][d].data(), "reset");
        EXPECT_EQ(statistics.gamesPlayed[1][d], before.gamesPlayed[1][d]);
        EXPECT_EQ(statistics.totalTime[1][d], before.totalTime[1][d]);
        EXPECT_EQ(statistics.histogram[1][d], before.histogram[1][d]);
    }
    EXPECT_EQ(values(), "0");
    EXPECT_EQ(totals(), "Pas de partie jouée");
}

TEST_F(OptionsDialogTest, ResetAnsweredCancelChangesNothing) {
    confirmAnswer = 2;
    open();
    const Statistics before = statistics;
    control(1008)->click();
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].text, "Are you sure?");
    EXPECT_EQ(questions[0].caption, "Warning");
    EXPECT_EQ(statistics.gamesPlayed, before.gamesPlayed);
    EXPECT_EQ(statistics.histogram, before.histogram);
    EXPECT_EQ(values(), "3\n43\"3\n29\"2\n25\"3\n2\n1'40\"0");
}

TEST_F(OptionsDialogTest, ColourButtonsOfferThePresetsAndKeepTheColourOnCancel) {
    struct Case {
        int button;
        Colour Settings::*colour;
        Colour preset;
    } cases[] = {{1032, &Settings::lineOkColour, 0x005000},
                 {1033, &Settings::lineViColour, 0x000080}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        settings.*c.colour = 0x123456;
        pickRequests.clear();
        open();
        pickAnswer = 0xABCDEF;
        control(c.button)->click();
        EXPECT_EQ(settings.*c.colour, 0xABCDEFu);
        pickAnswer = std::nullopt;
        control(c.button)->click();
        EXPECT_EQ(settings.*c.colour, 0xABCDEFu);
        ASSERT_EQ(pickRequests.size(), 2u);
        EXPECT_EQ(pickRequests[0].initial, 0x123456u);
        EXPECT_EQ(pickRequests[1].initial, 0xABCDEFu);
        for (Colour custom : pickRequests[1].customColours) EXPECT_EQ(custom, c.preset);
        EXPECT_TRUE(dialog->repaintPending());
        control<QPushButton>(2)->click();
        EXPECT_EQ(settings.*c.colour, 0xABCDEFu);
    }
}

TEST_F(OptionsDialogTest, RepaintTimerFiresOnce) {
    open();
    QElapsedTimer clock;
    clock.start();
    while (dialog->repaintPending() && clock.elapsed() < 5000) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    EXPECT_FALSE(dialog->repaintPending());
    EXPECT_GE(clock.elapsed(), 40);
}

TEST_F(OptionsDialogTest, OneCloseButtonWhoseCaptionFollowsTheLanguage) {
    open();
    QStringList closing;
    for (const QPushButton* button : dialog->findChildren<QPushButton*>())
        if (button->objectName().toInt() < 1000) closing << button->objectName();
    EXPECT_EQ(closing, QStringList{QStringLiteral("2")});
    auto* close = control<QPushButton>(2);
    EXPECT_EQ(close->text(), QStringLiteral("Close"));
    EXPECT_TRUE(close->isDefault()); // Return closes
    control(1007)->click();
    EXPECT_EQ(close->text(), QStringLiteral("Fermer"));
    control(1001)->click();
    EXPECT_EQ(close->text(), QStringLiteral("Close"));
}

TEST_F(OptionsDialogTest, CloseEscapeAndTheWindowsCloseButtonEndItAlikeWithTheChoicesShown) {
    const std::pair<const char*, std::function<void(OptionsDialog&)>> ways[] = {
        {"Close",
         [](OptionsDialog& d) { d.findChild<QPushButton*>(QStringLiteral("2"))->click(); }},
        {"Return", [](OptionsDialog& d) { QTest::keyClick(&d, Qt::Key_Return); }},
        {"Escape", [](OptionsDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }},
        {"close button", [](OptionsDialog& d) { d.close(); }},
    };
    for (const auto& [name, closeIt] : ways) {
        SCOPED_TRACE(name);
        settings.player = 0;
        settings.difficulty = 1;
        open();
        dialog->show();
        // A radio checked without its click message still counts when the dialog closes.
        control(1029)->setChecked(true);
        control(1020)->setChecked(true);
        closeIt(*dialog);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), QDialog::Rejected);
        EXPECT_EQ(settings.player, 1);
        EXPECT_EQ(settings.difficulty, 2);
        EXPECT_EQ(values(), "1\n3'20\"0\n3'18\"0\n3'20\"0\n0\n3'20\"0");
    }
}

TEST_F(OptionsDialogTest, SettingsOutsideTheRadiosComeBackUnchanged) {
    settings.language = 4; // French, though neither radio shows it
    open();
    EXPECT_FALSE(checked(1001));
    EXPECT_FALSE(checked(1007));
    EXPECT_EQ(caption(1018), QStringLiteral("Facile"));
    control<QPushButton>(2)->click();
    EXPECT_EQ(settings.language, 4);
}

} // namespace
} // namespace kelvaro
