#pragma once

#include <windows.h>

// The program: handles the command line's one-job switches, hands over to a
// running copy, or runs the main window until it is closed. Returns the
// process's exit code.
int RunProgram(HINSTANCE instance);
