// Shows the rules of the puzzle before the example game. It changes nothing, so one Close
// button ends it.
#pragma once

#include "store/settings.h"

#include <QDialog>
#include <QString>

class QLineEdit;
class QPlainTextEdit;

namespace kelvaro {

class RulesDialog : public QDialog {
  public:
    explicit RulesDialog(const Settings& settings, QWidget* parent = nullptr);

  private:
    void writeControls();

    QString rulesText;
    QString titleText;
    QPlainTextEdit* rulesBox = nullptr; // 1010
    QLineEdit* titleBox = nullptr;      // 1011
};

} // namespace kelvaro
