#include "app/application.h"

#include "app/main_frame.h"
#include "store/file_registry.h"

#include <QApplication>
#include <QIcon>
#include <QSocketNotifier>
#include <csignal>
#include <memory>
#include <random>
#include <sys/socket.h>
#include <unistd.h>

namespace kelvaro {

namespace {

// SIGTERM (a session ending, a service manager) ends the program at once, through the same
// exit step as a closed window. No one is there to answer a question, and nothing of a game
// in progress is ever saved. The handler may only write to a socket.
int terminationSocket[2] = {-1, -1};

void onTerminate(int) {
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(terminationSocket[0], &byte, 1);
}

void catchTermination() {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, terminationSocket) != 0) return;
    struct sigaction action {};
    action.sa_handler = onTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
}

QIcon applicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/kelvaro-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

} // namespace

int runApplication(int argc, char** argv) {
    catchTermination();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvaro"));
    // Lets Wayland shells match the window to the installed launcher entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.dravix.Kelvaro"));
    QApplication::setWindowIcon(applicationIcon());

    FileRegistry registry;
    // Seeded once, here, so that every run brings new puzzles; nothing seeds it again.
    MainFrame frame(registry, std::random_device{}());

    std::unique_ptr<QSocketNotifier> termination;
    if (terminationSocket[1] >= 0) {
        termination =
            std::make_unique<QSocketNotifier>(terminationSocket[1], QSocketNotifier::Read);
        QObject::connect(termination.get(), &QSocketNotifier::activated, &frame, [] {
            char byte = 0;
            [[maybe_unused]] const auto got = ::read(terminationSocket[1], &byte, 1);
            QApplication::quit();
        });
    }

    frame.showAndStart();
    const int status = QApplication::exec();
    releaseBackBuffer(frame.backBuffer());
    return status;
}

} // namespace kelvaro
