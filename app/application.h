// The application: its start, the main window's life and its exit.
#pragma once

namespace kelvaro {

// Creates the application and the main window, runs until the window closes, then releases
// the back buffer. Returns the process's exit status.
int runApplication(int argc, char** argv);

} // namespace kelvaro
