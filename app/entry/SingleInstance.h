#pragma once

// Shows and raises the main window of a running copy of the program, found
// by its window class. False when no copy is running.
bool ActivateRunningInstance(const wchar_t* windowClass);
