#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/uilib/UIExport.h"

// An image attribute value: a plain file name, or
// "file='x.png' source='l,t,r,b' dest='l,t,r,b' corner='l,t,r,b' fade='255'".
// source is in the picture's pixels at 100 %; dest is relative to the
// control's top-left corner in layout units; corner is the nine-grid border
// kept unstretched.
struct ImageAttribute {
    std::wstring file;
    RECT source = {0, 0, 0, 0};
    bool hasSource = false;
    RECT dest = {0, 0, 0, 0};
    bool hasDest = false;
    RECT corner = {0, 0, 0, 0};
    BYTE fade = 255;
    bool xtiled = false;
    bool ytiled = false;
};

UILIB_API ImageAttribute ParseImageAttribute(std::wstring_view text);

// "images/a.png" -> "images/a@200.png", the name of the picture drawn for
// twice the pixels.
UILIB_API std::wstring DoubleScaleName(const std::wstring& file);
