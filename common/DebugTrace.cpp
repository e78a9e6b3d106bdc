#include "common/DebugTrace.h"

#include <windows.h>

#include <cstdarg>
#include <cwchar>

namespace {

// Room for one trace line, terminating zero included.
constexpr size_t kTraceCapacity = 512;

DebugTraceSink& Sink() {
    static DebugTraceSink sink;
    return sink;
}

}  // namespace

void DebugTrace(const wchar_t* format, ...) {
    wchar_t buffer[kTraceCapacity];
    va_list args;
    va_start(args, format);
    int written = _vsnwprintf(buffer, kTraceCapacity - 1, format, args);
    va_end(args);
    // On truncation the runtime leaves the buffer unterminated.
    buffer[written < 0 ? kTraceCapacity - 1 : static_cast<size_t>(written)] = L'\0';
    if (Sink()) {
        Sink()(buffer);
    } else {
        OutputDebugStringW(buffer);
    }
}

void SetDebugTraceSink(DebugTraceSink sink) { Sink() = std::move(sink); }
