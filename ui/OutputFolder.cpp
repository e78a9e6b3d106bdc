#include "ui/OutputFolder.h"

#include <shellapi.h>

#include "common/FileSystem.h"
#include "common/Win32Handles.h"

namespace {

// Gives up after this many numbered folders: a save folder that holds them
// all is not one to fill further.
constexpr int kMaxNumberedFolders = 10000;

}  // namespace

std::wstring CreateOutputFolder(const std::wstring& saveFolder, const std::wstring& baseName) {
    if (saveFolder.empty()) return {};
    const std::wstring base = JoinPath(saveFolder, baseName);
    for (int number = 0; number < kMaxNumberedFolders; ++number) {
        const std::wstring candidate = number == 0 ? base : base + std::to_wstring(number);
        if (PathExists(candidate)) continue;
        return CreateFolderTree(candidate) ? candidate : std::wstring();
    }
    return {};
}

void OpenFolderShowingFirstFile(const std::wstring& folder) {
    std::wstring target = folder;
    WIN32_FIND_DATAW found = {};
    FindHandle search(FindFirstFileW(JoinPath(folder, L"*").c_str(), &found));
    for (bool more = search.get() != INVALID_HANDLE_VALUE; more;
         more = FindNextFileW(search.get(), &found)) {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            target = JoinPath(folder, found.cFileName);
            break;
        }
    }
    const std::wstring parameters = L" /select," + target;
    ShellExecuteW(nullptr, L"open", L"Explorer.exe", parameters.c_str(), nullptr, SW_SHOWNORMAL);
}
