#pragma once

#include <string>

// The name of the private clipboard format the engine leaves its text in.
inline constexpr wchar_t kEngineClipboardFormat[] = L"ZIDAV_FMT";

// Takes the engine's text off the clipboard: the block of the engine's format
// as bytes (empty when there is none, or when it is empty or starts with a
// zero byte). When the block is there the clipboard is emptied, whatever it
// held, so that the engine's private data does not stay behind.
std::string TakeEngineClipboardText();
