#pragma once
// The program block: one copy per user session, the main window, the message loop.

namespace app {

// Runs the program over the installed platform; returns the process's exit code.
int RunProgram();

}  // namespace app
