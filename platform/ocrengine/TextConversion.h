#pragma once

#include <string>

// Conversions between the recogniser's UTF-8, Windows' UTF-16 and the ANSI
// code page the program reads the result in. Characters the ANSI code page
// lacks become its default character.
std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);
std::string Utf8ToAnsi(const std::string& text);
