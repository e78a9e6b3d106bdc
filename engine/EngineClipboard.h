#pragma once

#include <string>

#include "engine/ClipboardSnapshot.h"

// The name of the private clipboard format the engine leaves its text in.
inline constexpr wchar_t kEngineClipboardFormat[] = L"ZIDAV_FMT";

// Takes the engine's text off the clipboard: the block of the engine's format
// as bytes (empty when there is none, or when it is empty or starts with a
// zero byte). When the block is there, the engine replaced what the user had
// copied: the clipboard gets userContent back instead, so neither the engine's
// private data stays behind nor the user's is lost.
std::string TakeEngineClipboardText(const ClipboardSnapshot& userContent);
