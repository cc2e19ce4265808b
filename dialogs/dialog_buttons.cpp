#include "dialogs/dialog_buttons.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <algorithm>

namespace kelvaro {

QDialogButtonBox* makeOkCancelButtons(QDialog& dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("2"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

void addDialogButtons(QDialog& dialog, const QRect& templateArea) {
    QDialogButtonBox* buttons = makeOkCancelButtons(dialog);

    const int margin = 6;
    const QSize hint = buttons->sizeHint();
    const int width = std::max(templateArea.width(), hint.width() + 2 * margin);
    buttons->setGeometry(margin, templateArea.height() + margin, width - 2 * margin, hint.height());
    dialog.setFixedSize(width, templateArea.height() + hint.height() + 2 * margin);
}

} // namespace kelvaro
