#include "common/FileSystem.h"

#include <windows.h>
#include <shlobj.h>

#include <cwctype>

#include "common/Win32Handles.h"

namespace {

DWORD AttributesOf(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

bool EndsInSeparator(std::wstring_view path) {
    return !path.empty() && (path.back() == L'\\' || path.back() == L'/');
}

}  // namespace

bool PathExists(const std::wstring& path) { return AttributesOf(path) != INVALID_FILE_ATTRIBUTES; }

bool FileExists(const std::wstring& path) {
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::wstring& path) {
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool CreateFolderTree(const std::wstring& folder) {
    if (folder.empty()) {
        return false;
    }
    if (FolderExists(folder)) {
        return true;
    }
    // The shell function takes no trailing separator on some systems.
    SHCreateDirectoryExW(nullptr, WithoutTrailingSeparator(folder).c_str(), nullptr);
    return FolderExists(folder);
}

std::wstring WithoutTrailingSeparator(std::wstring_view folder) {
    // A separator after a drive ("C:\") or alone ("\") names a root.
    while (folder.size() > 1 && EndsInSeparator(folder) && folder[folder.size() - 2] != L':') {
        folder.remove_suffix(1);
    }
    return std::wstring(folder);
}

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
    std::wstring path(folder);
    if (!path.empty() && !EndsInSeparator(path)) {
        path += L'\\';
    }
    path += name;
    return path;
}

std::wstring ModuleFilePath() {
    // Long enough for any path the system hands out, including "\\?\" ones.
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length < path.size() ? length : 0);
    return path;
}

bool ReadFileBytes(const std::wstring& path, std::string& bytes) {
    bytes.clear();
    KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!Valid(file)) return false;
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > 0x7FFFFFFF) return false;
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() &&
        !ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
        bytes.clear();
        return false;
    }
    bytes.resize(read);
    return true;
}

bool EndsWithIgnoringCase(std::wstring_view name, std::wstring_view suffix) {
    if (name.size() < suffix.size()) {
        return false;
    }
    const std::wstring_view end = name.substr(name.size() - suffix.size());
    for (size_t i = 0; i < suffix.size(); ++i) {
        if (std::towlower(end[i]) != std::towlower(suffix[i])) {
            return false;
        }
    }
    return true;
}

std::wstring FileNameOf(std::wstring_view path) {
    const size_t separator = path.find_last_of(L"\\/");
    return std::wstring(separator == std::wstring_view::npos ? path : path.substr(separator + 1));
}

std::wstring FirstFreePath(std::wstring_view folder, const std::wstring& stem,
                           const std::wstring& extension) {
    std::wstring path = JoinPath(folder, stem + extension);
    for (unsigned number = 1; PathExists(path); ++number)
        path = JoinPath(folder, stem + std::to_wstring(number) + extension);
    return path;
}
