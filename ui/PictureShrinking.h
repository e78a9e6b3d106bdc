#pragma once

#include <string>

// The picture to queue for path: when the picture is wider or higher than
// maxImageSize, a PNG copy whose longer side is maxImageSize - 96 pixels,
// written under compressFolder in a folder named after the MD5 of the path;
// otherwise (or when no copy can be made) path itself. GDI+ must be running.
std::wstring ShrunkPictureFor(const std::wstring& path, int maxImageSize,
                              const std::wstring& compressFolder);
