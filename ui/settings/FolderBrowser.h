#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The system's folder browser, modal over owner, opened at startFolder when
// that exists. The chosen folder's path, or nothing when the user cancelled
// or chose something that is not a folder of the file system. The path ends
// in no separator unless it is a drive root.
std::optional<std::wstring> BrowseForFolder(HWND owner, const std::wstring& startFolder);
