#include "dialogs/rules_dialog.h"
#include "dialogs/rules_text.h"
#include "render/splash_paint.h"
#include "widget_application.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <string_view>

namespace kelvaro {
namespace {

struct RulesCase {
    std::int32_t language;
    const char* opening; // everything up to the full stop before the home-page sentence
    const char* closing; // everything after that sentence
};

const RulesCase rulesCases[] = {
    {0,
     "Link the symbols with the right number of cells.\r\n-no crossing\r\n-no empty cell\r\n\r\n"
     "You may ask for help and reveal one line, but it costs 15 seconds per cell.\r\n\r\n"
     "This version automatically computes grids. An easier version is Nemolt, where there is "
     "no length constraint.",
     "\r\n\r\nTry to finish the next example!"},
    {1,
     "Reliez les symboles identiques avec le bon nombre de cases.\r\n- pas de croisement\r\n"
     "- pas de case vide\r\n\r\nSi vous demandez de l'aide, une ligne sera révélée au coût de 15 "
     "secondes par case.\r\n\r\nCette version génère automatiquement les problèmes à l'infini. "
     "Nemolt est plus simple car il n'y a pas de contrainte de longueur.",
     "\r\nEssayez de finir l'example suivant!"},
    // Any language other than 0 is French.
    {7, "Reliez les symboles identiques", "\r\nEssayez de finir l'example suivant!"},
};

TEST(RulesText, HomePageSentenceFollowsTheFullStopWithoutABlank) {
    for (const RulesCase& c : rulesCases) {
        SCOPED_TRACE(c.language);
        const QString text = rulesFor(c.language);
        const QString opening = QString::fromUtf8(c.opening);
        const QString closing = QString::fromUtf8(c.closing);
        ASSERT_TRUE(text.startsWith(opening)) << text.toStdString();
        ASSERT_TRUE(text.endsWith(closing)) << text.toStdString();
        if (c.language == 7) continue;
        const QString sentence =
            text.mid(opening.size(), text.size() - opening.size() - closing.size());
        EXPECT_FALSE(sentence.front().isSpace());
        EXPECT_TRUE(sentence.endsWith('.'));
        EXPECT_TRUE(sentence.contains(QLatin1String(homePageAddress)));
        EXPECT_FALSE(sentence.contains('\n'));
        EXPECT_EQ(sentence.count(QStringLiteral(". ")), 0); // one sentence
    }
}

TEST(RulesText, NamesTheHomePageTheSplashShows) {
    EXPECT_EQ(std::string_view(homePageAddress), "kelvaro.example.org");
    EXPECT_TRUE(webAddressText == homePageAddress ||
                webAddressText == "www." + std::string(homePageAddress))
        << webAddressText;
}

TEST(RulesDialog, ShowsTheNameAndTheRulesOfTheLanguageUnderAFixedTitle) {
    ensureWidgetApplication();
    for (const RulesCase& c : rulesCases) {
        SCOPED_TRACE(c.language);
        Settings settings;
        settings.language = c.language;
        const RulesDialog dialog(settings);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Dialog"));
        auto* title = dialog.findChild<QLineEdit*>(QStringLiteral("1011"));
        auto* rules = dialog.findChild<QPlainTextEdit*>(QStringLiteral("1010"));
        ASSERT_NE(title, nullptr);
        ASSERT_NE(rules, nullptr);
        EXPECT_EQ(title->text(), QStringLiteral("Kelvaro"));
        EXPECT_EQ(title->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        EXPECT_EQ(rules->toPlainText(), QString(rulesFor(c.language)).replace("\r\n", "\n"));
        EXPECT_EQ(rules->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        // Template order is the tab order.
        EXPECT_EQ(title->nextInFocusChain(), rules);
    }
}

TEST(RulesDialog, OneCloseButtonInTheLanguageAndEscapeDoesTheSame) {
    ensureWidgetApplication();
    for (const auto& [language, caption] : {std::pair{0, "Close"}, std::pair{1, "Fermer"}}) {
        SCOPED_TRACE(language);
        Settings settings;
        settings.language = language;
        RulesDialog dialog(settings);
        const QList<QPushButton*> buttons = dialog.findChildren<QPushButton*>();
        ASSERT_EQ(buttons.size(), 1);
        EXPECT_EQ(buttons[0]->text().toStdString(), caption);
        EXPECT_TRUE(buttons[0]->isDefault());
        dialog.show();
        buttons[0]->click();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
}

} // namespace
} // namespace kelvaro
