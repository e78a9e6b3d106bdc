#pragma once

#include <string>

// Ends (exit code 0) every running process whose executable name, compared
// in lower case, is exeName (given in lower case), and waits briefly for each
// to be gone, so that it can no longer write to the clipboard.
void EndProcessesNamed(const std::wstring& exeName);
