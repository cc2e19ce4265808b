// The OK and Cancel buttons a desktop dialog needs below its template.
#pragma once

class QDialog;
class QRect;

namespace kelvaro {

// Adds OK (object name "1") and Cancel ("2") under the template's area and sizes the dialog
// around both. templateArea is the template's size in pixels.
void addDialogButtons(QDialog& dialog, const QRect& templateArea);

} // namespace kelvaro
