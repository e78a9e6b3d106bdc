#pragma once

#include <windows.h>

#include <string>

// Makes the folder a run writes its files into: baseName under saveFolder,
// or baseName1, baseName2 ... when that exists. Empty when saveFolder is
// empty or no folder could be created.
std::wstring CreateOutputFolder(const std::wstring& saveFolder, const std::wstring& baseName);

// Opens the folder in Explorer with its first file selected.
void OpenFolderShowingFirstFile(const std::wstring& folder);
