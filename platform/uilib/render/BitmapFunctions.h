#pragma once

#include <windows.h>

#include "platform/uilib/UIExport.h"

// Device-independent pictures in movable global memory ("DIB blocks"): a
// BITMAPINFOHEADER, the colour table when there is one, then the rows,
// bottom-up, each padded to 4 bytes. Used by the screen capture.

// A new device-dependent bitmap holding the screen rectangle (screen pixels).
UILIB_API HBITMAP CopyScreenToBitmap(const RECT* rect);
// The bitmap as a 24-bit DIB block, or null. palette may be null.
UILIB_API HANDLE BitmapToDIB(HBITMAP bitmap, HPALETTE palette = nullptr);
// A copy of a global memory block, or null.
UILIB_API HANDLE CopyHandle(HANDLE block);
// Bytes of one row of width pixels at bitsPerPixel, padded to 4 bytes.
UILIB_API DWORD BytesPerLine(int width, int bitsPerPixel);
// Where the rows of a DIB start, counted in bytes from its header: after the
// header, the three colour masks of a BI_BITFIELDS picture with a plain
// BITMAPINFOHEADER, and the colour table (biClrUsed entries, or one per
// colour of a picture of 8 bits or fewer when biClrUsed is 0).
UILIB_API DWORD DIBPixelOffset(const BITMAPINFOHEADER* header);
UILIB_API int DIBWidth(HANDLE dib);
UILIB_API int DIBHeight(HANDLE dib);
// Draws the source rectangle of the picture into the destination rectangle.
UILIB_API bool PaintDIB(HDC dc, const RECT* dest, HANDLE dib, const RECT* source);
UILIB_API bool PaintBitmap(HDC dc, const RECT* dest, HBITMAP bitmap, const RECT* source,
                           HPALETTE palette = nullptr);
UILIB_API void DestroyDIB(HANDLE dib);
