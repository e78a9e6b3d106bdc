#pragma once

#include <windows.h>

#include <string>

// Puts text on the clipboard as Unicode text, replacing what it held. A
// clipboard another program holds open is waited for a moment. False when it
// stays busy or there is no memory for the text.
bool CopyTextToClipboard(HWND owner, const std::wstring& text);
