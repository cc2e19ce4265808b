// The buttons a desktop dialog needs below its template.
#pragma once

#include <cstdint>

class QDialog;
class QDialogButtonBox;
class QPushButton;
class QRect;
class QString;

namespace kelvaro {

// OK (object name "1", the id the platform gives its own OK) and Cancel ("2"), wired to the
// dialog's accept and reject; the caller places the box.
QDialogButtonBox* makeOkCancelButtons(QDialog& dialog);

// "Close" in English, "Fermer" in French (any language but 0).
QString closeCaption(std::int32_t language);

// Adds one Close button under the template's area, the default button, and sizes the dialog
// around it. It rejects the dialog, as Escape and the window's close button do, so the three
// end the dialog the same way. Its object name is "2", the id the platform gives the command
// that Escape and the close button send. templateArea is the template's size in pixels.
QPushButton* addCloseButton(QDialog& dialog, const QRect& templateArea, std::int32_t language);

} // namespace kelvaro
