// Text needs Qt's font database, which needs a QGuiApplication; tests and benchmarks make
// one on first use, on the offscreen platform unless another is asked for.
#pragma once

#include <QGuiApplication>

namespace kelvaro {

inline void ensureGuiApplication() {
    if (QGuiApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "kelvaro-test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: at exit Qt's own statics may already be gone.
    new QGuiApplication(argc, argv);
}

} // namespace kelvaro
