#include "app/TraceLog.h"

#include <cstdarg>
#include <cstdio>
#include <cwchar>
#include <mutex>

#include "common/StringConversion.h"
#include "common/Win32Handles.h"

namespace {

// Room of a message and of a whole line, terminating zero included.
constexpr size_t kMessageCapacity = 512;
constexpr size_t kLineCapacity = 528;
// Characters of the log file path that are kept.
constexpr size_t kMaxPathLength = 259;

constexpr char kLineEnd[] = "\r\n";
constexpr size_t kLineEndLength = sizeof(kLineEnd) - 1;

std::mutex& PathMutex() {
    static std::mutex mutex;
    return mutex;
}

std::wstring& LogPath() {
    static std::wstring path = L"c:\\ftlog.log";
    return path;
}

// The longest start of message whose ANSI form has at most maxBytes bytes,
// in whole characters (a surrogate pair counts as one).
std::string AnsiPrefix(std::wstring_view message, size_t maxBytes) {
    std::string ansi;
    size_t at = 0;
    while (at < message.size()) {
        const size_t length = IS_HIGH_SURROGATE(message[at]) && at + 1 < message.size() ? 2 : 1;
        const std::string character = WideToAnsi(message.substr(at, length));
        if (ansi.size() + character.size() > maxBytes) {
            break;
        }
        ansi += character;
        at += length;
    }
    return ansi;
}

void AppendToFile(const std::wstring& path, const std::string& line) {
    KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!Valid(file)) {
        return;
    }
    SetFilePointer(file.get(), 0, nullptr, FILE_END);
    DWORD written = 0;
    WriteFile(file.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace

void SetTraceLogFile(std::wstring_view path) {
    std::lock_guard<std::mutex> lock(PathMutex());
    LogPath() = std::wstring(path.substr(0, kMaxPathLength));
}

std::wstring TraceLogFile() {
    std::lock_guard<std::mutex> lock(PathMutex());
    return LogPath();
}

std::string BuildTraceLine(const SYSTEMTIME& time, std::wstring_view message) {
    char prefix[64];
    std::snprintf(prefix, sizeof(prefix), "[%d/%d %d:%d:%d]-", time.wMonth, time.wDay, time.wHour,
                  time.wMinute, time.wSecond);
    std::string line = prefix;
    const size_t room = kLineCapacity - 1 - line.size() - kLineEndLength;
    std::string ansi = WideToAnsi(message);
    line += ansi.size() <= room ? ansi : AnsiPrefix(message, room);
    line += kLineEnd;
    return line;
}

void LogTrace(const wchar_t* format, ...) {
    wchar_t message[kMessageCapacity];
    va_list args;
    va_start(args, format);
    const int length = _vsnwprintf(message, kMessageCapacity - 1, format, args);
    va_end(args);
    // A cut message leaves the buffer without its terminating zero.
    message[length < 0 ? kMessageCapacity - 1 : static_cast<size_t>(length)] = L'\0';

    SYSTEMTIME now;
    GetLocalTime(&now);
    AppendToFile(TraceLogFile(), BuildTraceLine(now, message));
}
