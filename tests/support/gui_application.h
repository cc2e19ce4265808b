// Qt wants its application object before fonts, pictures read through the platform or
// widgets. Tests and benchmarks make one on first use, on the offscreen platform unless
// another is asked for.
#pragma once

#include <QGuiApplication>

namespace kelvaro {

// Makes the program's one App if no application object exists yet.
template <class App> void ensureApplicationOf() {
    if (QCoreApplication::instance() != nullptr) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "kelvaro-test";
    static char* argv[] = {name, nullptr};
    // Never destroyed: at exit Qt's own statics (fonts, the platform plugin) may already be gone.
    new App(argc, argv);
}

// Text needs Qt's font database, which needs a QGuiApplication.
inline void ensureGuiApplication() {
    ensureApplicationOf<QGuiApplication>();
}

} // namespace kelvaro
