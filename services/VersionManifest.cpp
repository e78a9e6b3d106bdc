#include "services/VersionManifest.h"

#include <algorithm>
#include <cwctype>
#include <string_view>

namespace {

constexpr std::wstring_view kVersionMark = L"version=";
// Longer texts are not a version: a page of something else, a binary file.
constexpr size_t kMaxVersionLength = 64;

void TrimTrailingSpace(std::wstring& text) {
    while (!text.empty() && std::iswspace(text.back())) text.pop_back();
}

bool IsDottedNumber(const std::wstring& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](wchar_t c) {
        return c == L'.' || (c >= L'0' && c <= L'9');
    });
}

// The next dot-separated part of text from position as a number, leading
// zeros ignored; position moves past the part and its dot.
std::wstring_view NextPart(std::wstring_view text, size_t& position) {
    size_t end = text.find(L'.', position);
    if (end == std::wstring_view::npos) end = text.size();
    std::wstring_view part = text.substr(position, end - position);
    position = end < text.size() ? end + 1 : end;
    while (part.size() > 1 && part.front() == L'0') part.remove_prefix(1);
    return part;
}

// -1, 0 or 1 as a is before, equal to or after b, part by part; a missing
// part counts as 0. Parts compare by length first, so any number of digits works.
int CompareDottedNumbers(std::wstring_view a, std::wstring_view b) {
    size_t atA = 0;
    size_t atB = 0;
    while (atA < a.size() || atB < b.size()) {
        std::wstring_view partA = NextPart(a, atA);
        std::wstring_view partB = NextPart(b, atB);
        if (partA.empty()) partA = L"0";
        if (partB.empty()) partB = L"0";
        if (partA.size() != partB.size()) return partA.size() < partB.size() ? -1 : 1;
        if (int order = partA.compare(partB)) return order < 0 ? -1 : 1;
    }
    return 0;
}

}  // namespace

std::optional<std::wstring> OfferedVersion(std::wstring answer) {
    answer.erase(std::remove_if(answer.begin(), answer.end(),
                                [](wchar_t c) { return c == L'\n' || c == L'\t'; }),
                 answer.end());
    if (answer.compare(0, kVersionMark.size(), kVersionMark) != 0) return std::nullopt;
    std::wstring version = answer.substr(kVersionMark.size());
    TrimTrailingSpace(version);
    if (version.empty() || version.size() > kMaxVersionLength) return std::nullopt;
    return version;
}

bool IsNewerVersion(std::wstring offered, std::wstring installed) {
    TrimTrailingSpace(offered);
    TrimTrailingSpace(installed);
    if (IsDottedNumber(offered) && IsDottedNumber(installed))
        return CompareDottedNumbers(offered, installed) > 0;
    return offered > installed;
}
