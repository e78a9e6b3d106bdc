#include "platform/uilib/core/DPI.h"

#include "common/Win32Handles.h"

namespace {
int processDpi = 96;
}

CDPI::CDPI() : dpi_(processDpi) {}

int CDPI::GetMainMonitorDPI() {
    WindowDc screen(nullptr);
    int dpi = screen ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? dpi : 96;
}

void CDPI::SetScale(UINT dpi) {
    dpi_ = dpi >= 48 ? static_cast<int>(dpi) : 96;
    processDpi = dpi_;
}

RECT CDPI::Scale(RECT rect) const {
    return RECT{Scale(rect.left), Scale(rect.top), Scale(rect.right), Scale(rect.bottom)};
}

SIZE CDPI::Scale(SIZE size) const { return SIZE{Scale(size.cx), Scale(size.cy)}; }
