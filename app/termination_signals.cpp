#include "app/termination_signals.h"

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace kelvaro {

namespace {

constexpr int terminationSignals[] = {SIGTERM, SIGINT, SIGHUP};

// A signal handler may do next to nothing: it writes a byte, which the event loop reads.
int signalSocket[2] = {-1, -1};

void onTerminationSignal(int) {
    // The interrupted code may be about to read errno; a failed write must not change it.
    const int interruptedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalSocket[0], &byte, 1);
    errno = interruptedErrno;
}

} // namespace

void catchTerminationSignals() {
    // Non-blocking, so that a burst of signals can never hold the handler up.
    if (signalSocket[0] < 0 &&
        ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, signalSocket) != 0)
        return;
    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signalNumber : terminationSignals) {
        struct sigaction before {};
        ::sigaction(signalNumber, nullptr, &before);
        // A signal the starter chose to ignore stays ignored: "nohup kelvaro" survives its
        // terminal, a game started in the background of a script survives Ctrl+C.
        if (before.sa_handler == SIG_IGN) continue;
        ::sigaction(signalNumber, &action, nullptr);
    }
}

std::unique_ptr<QObject> watchTerminationSignals(std::function<void()> end) {
    if (signalSocket[1] < 0) return nullptr;
    auto watcher = std::make_unique<QSocketNotifier>(signalSocket[1], QSocketNotifier::Read);
    QObject::connect(watcher.get(), &QSocketNotifier::activated, watcher.get(),
                     [end = std::move(end)] {
                         char byte = 0;
                         [[maybe_unused]] const auto got = ::read(signalSocket[1], &byte, 1);
                         end();
                     });
    return watcher;
}

} // namespace kelvaro
