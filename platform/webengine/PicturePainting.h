#pragma once

#include <windows.h>
// gdiplus.h needs the types of objidl.h, which the lean windows.h leaves out.
#include <objidl.h>
#include <gdiplus.h>

#include <memory>
#include <string>

// The built-in view's picture page: the picture read from its file and drawn into the view.

// The picture of file path as a bitmap of its own, so the file is not kept open; null when the
// file is missing or not a picture GDI+ reads.
std::unique_ptr<Gdiplus::Bitmap> LoadPicture(const std::wstring& path);

// Draws picture turned clockwise by quarterTurns quarter turns, fitted into area with its aspect
// kept, then scaled by zoom, centred on area.
void PaintPicture(HDC dc, const RECT& area, Gdiplus::Bitmap& picture, int quarterTurns, float zoom);
