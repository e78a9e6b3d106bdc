#pragma once

#include <windows.h>
// gdiplus.h needs the types of objidl.h, which the lean windows.h leaves out.
#include <objidl.h>
#include <gdiplus.h>

#include <optional>
#include <string>

// Writing pictures to files with GDI+'s encoders (link gdiplus). GDI+ must
// run (see GdiplusSession) while these are called.

// The class id of GDI+'s encoder for a MIME type ("image/jpeg", "image/png",
// "image/bmp"); false when GDI+ has none.
bool FindImageEncoder(const wchar_t* mimeType, CLSID& encoder);

// Writes picture to path in the format of mimeType; quality (0 to 100) is
// given to the encoder when set. False when nothing usable was written.
bool SaveImageFile(Gdiplus::Image& picture, const std::wstring& path, const wchar_t* mimeType,
                   std::optional<ULONG> quality = std::nullopt);

// Writes a device-dependent bitmap to path as a JPEG file of that quality.
bool SaveBitmapAsJpeg(HBITMAP bitmap, const std::wstring& path, ULONG quality);
