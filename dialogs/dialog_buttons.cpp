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

QString closeCaption(std::int32_t language) {
    return language == 0 ? QStringLiteral("Close") : QStringLiteral("Fermer");
}

QPushButton* addCloseButton(QDialog& dialog, const QRect& templateArea, std::int32_t language) {
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* close = buttons->addButton(closeCaption(language), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("2"));
    // Return closes the dialog, as it always has.
    close->setDefault(true);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    const int margin = 6;
    const QSize hint = buttons->sizeHint();
    const int width = std::max(templateArea.width(), hint.width() + 2 * margin);
    buttons->setGeometry(margin, templateArea.height() + margin, width - 2 * margin, hint.height());
    dialog.setFixedSize(width, templateArea.height() + hint.height() + 2 * margin);
    return close;
}

} // namespace kelvaro
