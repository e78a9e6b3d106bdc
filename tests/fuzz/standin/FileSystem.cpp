#include "common/FileSystem.h"

// Files are not what is fuzzed: every picture reads as the same few bytes and
// no spreadsheet exists yet, so the answers alone decide what happens.

bool PathExists(const std::wstring&) { return false; }

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
    std::wstring path(folder);
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path += L'\\';
    return path + std::wstring(name);
}

bool ReadFileBytes(const std::wstring&, std::string& bytes) {
    bytes = "picture";
    return true;
}
