#pragma once

#include <windows.h>

#include <string>

#include "platform/uilib/UIExport.h"

class CPaintManagerUI;
class ImageData;
struct ImageAttribute;

// Drawing helpers shared by the controls. Colours are 0xAARRGGBB.
class UILIB_API CRenderEngine {
public:
    static void DrawColor(HDC hDC, const RECT& rect, DWORD color);
    static void DrawRect(HDC hDC, const RECT& rect, int size, DWORD color);
    static void FillRoundRect(HDC hDC, const RECT& rect, int width, int height, DWORD color);
    static void DrawRoundRect(HDC hDC, const RECT& rect, int size, int width, int height,
                              DWORD color);

    // Draws an image attribute value into rect (a control's rectangle; the
    // value's dest is relative to it). False when the image is not found.
    static bool DrawImageString(HDC hDC, CPaintManagerUI* manager, const RECT& rect,
                                const std::wstring& image);
    // The nine-grid drawing itself: source and corner in the picture's pixels,
    // dest and destCorner in screen pixels.
    static void DrawImage(HDC hDC, const ImageData& image, const RECT& dest, const RECT& source,
                          const RECT& corner, const RECT& destCorner, BYTE fade);

    // DrawText with the window's font (index) and the DT_ style.
    static void DrawText(HDC hDC, CPaintManagerUI* manager, const RECT& rect, LPCTSTR text,
                         DWORD color, int font, UINT style);
    // Draws label markup (see LabelMarkup.h) on one or more lines.
    static void DrawHtmlText(HDC hDC, CPaintManagerUI* manager, const RECT& rect, LPCTSTR text,
                             DWORD color, int font, UINT style);
    static SIZE GetTextSize(HDC hDC, CPaintManagerUI* manager, LPCTSTR text, int font, UINT style);
};

// 0xAARRGGBB to a GDI COLORREF (alpha dropped).
inline COLORREF ToColorRef(DWORD color) {
    return RGB((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
}
