// The OK and Cancel buttons a desktop dialog needs below its template.
#pragma once

class QDialog;
class QDialogButtonBox;
class QRect;

namespace kelvaro {

// OK (object name "1", the id the platform gives its own OK) and Cancel ("2"), wired to the
// dialog's accept and reject; the caller places the box.
QDialogButtonBox* makeOkCancelButtons(QDialog& dialog);

// Adds OK (object name "1") and Cancel ("2") under the template's area and sizes the dialog
// around both. templateArea is the template's size in pixels.
void addDialogButtons(QDialog& dialog, const QRect& templateArea);

} // namespace kelvaro
