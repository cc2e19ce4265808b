// The options and statistics dialog: language, difficulty, player slot and line colours take
// effect the moment they are chosen, the statistics of the chosen player and difficulty are
// shown as text and as a chart, and a player's records can be reset. Nothing is undone, so
// the dialog has one Close button; the caller saves the settings when the dialog closes.
#pragma once

#include "dialogs/colour_picker.h"
#include "dialogs/histogram_chart.h"
#include "model/game_state.h"
#include "store/settings.h"

#include <QDialog>
#include <QString>
#include <cstdint>
#include <functional>

class QAbstractButton;
class QButtonGroup;
class QLineEdit;
class QPlainTextEdit;
class QTextEdit;
class QPushButton;

namespace kelvaro {

// A modal question with OK and Cancel; answers 1 for OK.
using ConfirmBox = std::function<int(const QString& text, const QString& caption)>;

// The modal boxes the dialog opens, replaceable by a test. Empty hooks use Qt's.
struct OptionsHooks {
    ConfirmBox confirm;
    ColourPicker pickColour;
};

class ChartControl;

class OptionsDialog : public QDialog {
  public:
    // state gives the last finished game's time for the chart's marker.
    OptionsDialog(Settings& settings, Statistics& statistics, const GameState& state,
                  OptionsHooks hooks = {}, QWidget* parent = nullptr);

    void done(int result) override;

    // True from opening, and after each colour choice, until the repaint timer's tick.
    bool repaintPending() const { return repaintTimer != 0; }
    const ChartMarks& chartMarks() const { return marks; }

  protected:
    void timerEvent(QTimerEvent* event) override;

  private:
    void buildControls();
    void fitStatisticsBoxes();
    void readControls();
    void writeControls();
    void refreshStatistics();
    void startRepaintTimer();
    void redrawAll();

    void languageChanged();
    void difficultyChanged();
    void playerChanged();
    void resetStatistics();
    void chooseLineOkColour();
    void chooseLineViColour();

    Settings& settings;
    Statistics& statistics;
    OptionsHooks hooks;

    ChartControl* chartControl = nullptr; // 1027
    QPushButton* resetButton = nullptr;   // 1008
    std::int32_t languageChoice = -1;
    QString labelsText;
    QString valuesText;
    QString totalsText;
    std::int32_t playerChoice = -1;
    std::int32_t difficultyChoice = -1;
    int repaintTimer = 0;

    // The chart marks the last game only for the difficulty and player of the opening.
    ChartMarks marks;

    QButtonGroup* languageGroup = nullptr;   // 1001, 1007
    QButtonGroup* difficultyGroup = nullptr; // 1018, 1019, 1020
    QButtonGroup* playerGroup = nullptr;     // 1026, 1029
    QTextEdit* valuesBox = nullptr;          // 1010
    QPlainTextEdit* labelsBox = nullptr;     // 1003
    QLineEdit* totalsBox = nullptr;          // 1024
    QPushButton* closeButton = nullptr;      // 2
};

} // namespace kelvaro
