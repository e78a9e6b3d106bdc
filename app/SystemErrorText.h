#pragma once

#include <windows.h>

#include <string>

// Stands for "the calling thread's last error".
inline constexpr DWORD kLastError = static_cast<DWORD>(-1);

// The system's text for an error code (kLastError: GetLastError()); empty when
// the system has none.
std::wstring SystemErrorText(DWORD code = kLastError);

// Writes SystemErrorText(code) to the debugger output.
void TraceSystemError(DWORD code = kLastError);
