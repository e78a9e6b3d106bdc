#pragma once

#include <memory>
#include <string>
#include <vector>

struct Pix;

struct PixDeleter {
    void operator()(Pix* picture) const;
};
using PixPtr = std::unique_ptr<Pix, PixDeleter>;

// Reads a whole file into bytes; false when it is missing, unreadable or
// larger than maxBytes.
bool ReadWholeFile(const std::wstring& path, size_t maxBytes, std::vector<char>& bytes);

// The BMP picture at path, or null when the file is missing, unreadable or
// not a BMP that Leptonica can decode.
PixPtr ReadBmpPicture(const std::wstring& path);
