#pragma once

namespace wumpex {

// The life of the process on the installed desktop: hides the application window, builds
// the main window and runs the message loop. Returns the exit code: 0 after a quit
// request, 1 when start-up failed (after the "Application Error" report).
int RunWumpex();

}  // namespace wumpex
