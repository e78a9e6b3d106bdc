#pragma once

#include <functional>
#include <string>

// Formats a trace line (printf style, at most 511 characters) and writes it to
// the debugger output.
void DebugTrace(const wchar_t* format, ...);

// Replaces where traces go; an empty function restores the debugger output.
// Tests use it to read what was traced. Set it before any thread traces.
using DebugTraceSink = std::function<void(const std::wstring&)>;
void SetDebugTraceSink(DebugTraceSink sink);
