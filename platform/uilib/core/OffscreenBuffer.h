#pragma once

#include <windows.h>

// The memory bitmap a window is painted into before one BitBlt puts it on
// the screen, so that no half-painted state ever shows. Kept between paints
// and grown when the window grows.
class OffscreenBuffer {
public:
    OffscreenBuffer() = default;
    ~OffscreenBuffer();
    OffscreenBuffer(const OffscreenBuffer&) = delete;
    OffscreenBuffer& operator=(const OffscreenBuffer&) = delete;

    // A memory DC of at least width x height (32-bit), or null.
    HDC Prepare(HDC compatible, int width, int height);

private:
    void Release();

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};
