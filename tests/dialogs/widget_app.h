// Widget tests need a QApplication; it is made once, on the offscreen platform unless another
// is asked for.
#pragma once

#include <QApplication>

namespace kelvaro {

inline void ensureWidgetApplication() {
    if (QApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "kelvaro-dialogs-test";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
}

} // namespace kelvaro
