#include "dialogs/colour_picker.h"
#include "widget_application.h"

#include <QDir>
#include <QDirIterator>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace kelvaro {
namespace {

CustomColours distinctColours() {
    CustomColours colours;
    for (int i = 0; i < customColourCount; ++i) colours[i] = 0x010203u * (i + 1);
    return colours;
}

TEST(ColourPicker, SwatchesOfferTheCustomColoursAndQtsOwnAreHidden) {
    ensureWidgetApplication();
    const CustomColours colours = distinctColours();
    ColourPickerDialog picker(0x102030, colours);
    picker.show();
    EXPECT_EQ(picker.colour(), 0x102030u);
    for (int i = 0; i < customColourCount; ++i) {
        SCOPED_TRACE(i);
        auto* swatch = picker.findChild<QPushButton*>(QStringLiteral("customColour%1").arg(i));
        ASSERT_NE(swatch, nullptr);
        swatch->click();
        EXPECT_EQ(picker.colour(), colours[i]);
    }
    for (const QPushButton* button : picker.findChildren<QPushButton*>()) {
        if (button->text().contains(QStringLiteral("Custom"), Qt::CaseInsensitive)) {
            EXPECT_FALSE(button->isVisible()) << button->text().toStdString();
        }
    }
}

TEST(ColourPicker, AnswersTheChosenColourOnOkAndNothingOnCancel) {
    ensureWidgetApplication();
    for (const char* button : {"1", "2"}) {
        SCOPED_TRACE(button);
        QTimer::singleShot(0, [button] {
            auto* picker = dynamic_cast<ColourPickerDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(picker, nullptr);
            picker->setColour(0xC0FFEE);
            picker->findChild<QPushButton*>(QString::fromLatin1(button))->click();
        });
        const std::optional<Colour> chosen = runColourPickerDialog(0x005000, distinctColours());
        if (button[0] == '1') {
            EXPECT_EQ(chosen, std::optional<Colour>(0xC0FFEE));
        } else {
            EXPECT_EQ(chosen, std::nullopt);
        }
    }
}

// The embedded colour widget is a dialog of its own that would swallow Return.
TEST(ColourPicker, ReturnInTheColourFieldsChoosesTheColour) {
    ensureWidgetApplication();
    QTimer::singleShot(0, [] {
        auto* picker = dynamic_cast<ColourPickerDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(picker, nullptr);
        picker->setColour(0x804020);
        QLineEdit* field = picker->findChild<QLineEdit*>();
        ASSERT_NE(field, nullptr);
        QTest::keyClick(field, Qt::Key_Return);
        // Leave the dialog whatever happened, so a failure cannot hang the test.
        QTimer::singleShot(0, picker, &QDialog::reject);
    });
    EXPECT_EQ(runColourPickerDialog(0x005000, distinctColours()), std::optional<Colour>(0x804020));
}

TEST(ColourPicker, PickColourKeepsTheCurrentColourOnCancel) {
    CustomColours offered{};
    auto picker = [&offered](std::optional<Colour> answer) {
        return [&offered, answer](Colour, const CustomColours& colours) {
            offered = colours;
            return answer;
        };
    };
    EXPECT_EQ(pickColour(0x111111, 0x005000, picker(std::nullopt)), 0x111111u);
    EXPECT_EQ(pickColour(0x111111, 0x005000, picker(0x222222)), 0x222222u);
    for (Colour colour : offered) EXPECT_EQ(colour, 0x005000u);
}

// Qt saves its own list of custom colours in a settings file at exit once anything sets it.
// The probe opens the options dialog, chooses both line colours through the real picker and
// exits; its configuration folder must then hold no file at all.
TEST(ColourPicker, ChoosingColoursLeavesNoFileOfQtsOwn) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QProcess probe;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    probe.setProcessEnvironment(environment);
    probe.start(QStringLiteral(PICKER_PROBE), {});
    ASSERT_TRUE(probe.waitForFinished(20'000));
    EXPECT_EQ(probe.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(probe.exitCode(), 0) << probe.readAllStandardError().toStdString();
    QStringList files;
    QDirIterator it(home.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) files << it.next();
    EXPECT_EQ(files, QStringList{});
}

} // namespace
} // namespace kelvaro
