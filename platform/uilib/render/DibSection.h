#pragma once

#include <windows.h>

// A 32-bit, top-down DIB section of width x height (bits receives its
// pixels), the surface every picture and buffer of the library uses. Null
// on failure.
HBITMAP CreateTopDownDib(HDC dc, int width, int height, void** bits);
