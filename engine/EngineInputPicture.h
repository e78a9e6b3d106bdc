#pragma once

#include <string>

// Writes the picture at picturePath to target as the engine reads it: an
// uncompressed 8-bit BMP with a 256-entry grey palette (grey = 0.299 red +
// 0.587 green + 0.114 blue, truncated), or a 24-bit BMP when the picture can
// not be converted. GDI+ must be running. False when target can not be
// replaced, the picture can not be read, or the BMP can not be saved.
bool WriteEngineInputPicture(const std::wstring& picturePath, const std::wstring& target);
