#include "dialogs/rules_dialog.h"

#include "dialogs/control_text.h"
#include "dialogs/dialog_buttons.h"
#include "dialogs/dialog_units.h"
#include "dialogs/rules_text.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace kelvaro {

RulesDialog::RulesDialog(const Settings& settings, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Dialog"));
    setFont(dialogFont());
    const DialogUnits units = dialogUnitsFor(font());

    titleBox = new QLineEdit(this);
    titleBox->setObjectName(QStringLiteral("1011"));
    titleBox->setAlignment(Qt::AlignHCenter);
    placeControl(*titleBox, units, 47, 1, 49, 12);

    rulesBox = new QPlainTextEdit(this);
    rulesBox->setObjectName(QStringLiteral("1010"));
    rulesBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rulesBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rulesBox->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    rulesBox->setTabChangesFocus(true);
    placeControl(*rulesBox, units, 1, 17, 136, 137);
    setTabOrder(titleBox, rulesBox);

    QPushButton* close = addCloseButton(*this, units.toPixels(0, 0, 151, 213), settings.language);
    setTabOrder(rulesBox, close);

    rulesText = rulesFor(settings.language);
    titleText = QStringLiteral("Kelvaro");
    writeControls();
}

// The dialog only shows its texts: nothing reads the boxes back.
void RulesDialog::writeControls() {
    rulesBox->setPlainText(toEditText(rulesText));
    titleBox->setText(titleText);
}

} // namespace kelvaro
