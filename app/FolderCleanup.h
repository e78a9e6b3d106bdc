#pragma once

#include <string>
#include <string_view>

// Deletes every file of folder; with an extension (".png" or "png", compared
// without regard to case) only the files that end in it. Each sub-folder is emptied the
// same way but without the extension filter. With removeFolders, each emptied
// sub-folder and finally folder itself are removed as well. False when folder
// can not be listed.
//
// A sub-folder that is a link (junction or symbolic link) is never entered:
// emptying it would delete files that live elsewhere. With removeFolders the
// link itself is removed.
bool EmptyFolder(const std::wstring& folder, std::wstring_view extension, bool removeFolders);

// Deletes "pimloOCR\compress\" under tempFolder with everything in it.
void RemoveCompressFolder(const std::wstring& tempFolder);

// Has the compress folder of the system temporary folder deleted when the
// process exits normally. Calling it again does nothing more.
void InstallExitCleanup();
