#include "app/SystemErrorText.h"

#include <memory>

#include "common/DebugTrace.h"

namespace {

// The user's default language, as MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT).
constexpr DWORD kUserDefaultLanguage = 1024;

struct LocalFreer {
    void operator()(wchar_t* text) const { LocalFree(text); }
};

}  // namespace

std::wstring SystemErrorText(DWORD code) {
    if (code == kLastError) {
        code = GetLastError();
    }
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, kUserDefaultLanguage, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const std::unique_ptr<wchar_t, LocalFreer> owned(buffer);
    return length == 0 || !buffer ? std::wstring() : std::wstring(buffer, length);
}

void TraceSystemError(DWORD code) { DebugTrace(L"%ls", SystemErrorText(code).c_str()); }
