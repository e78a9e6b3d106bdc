#include "app/FolderCleanup.h"

#include <windows.h>

#include <cstdlib>
#include <cwctype>

#include "app/AppFolders.h"
#include "common/FileSystem.h"
#include "common/Win32Handles.h"

namespace {

bool IsDotEntry(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// The extension with its leading dot, whether or not the caller wrote it.
std::wstring DottedExtension(std::wstring_view extension) {
    if (extension.empty() || extension.front() == L'.') {
        return std::wstring(extension);
    }
    return L"." + std::wstring(extension);
}

// suffix is empty (every file) or a dotted extension.
bool EmptyFolderOf(const std::wstring& folder, const std::wstring& suffix, bool removeFolders) {
    WIN32_FIND_DATAW entry;
    FindHandle find(FindFirstFileW(JoinPath(folder, L"*").c_str(), &entry));
    if (find.get() == INVALID_HANDLE_VALUE) {
        return false;
    }
    do {
        if (IsDotEntry(entry.cFileName)) {
            continue;
        }
        const std::wstring path = JoinPath(folder, entry.cFileName);
        const bool isFolder = entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        const bool isLink = entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
        if (!isFolder) {
            if (suffix.empty() || EndsWithIgnoringCase(entry.cFileName, suffix)) {
                DeleteFileW(path.c_str());
            }
        } else if (isLink) {
            // Removing a folder link removes the link, never the folder it points to.
            if (removeFolders) {
                RemoveDirectoryW(path.c_str());
            }
        } else {
            EmptyFolderOf(path, {}, removeFolders);
        }
    } while (FindNextFileW(find.get(), &entry));
    find.reset();
    if (removeFolders) {
        RemoveDirectoryW(folder.c_str());
    }
    return true;
}

}  // namespace

bool EmptyFolder(const std::wstring& folder, std::wstring_view extension, bool removeFolders) {
    return EmptyFolderOf(folder, DottedExtension(extension), removeFolders);
}

void RemoveCompressFolder(const std::wstring& tempFolder) {
    EmptyFolder(CompressFolder(tempFolder), {}, true);
}

void InstallExitCleanup() {
    static const bool installed =
        std::atexit([] { RemoveCompressFolder(SystemTempFolder()); }) == 0;
    (void)installed;
}
