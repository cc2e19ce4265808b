#include "dialogs/options_dialog.h"

#include "dialogs/control_text.h"
#include "dialogs/current_slot.h"
#include "dialogs/dialog_buttons.h"
#include "dialogs/dialog_units.h"
#include "dialogs/statistics_font.h"
#include "dialogs/statistics_text.h"
#include "store/statistics.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextEdit>
#include <QTimerEvent>
#include <algorithm>

namespace kelvaro {

// Control 1027: shows the chart, drawn afresh at every paint.
class ChartControl : public QWidget {
  public:
    using Painter = std::function<void(QImage&)>;

    ChartControl(Painter painterIn, QWidget* parent)
        : QWidget(parent), painter(std::move(painterIn)),
          image(chartWidth, chartHeight, QImage::Format_RGB32) {}

  protected:
    void paintEvent(QPaintEvent*) override {
        painter(image);
        QPainter(this).drawImage(0, 0, image);
    }

  private:
    Painter painter;
    QImage image;
};

namespace {

constexpr int repaintDelayMs = 50;

int askWithMessageBox(QWidget* parent, const QString& text, const QString& caption) {
    const auto answer = QMessageBox::question(
        parent, caption, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok);
    return answer == QMessageBox::Ok ? 1 : 2;
}

// The index of the checked button, or keep when none is checked (a setting outside the
// group's range checks none, and must come back unchanged).
std::int32_t checkedIndex(const QButtonGroup& group, std::int32_t keep) {
    const int id = group.checkedId();
    return id >= 0 ? id : keep;
}

// What a box leaves its text: inside its frame and the document's margin.
QSizeF textRoom(const QAbstractScrollArea& box, const QTextDocument& document) {
    const qreal margin = 2 * document.documentMargin();
    return QSizeF(box.contentsRect().width() - margin, box.contentsRect().height() - margin);
}

void checkIndex(QButtonGroup& group, std::int32_t index) {
    if (QAbstractButton* button = group.button(index)) {
        button->setChecked(true);
        return;
    }
    group.setExclusive(false);
    for (QAbstractButton* button : group.buttons()) button->setChecked(false);
    group.setExclusive(true);
}

} // namespace

OptionsDialog::OptionsDialog(Settings& settingsIn, Statistics& statisticsIn, const GameState& state,
                             OptionsHooks hooksIn, QWidget* parent)
    : QDialog(parent), settings(settingsIn), statistics(statisticsIn), hooks(std::move(hooksIn)) {
    if (!hooks.confirm)
        hooks.confirm = [this](const QString& text, const QString& caption) {
            return askWithMessageBox(this, text, caption);
        };
    if (!hooks.pickColour) hooks.pickColour = runColourPickerDialog;

    buildControls();

    languageChoice = settings.language;
    difficultyChoice = settings.difficulty;
    playerChoice = settings.player;
    marks = ChartMarks{state.finalTime, settings.difficulty, settings.player};
    refreshStatistics();
    writeControls();
    startRepaintTimer();
}

void OptionsDialog::buildControls() {
    setWindowTitle(QStringLiteral("Options"));
    setFont(dialogFont());
    const DialogUnits units = dialogUnitsFor(font());
    QList<QWidget*> tabOrder;

    auto control = [&](QWidget* widget, int id, int x, int y, int w, int h) {
        if (id != 0) widget->setObjectName(QString::number(id));
        placeControl(*widget, units, x, y, w, h);
        if (widget->focusPolicy() != Qt::NoFocus) tabOrder.append(widget);
    };
    auto radio = [&](QButtonGroup* group, int index, const QString& caption, int id, int x, int y,
                     int w, int h) {
        auto* button = new QRadioButton(caption, this);
        group->addButton(button, index);
        control(button, id, x, y, w, h);
    };
    auto pushButton = [&](const QString& caption, int id, int x, int y, int w, int h) {
        auto* button = new QPushButton(caption, this);
        button->setAutoDefault(false); // Return belongs to Close
        control(button, id, x, y, w, h);
        return button;
    };
    auto groupBox = [&](const QString& caption, int x, int y, int w, int h) {
        auto* box = new QGroupBox(caption, this);
        control(box, 0, x, y, w, h);
        box->lower(); // a frame only: the controls it surrounds stay on top and clickable
    };

    languageGroup = new QButtonGroup(this);
    difficultyGroup = new QButtonGroup(this);
    playerGroup = new QButtonGroup(this);

    QPushButton* okColour = pushButton(QStringLiteral("OK"), 1032, 102, 19, 22, 10);
    QPushButton* nokColour = pushButton(QStringLiteral("NOK"), 1033, 102, 32, 22, 10);
    radio(difficultyGroup, 0, QStringLiteral("easy"), 1018, 88, 64, 40, 9);
    radio(difficultyGroup, 1, QStringLiteral("medium"), 1019, 88, 74, 40, 9);
    radio(difficultyGroup, 2, QStringLiteral("hard"), 1020, 88, 84, 39, 9);

    chartControl = new ChartControl(
        [this](QImage& image) { paintHistogram(image, settings, statistics, marks); }, this);
    control(chartControl, 1027, 5, 57, 79, 45);
    // The chart has a fixed size in pixels; a small font must not cut it.
    chartControl->resize(std::max(chartControl->width(), chartWidth),
                         std::max(chartControl->height(), chartHeight));

    valuesBox = new QTextEdit(this);
    valuesBox->setAcceptRichText(false);
    valuesBox->document()->setDefaultTextOption(QTextOption(Qt::AlignRight));
    valuesBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    valuesBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    valuesBox->setTabChangesFocus(true);
    valuesBox->document()->setDocumentMargin(1);
    control(valuesBox, 1010, 5, 8, 34, 49);

    labelsBox = new QPlainTextEdit(this);
    labelsBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    labelsBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    labelsBox->setTabChangesFocus(true);
    labelsBox->document()->setDocumentMargin(1);
    // A wrapped label would no longer stand beside its value.
    labelsBox->setLineWrapMode(QPlainTextEdit::NoWrap);
    control(labelsBox, 1003, 42, 8, 47, 48);
    fitStatisticsBoxes();

    groupBox(QStringLiteral("Color"), 93, 7, 39, 41);
    groupBox(QStringLiteral("Kelvaro"), 1, 0, 135, 103);
    radio(languageGroup, 0, QStringLiteral("English"), 1001, 14, 140, 38, 13);
    radio(languageGroup, 1, QStringLiteral("Français"), 1007, 79, 140, 38, 13);
    resetButton = pushButton(QStringLiteral("Reset Statistics"), 1008, 3, 127, 131, 12);

    totalsBox = new QLineEdit(this);
    control(totalsBox, 1024, 7, 105, 123, 12);

    radio(playerGroup, 0, QStringLiteral("player1"), 1026, 15, 116, 43, 10);
    radio(playerGroup, 1, QStringLiteral("player2"), 1029, 79, 116, 47, 10);

    closeButton = addCloseButton(*this, units.toPixels(0, 0, 167, 174), settings.language);
    tabOrder.append(closeButton);
    for (qsizetype i = 1; i < tabOrder.size(); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);

    connect(languageGroup, &QButtonGroup::idClicked, this, [this] { languageChanged(); });
    connect(difficultyGroup, &QButtonGroup::idClicked, this, [this] { difficultyChanged(); });
    connect(playerGroup, &QButtonGroup::idClicked, this, [this] { playerChanged(); });
    connect(resetButton, &QPushButton::clicked, this, [this] { resetStatistics(); });
    connect(okColour, &QPushButton::clicked, this, [this] { chooseLineOkColour(); });
    connect(nokColour, &QPushButton::clicked, this, [this] { chooseLineViColour(); });
}

// Six lines of the font the dialog units come from just fill the template's boxes, leaving
// no room for their frames, and "Meilleur temps" is wider than its box: a narrower, smaller
// text font keeps the template's geometry and shows every line whole.
void OptionsDialog::fitStatisticsBoxes() {
    const int lines = static_cast<int>(longestStatisticsValues().size());
    const QFont textFont = fittedFont(
        font(),
        {TextRoom{textRoom(*valuesBox, *valuesBox->document()), longestStatisticsValues(), lines},
         TextRoom{textRoom(*labelsBox, *labelsBox->document()), statisticsLabelsOfBothLanguages(),
                  lines}});
    valuesBox->setFont(textFont);
    labelsBox->setFont(textFont);
}

void OptionsDialog::readControls() {
    languageChoice = checkedIndex(*languageGroup, languageChoice);
    difficultyChoice = checkedIndex(*difficultyGroup, difficultyChoice);
    playerChoice = checkedIndex(*playerGroup, playerChoice);
    labelsText = fromEditText(labelsBox->toPlainText());
    valuesText = fromEditText(valuesBox->toPlainText());
    totalsText = totalsBox->text();
}

void OptionsDialog::writeControls() {
    checkIndex(*languageGroup, languageChoice);
    checkIndex(*difficultyGroup, difficultyChoice);
    checkIndex(*playerGroup, playerChoice);
    labelsBox->setPlainText(toEditText(labelsText));
    valuesBox->setPlainText(toEditText(valuesText));
    totalsBox->setText(totalsText);
}

// Changes the members and the captions; the caller writes the controls when it wants the
// texts shown.
void OptionsDialog::refreshStatistics() {
    StatisticsTexts texts = statisticsTexts(settings, statistics);
    labelsText = std::move(texts.labelsText);
    valuesText = std::move(texts.valuesText);
    totalsText = std::move(texts.totalsText);
    for (const ControlCaption& caption : languageCaptions)
        if (auto* button = findChild<QAbstractButton*>(QString::number(caption.id)))
            button->setText(captionText(caption, settings.language));
    if (closeButton != nullptr) closeButton->setText(closeCaption(settings.language));
}

void OptionsDialog::startRepaintTimer() {
    // Starting the timer again replaces the pending one.
    if (repaintTimer != 0) killTimer(repaintTimer);
    repaintTimer = startTimer(repaintDelayMs);
}

void OptionsDialog::timerEvent(QTimerEvent* event) {
    if (event->timerId() != repaintTimer) {
        QDialog::timerEvent(event);
        return;
    }
    killTimer(repaintTimer);
    repaintTimer = 0;
    chartControl->update();
}

void OptionsDialog::redrawAll() {
    update();
    chartControl->update();
}

void OptionsDialog::languageChanged() {
    readControls();
    if (languageChoice == settings.language) return;
    settings.language = languageChoice;
    refreshStatistics();
    redrawAll();
    writeControls();
}

void OptionsDialog::difficultyChanged() {
    readControls();
    if (difficultyChoice == settings.difficulty) return;
    settings.difficulty = difficultyChoice;
    refreshStatistics();
    redrawAll();
    writeControls();
}

void OptionsDialog::playerChanged() {
    readControls();
    if (playerChoice == settings.player) return;
    settings.player = static_cast<std::int16_t>(playerChoice);
    refreshStatistics();
    redrawAll();
    writeControls();
}

void OptionsDialog::resetStatistics() {
    const bool french = settings.language != 0;
    const int answer =
        hooks.confirm(french ? QStringLiteral("Vous êtes sûr?") : QStringLiteral("Are you sure?"),
                      french ? QStringLiteral("Attention") : QStringLiteral("Warning"));
    if (answer != 1) return;
    kelvaro::resetStatistics(statistics, currentSlot(settings).player);
    refreshStatistics();
    redrawAll();
    writeControls();
}

void OptionsDialog::chooseLineOkColour() {
    settings.lineOkColour =
        pickColour(settings.lineOkColour, defaultLineOkColour, hooks.pickColour);
    startRepaintTimer();
}

void OptionsDialog::chooseLineViColour() {
    settings.lineViColour =
        pickColour(settings.lineViColour, defaultLineViColour, hooks.pickColour);
    startRepaintTimer();
}

// Close, Escape and the window's close button all end here. Every choice has taken effect
// already; the choices the radios show become the settings, as the confirm command always did.
void OptionsDialog::done(int result) {
    readControls();
    settings.difficulty = difficultyChoice;
    settings.language = languageChoice;
    if (playerChoice != settings.player) {
        settings.player = static_cast<std::int16_t>(playerChoice);
        refreshStatistics();
        writeControls();
    }
    QDialog::done(result);
}

} // namespace kelvaro
