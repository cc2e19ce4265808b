#include "app/application.h"

#include "app/command_line.h"
#include "app/main_frame.h"
#include "app/termination_signals.h"
#include "game/game_keeping.h"
#include "store/file_registry.h"
#include "store/kept_game_file.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <memory>
#include <random>
#include <unistd.h>

namespace kelvaro {

namespace {

QIcon applicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/kelvaro-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

// The one road out for the session's signals. It runs on the user-interface thread between
// two events, so never inside a save, and it never returns: the event loop's own way out
// closes the windows first (which asks the abandon question with a clock running) and lets a
// command go on after its dialog or message box (Options would save). The settings are never
// saved at exit; with kept games on, the game in progress is kept, without a word, since
// nobody is left to read one. Whatever must stop before the process goes stops here. frame is
// null while the start is still building the window.
//
// _exit runs no destructors and no exit handlers, and so no LeakSanitizer check in a
// sanitizer build either: nothing was released, so every block is still in use and there is
// nothing to judge. The closed window's exit, which does release, stays checked.
[[noreturn]] void endBySignal(MainFrame* frame) {
    // A worker preparing a puzzle is stopped and joined: no thread is left running into the
    // exit. Everything else the frame owns goes with the process.
    if (frame != nullptr) {
        cancelPreparation(frame->world().preparation);
        keepGameNow(frame->world(), true);
    }
    ::_exit(0);
}

} // namespace

int runApplication(int argc, char** argv) {
    const CommandLine line = readCommandLine(argc, argv);
    switch (line.action) {
    case CommandLineAction::help:
        std::fputs(commandLineHelp(), stdout);
        return 0;
    case CommandLineAction::version:
        std::puts(versionLine().c_str());
        return 0;
    case CommandLineAction::fail:
        std::fprintf(stderr, "kelvaro: %s (see kelvaro --help)\n", line.error.c_str());
        return 2;
    case CommandLineAction::play:
        break;
    }
    catchTerminationSignals();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kelvaro"));
    // Lets Wayland shells match the window to the installed launcher entry.
    QGuiApplication::setDesktopFileName(QStringLiteral("com.dravix.Kelvaro"));
    QApplication::setWindowIcon(applicationIcon());

    MainFrame* built = nullptr;
    const std::unique_ptr<QObject> signalWatch =
        watchTerminationSignals([&built] { endBySignal(built); });

    FileRegistry registry;
    KeptGameFile keeper;
    // The source of every game's seed is seeded once, here, so that every run brings new
    // puzzles; each game then starts the random source again from its own seed.
    MainFrame frame(registry, std::random_device{}(), {}, line.puzzle, &keeper);
    built = &frame;

    frame.showAndStart();
    const int status = QApplication::exec();
    releaseBackBuffer(frame.backBuffer());
    return status;
}

} // namespace kelvaro
