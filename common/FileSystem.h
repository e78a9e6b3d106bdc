#pragma once

#include <string>
#include <string_view>

// Small file system questions and steps on wide paths.

// True when path names something that exists (file or folder).
bool PathExists(const std::wstring& path);
// True when path names an existing file, not a folder.
bool FileExists(const std::wstring& path);
// True when path names an existing folder.
bool FolderExists(const std::wstring& path);

// Creates the folder and every missing folder above it. True when the folder
// exists afterwards.
bool CreateFolderTree(const std::wstring& folder);

// The folder path without the separators it ends in, except where they are
// part of a root: "C:\" and "\" stay as they are, "C:\Results\" becomes
// "C:\Results".
std::wstring WithoutTrailingSeparator(std::wstring_view folder);

// folder + "\" + name, without doubling a separator that folder already ends in.
std::wstring JoinPath(std::wstring_view folder, std::wstring_view name);

// The full path of the running executable.
std::wstring ModuleFilePath();

// Reads the whole file at path into bytes (binary, no translation). False when
// the file can not be opened or read; bytes then holds nothing.
bool ReadFileBytes(const std::wstring& path, std::string& bytes);

// The first name in folder that is not taken: stem + extension, else stem
// followed by 1, 2, 3 ... and extension ("pic.jpg", "pic1.jpg", ...).
std::wstring FirstFreePath(std::wstring_view folder, const std::wstring& stem,
                           const std::wstring& extension);

// True when name ends in suffix, letters compared without regard to case
// (".TXT" ends a name as ".txt" does).
bool EndsWithIgnoringCase(std::wstring_view name, std::wstring_view suffix);

// The file part of a path: what follows its last "\" or "/" (the whole path
// when it has neither).
std::wstring FileNameOf(std::wstring_view path);
