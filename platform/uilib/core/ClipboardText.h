#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The clipboard's Unicode text, or nothing when it holds none or another
// program has it open.
std::optional<std::wstring> ReadClipboardText(HWND owner);
