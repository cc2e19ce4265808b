// Widgets need a QApplication, made once for the whole test program.
#pragma once

#include "gui_application.h"

#include <QApplication>

namespace kelvaro {

inline void ensureWidgetApplication() {
    ensureApplicationOf<QApplication>();
}

} // namespace kelvaro
