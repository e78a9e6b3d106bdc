#pragma once

#include <windows.h>

#include <string>

// The built-in view's notice for an address it cannot show.

// Why such an address is not shown, as loading finished reports it.
extern const wchar_t kNoWebEngineReason[];

// Draws the notice for address into area of dc (white background). With offerLink it also draws
// the link that opens the address in the default browser, and returns where the link is;
// otherwise an empty rectangle.
RECT PaintNotice(HDC dc, const RECT& area, const std::wstring& address, bool offerLink);
