#pragma once

#include <string>

// The clipboard format the program reads the engine's result in.
constexpr wchar_t kResultClipboardFormat[] = L"ZIDAV_FMT";

// Puts the text (ANSI code page) on the clipboard in the result format, as one
// block ending with a zero byte, replacing what the clipboard held.
bool PutResultOnClipboard(const std::string& ansiText);

// When a result block is on the clipboard (left by an engine that was too
// late for an earlier picture), replaces it by an empty one, so that it is not
// taken for this picture's text. Anything else on the clipboard is left alone.
void ClearStaleResult();
