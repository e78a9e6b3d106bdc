#pragma once

#include <windows.h>

#include <optional>

#include "common/Win32Handles.h"

// The memory bitmap a window is painted into before one BitBlt puts it on
// the screen, so that no half-painted state ever shows. Kept between paints
// and grown when the window grows.
class OffscreenBuffer {
public:
    OffscreenBuffer() = default;
    OffscreenBuffer(const OffscreenBuffer&) = delete;
    OffscreenBuffer& operator=(const OffscreenBuffer&) = delete;

    // A memory DC of at least width x height (32-bit), or null.
    HDC Prepare(HDC compatible, int width, int height);

private:
    void Release();

    // Declared so that destruction, too, takes the bitmap out of the DC before deleting either.
    GdiObject<HBITMAP> bitmap_;
    OwnedDc dc_;
    std::optional<SelectedObject> selection_;
    int width_ = 0;
    int height_ = 0;
};
