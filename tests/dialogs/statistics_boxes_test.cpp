// The statistics labels and values fit their boxes whole, in both languages, for the longest
// values the records can realistically hold. Registered a second time at QT_SCALE_FACTOR=2.
#include "dialogs/options_dialog.h"
#include "widget_application.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextLayout>
#include <gtest/gtest.h>

namespace kelvaro {
namespace {

// Games and penalty cells up to 10,000,000; the best, average and peak times up to the
// longest recorded game (10,000,000 ms) plus 144 penalty cells (2,160,000 ms); the time spent
// up to 2^31 ms.
const QStringList longestValues{
    QStringLiteral("10000000"),   QStringLiteral("3h22'40\"0"), QStringLiteral("3h22'40\"0"),
    QStringLiteral("3h22'40\"0"), QStringLiteral("10000000"),   QStringLiteral("596h31'23\"6"),
};

// Every line of lines fits the box's text area, one under the other, by the box's own font;
// and laid out by the box itself, each line stays one line and all of them stay in view.
void expectWhole(QAbstractScrollArea& box, QTextDocument& document, const QStringList& lines) {
    const QFontMetrics metrics(box.font());
    const int margin = qCeil(document.documentMargin());
    const QSize room = box.viewport()->size() - QSize(2 * margin, 2 * margin);
    for (const QString& line : lines)
        EXPECT_LE(metrics.horizontalAdvance(line), room.width()) << line.toStdString();
    EXPECT_LE(metrics.lineSpacing() * lines.size(), room.height());

    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        SCOPED_TRACE(block.text().toStdString());
        ASSERT_NE(block.layout(), nullptr);
        EXPECT_EQ(block.layout()->lineCount(), 1);
        EXPECT_LE(block.layout()->lineAt(0).naturalTextWidth(), room.width());
    }
    EXPECT_EQ(document.blockCount(), lines.size());
    EXPECT_LE(document.documentLayout()->documentSize().height(), box.viewport()->height());
}

TEST(StatisticsBoxes, LabelsAndLongestValuesFitWholeInBothLanguages) {
    ensureWidgetApplication();
    for (std::int32_t language : {0, 1}) {
        SCOPED_TRACE(language);
        Settings settings;
        settings.language = language;
        Statistics statistics;
        GameState state;
        OptionsDialog dialog(settings, statistics, state);
        dialog.show();
        auto* values = dialog.findChild<QTextEdit*>(QStringLiteral("1010"));
        auto* labels = dialog.findChild<QPlainTextEdit*>(QStringLiteral("1003"));
        ASSERT_NE(values, nullptr);
        ASSERT_NE(labels, nullptr);
        const QStringList shownLabels = labels->toPlainText().split('\n');
        ASSERT_EQ(shownLabels.size(), 6);
        expectWhole(*labels, *labels->document(), shownLabels);
        // The boxes are ordinary edit boxes: the longest values go in as a refresh would put
        // them, and are laid out the same way.
        values->setPlainText(longestValues.join('\n'));
        expectWhole(*values, *values->document(), longestValues);
        // The two boxes stand line beside line.
        EXPECT_EQ(values->font(), labels->font());
    }
}

} // namespace
} // namespace kelvaro
