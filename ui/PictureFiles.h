#pragma once

#include <string>
#include <string_view>
#include <vector>

// Paths longer than this are not taken from drops and open dialogs.
inline constexpr size_t kMaxPicturePath = 259;

// True for the picture files the program reads: ".png", ".jpg", ".jpeg" and
// ".bmp", in any letter case.
bool IsPictureFile(std::wstring_view path);

// The files chosen in a multiple-selection open dialog: its buffer holds
// either one full path, or the folder followed by the chosen names, each
// ending in a zero and the list in a second zero. Paths that would be longer
// than kMaxPicturePath are left out.
std::vector<std::wstring> ChosenFiles(const wchar_t* buffer);
