#pragma once

#include "platform/uilib/UIlib.h"

// The program's thin scroll bar: no arrow buttons, 12 pixels wide, with the
// rounded thumb of "scroll.png" (normal, hot, pushed). Nothing without a bar.
void StyleThinScrollBar(CScrollBarUI* bar);
