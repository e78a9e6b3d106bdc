#pragma once

#include <string>

#include "platform/uilib/UIlib.h"

// The program's thin scroll bar: no arrow buttons, 12 pixels wide, with the
// rounded thumb of a strip of three 12 x 21 states (normal, hot, pushed).
// Nothing without a bar.
void StyleThinScrollBar(CScrollBarUI* bar,
                        const std::wstring& strip = L"../default/button/scroll.png");
