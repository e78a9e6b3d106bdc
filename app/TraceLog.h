#pragma once

#include <windows.h>

#include <string>
#include <string_view>

// The trace log: one line per call, appended to a text file in the thread's
// ANSI code page. Traces to the debugger output are DebugTrace's
// (common/DebugTrace.h).

// The log file; "c:\ftlog.log" until start-up names "run.log" in the data
// folder. The first 259 characters of path are used.
void SetTraceLogFile(std::wstring_view path);
std::wstring TraceLogFile();

// Formats the message (printf style, at most 511 characters) and appends it as
// one line. The file is opened for this line only and without sharing; when it
// can not be opened (another thread is writing, the folder is read-only) the
// line is dropped.
void LogTrace(const wchar_t* format, ...);

// The line LogTrace writes for message at time: "[month/day hour:minute:second]-",
// the message, "\r\n". The line fits a 528-byte buffer with its terminating
// zero, so at most 527 bytes: a longer message is cut after its last whole
// character that fits, and the line still ends in "\r\n".
std::string BuildTraceLine(const SYSTEMTIME& time, std::wstring_view message);
