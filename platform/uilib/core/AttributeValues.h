#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/uilib/UIExport.h"

// Parsing of layout attribute values. Numbers the text lacks stay 0, so
// "4,2" read as a rectangle is {4,2,0,0}, as the layouts expect.

UILIB_API RECT ParseRect(std::wstring_view text);
UILIB_API SIZE ParseSize(std::wstring_view text);
UILIB_API int ParseInt(std::wstring_view text);
// "true" (any case) or a non-zero number.
UILIB_API bool ParseBool(std::wstring_view text);
// "#AARRGGBB", "#RRGGBB" (opaque) or "0xAARRGGBB"; 0 when unreadable.
UILIB_API DWORD ParseColor(std::wstring_view text);

// A list of name='value' (or name="value") pairs, as in Default entries, the
// image syntax and the menu layouts. Blanks around names and "=" are allowed.
UILIB_API std::vector<std::pair<std::wstring, std::wstring>> ParseAttributeList(
    std::wstring_view text);
