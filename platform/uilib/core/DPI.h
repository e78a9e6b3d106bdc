#pragma once

#include <windows.h>

#include "platform/uilib/UIExport.h"

// The UI scale: layout numbers are written for 96 DPI and multiplied by
// GetScale()/100 when laid out and painted. New paint managers start with the
// process-wide scale, which the last SetScale call sets.
class UILIB_API CDPI {
public:
    CDPI();

    // DPI of the primary monitor (96 when it can not be asked).
    static int GetMainMonitorDPI();

    // 96 -> 100 %, 144 -> 150 %, 192 -> 200 %.
    void SetScale(UINT dpi);
    int GetDPI() const { return dpi_; }
    int GetScale() const { return dpi_ * 100 / 96; }
    // True at 200 % or more, where "@200" images are chosen.
    bool UseDoubleImages() const { return dpi_ >= 192; }

    int Scale(int value) const { return MulDiv(value, dpi_, 96); }
    RECT Scale(RECT rect) const;
    SIZE Scale(SIZE size) const;
    // Screen pixels back to layout units.
    int ScaleBack(int value) const { return MulDiv(value, 96, dpi_); }

private:
    int dpi_;
};
