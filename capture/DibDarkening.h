#pragma once

#include <windows.h>

#include <cstddef>

// How much the overlay lowers each colour of the screen's copy.
inline constexpr BYTE kDarkening = 50;

// Darkens the picture of a DIB block of size bytes in place, for the
// overlay's background. At 24 and 32 bits per pixel blue, green and red of
// every pixel are lowered by kDarkening (never below 0) and the fourth byte
// of 32-bit pixels is kept; at 1, 4 and 8 bits the colour table turns grey
// instead; other depths stay as they are. A header that claims more than
// size holds leaves the block untouched.
void DarkenDib(BITMAPINFOHEADER* header, size_t size);
