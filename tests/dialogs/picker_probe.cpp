// Opens the options dialog, chooses both line colours through the real colour picker, once
// from a swatch and once from Qt's own widget, and exits. Exits 0 when both colours were
// taken; the test that runs it then looks at what was left in the configuration folder.
#include "dialogs/colour_picker.h"
#include "dialogs/options_dialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

using namespace kelvaro;

namespace {

// Answers the picker that the next click opens.
void answerPicker(const std::function<void(ColourPickerDialog&)>& choose) {
    QTimer::singleShot(0, [choose] {
        auto* picker = dynamic_cast<ColourPickerDialog*>(QApplication::activeModalWidget());
        if (picker == nullptr) {
            std::fputs("no colour picker open\n", stderr);
            QApplication::exit(2);
            return;
        }
        choose(*picker);
        picker->findChild<QPushButton*>(QStringLiteral("1"))->click();
    });
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Settings settings;
    settings.lineOkColour = 0x123456;
    settings.lineViColour = 0x654321;
    Statistics statistics;
    GameState state;
    OptionsDialog dialog(settings, statistics, state);

    QTimer::singleShot(0, [&] {
        answerPicker([](ColourPickerDialog& picker) {
            picker.findChild<QPushButton*>(QStringLiteral("customColour5"))->click();
        });
        dialog.findChild<QPushButton*>(QStringLiteral("1032"))->click();
        answerPicker([](ColourPickerDialog& picker) {
            picker.findChild<QColorDialog*>()->setCurrentColor(QColor(10, 20, 30));
        });
        dialog.findChild<QPushButton*>(QStringLiteral("1033"))->click();
        dialog.accept();
    });
    dialog.exec();
    if (settings.lineOkColour != defaultLineOkColour || settings.lineViColour != 0x1E140Au) {
        std::fprintf(stderr, "colours %06x %06x\n", settings.lineOkColour, settings.lineViColour);
        return 1;
    }
    return 0;
}
