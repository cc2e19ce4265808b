// The session's signals: SIGTERM (a logout, a service manager), SIGINT (Ctrl+C in the
// terminal that started the game) and SIGHUP (that terminal closing). Each one ends the
// program at once, whatever it is doing.
#pragma once

#include <QObject>
#include <functional>
#include <memory>

namespace kelvaro {

// Installs the handlers. Call it first, before the application object exists: a signal that
// comes during the start is then kept until it can be acted on.
void catchTerminationSignals();

// Calls end on the user-interface thread, between two events, once one of the signals has
// come; also while a modal dialog or message box runs its own loop. Needs the application
// object; the returned watcher stops watching when it is destroyed. Null when the signals are
// not caught.
std::unique_ptr<QObject> watchTerminationSignals(std::function<void()> end);

} // namespace kelvaro
