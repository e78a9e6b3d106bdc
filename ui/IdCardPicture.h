#pragma once

#include <string>

// The two sides of an identity card as one picture for the comparison view:
// front on top, back below, each at its own size, on a canvas as wide as
// the wider side, drawn with high-quality bicubic interpolation, saved as a
// JPEG of quality 90 under a new name "idc….tmp" in folder (created when
// missing). Its path, or empty when a side can not be read or the picture
// can not be written. GDI+ must run.
std::wstring CombineIdCardSides(const std::wstring& front, const std::wstring& back,
                                const std::wstring& folder);
