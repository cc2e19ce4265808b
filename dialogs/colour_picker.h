// Choosing a line colour. The picker is a hook, so a test can script the answer; the real one
// is Qt's colour widget beside a row of the 16 custom colours.
#pragma once

#include "store/settings.h"

#include <QDialog>
#include <array>
#include <functional>
#include <optional>

class QColorDialog;

namespace kelvaro {

constexpr int customColourCount = 16;
using CustomColours = std::array<Colour, customColourCount>;

// Opens on initial, offers the custom colours, solid colours only; answers the chosen
// colour, or nothing when cancelled.
using ColourPicker =
    std::function<std::optional<Colour>(Colour initial, const CustomColours& customColours)>;

// Every custom colour is the colour's start-up value (preset), not its current one; a
// cancelled picker keeps current.
Colour pickColour(Colour current, Colour preset, const ColourPicker& picker);

// Qt's colour widget with a swatch row of our own for the custom colours. Qt's own custom
// colours are hidden and never set: setting them makes Qt write a settings file of its own at
// exit, and the game writes nothing but its settings.
class ColourPickerDialog : public QDialog {
  public:
    ColourPickerDialog(Colour initial, const CustomColours& customColours,
                       QWidget* parent = nullptr);

    Colour colour() const;
    void setColour(Colour colour);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QColorDialog* picker = nullptr;
};

// The picker the game uses: a modal ColourPickerDialog owned by the active window.
std::optional<Colour> runColourPickerDialog(Colour initial, const CustomColours& customColours);

} // namespace kelvaro
