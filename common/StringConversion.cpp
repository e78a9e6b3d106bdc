#include "common/StringConversion.h"

#include <windows.h>

#include <climits>

namespace {

// The conversion functions count in int. A text longer than INT_MAX units can not be passed
// whole, and a cut would silently lose its end.
constexpr size_t kMaxMultiByteLength = INT_MAX;
// From UTF-16, one unit gives at most 3 bytes (UTF-8, or an ANSI code page of UTF-8), so this
// bound also keeps the byte count of the result within int.
constexpr size_t kMaxWideLength = INT_MAX / 3;

std::wstring MultiByteToWide(UINT codePage, DWORD flags, std::string_view text) {
    if (text.empty() || text.size() > kMaxMultiByteLength) {
        return {};
    }
    const int textLength = static_cast<int>(text.size());
    const int wideLength =
        MultiByteToWideChar(codePage, flags, text.data(), textLength, nullptr, 0);
    if (wideLength <= 0) {
        return {};
    }
    std::wstring wide(static_cast<size_t>(wideLength), L'\0');
    if (MultiByteToWideChar(codePage, flags, text.data(), textLength, wide.data(), wideLength) !=
        wideLength) {
        return {};
    }
    return wide;
}

std::string WideToMultiByte(UINT codePage, std::wstring_view wide) {
    if (wide.empty() || wide.size() > kMaxWideLength) {
        return {};
    }
    const int wideLength = static_cast<int>(wide.size());
    const int textLength =
        WideCharToMultiByte(codePage, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (textLength <= 0) {
        return {};
    }
    std::string text(static_cast<size_t>(textLength), '\0');
    if (WideCharToMultiByte(codePage, 0, wide.data(), wideLength, text.data(), textLength, nullptr,
                            nullptr) != textLength) {
        return {};
    }
    return text;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view utf8) {
    return MultiByteToWide(CP_UTF8, MB_ERR_INVALID_CHARS, utf8);
}

std::wstring Utf8ToWideReplacingInvalid(std::string_view utf8) {
    return MultiByteToWide(CP_UTF8, 0, utf8);
}

std::string WideToUtf8(std::wstring_view wide) { return WideToMultiByte(CP_UTF8, wide); }

std::wstring AnsiToWide(std::string_view ansi) { return MultiByteToWide(CP_THREAD_ACP, 0, ansi); }

std::string WideToAnsi(std::wstring_view wide) { return WideToMultiByte(CP_THREAD_ACP, wide); }
