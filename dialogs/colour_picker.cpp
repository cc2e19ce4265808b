#include "dialogs/colour_picker.h"

#include "dialogs/dialog_buttons.h"
#include "render/colour.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kelvaro {

namespace {

QColor toQColor(Colour colour) {
    return QColor::fromRgb(toQRgb(colour));
}

// Qt's custom colours are a process-wide list that Qt saves at exit once anything sets
// them, including the widget's own "add" button; so the part of the widget that shows and
// sets them is hidden. It is the second colour well, its label and the last push button.
void hideQtCustomColours(QColorDialog& picker) {
    const auto wells = picker.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
    QWidget* customWell = nullptr;
    int wellsSeen = 0;
    for (QWidget* child : wells)
        if (child->inherits("QtPrivate::QWellArray") || child->inherits("QWellArray"))
            if (++wellsSeen == 2) customWell = child;
    if (customWell != nullptr) {
        customWell->hide();
        for (QLabel* label : picker.findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
            if (label->buddy() == customWell) label->hide();
    }
    const auto buttons = picker.findChildren<QPushButton*>(QString(), Qt::FindDirectChildrenOnly);
    if (buttons.size() >= 2) buttons.last()->hide();
}

QPushButton* makeSwatch(int index, Colour colour, QWidget* parent) {
    auto* swatch = new QPushButton(parent);
    swatch->setObjectName(QStringLiteral("customColour%1").arg(index));
    swatch->setFixedSize(18, 18);
    swatch->setFlat(true);
    swatch->setAutoFillBackground(true);
    swatch->setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid gray;")
                              .arg(toQColor(colour).name()));
    return swatch;
}

} // namespace

Colour pickColour(Colour current, Colour preset, const ColourPicker& picker) {
    CustomColours customColours;
    customColours.fill(preset);
    const std::optional<Colour> chosen = picker(current, customColours);
    return chosen ? *chosen : current;
}

ColourPickerDialog::ColourPickerDialog(Colour initial, const CustomColours& customColours,
                                       QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Color"));

    picker = new QColorDialog(this);
    picker->setWindowFlags(Qt::Widget);
    picker->setOptions(QColorDialog::DontUseNativeDialog | QColorDialog::NoButtons);
    picker->setCurrentColor(toQColor(initial));
    hideQtCustomColours(*picker);
    // The embedded widget is still a dialog: Return and Escape would close it alone, leaving
    // an empty frame, and Return would press its screen-grab button. Let them close ours.
    for (QPushButton* button : picker->findChildren<QPushButton*>()) button->setAutoDefault(false);
    // With no default button of its own, the embedded dialog swallows Return; take it first.
    picker->installEventFilter(this);
    connect(picker, &QDialog::finished, this, [this](int result) {
        if (result == QDialog::Accepted)
            accept();
        else
            reject();
    });
    picker->show();

    auto* swatches = new QHBoxLayout;
    swatches->setSpacing(2);
    swatches->addWidget(new QLabel(QStringLiteral("Custom colors:"), this));
    for (int i = 0; i < customColourCount; ++i) {
        QPushButton* swatch = makeSwatch(i, customColours[i], this);
        const Colour colour = customColours[i];
        connect(swatch, &QPushButton::clicked, this, [this, colour] { setColour(colour); });
        swatches->addWidget(swatch);
    }
    swatches->addStretch();

    QDialogButtonBox* buttons = makeOkCancelButtons(*this);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(picker);
    layout->addLayout(swatches);
    layout->addWidget(buttons);
}

bool ColourPickerDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == picker && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

Colour ColourPickerDialog::colour() const {
    // Solid colours only: whatever alpha the widget holds is dropped.
    return fromQRgb(picker->currentColor().rgb());
}

void ColourPickerDialog::setColour(Colour colour) {
    picker->setCurrentColor(toQColor(colour));
}

std::optional<Colour> runColourPickerDialog(Colour initial, const CustomColours& customColours) {
    ColourPickerDialog dialog(initial, customColours, QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.colour();
}

} // namespace kelvaro
