#pragma once

#include <windows.h>

#include <string>

// Puts text on the clipboard as Unicode text, replacing what it held. False
// when the clipboard is busy or there is no memory for the text.
bool CopyTextToClipboard(HWND owner, const std::wstring& text);
