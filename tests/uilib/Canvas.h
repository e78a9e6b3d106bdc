#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/uilib/render/DibSection.h"

// A memory device context over 32-bit top-down pixels, read back as COLORREFs.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), dc_(CreateCompatibleDC(nullptr)) {
        bitmap_ = CreateTopDownDib(dc_, width, height, reinterpret_cast<void**>(&bits_));
        old_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    HDC Dc() const { return dc_; }
    COLORREF At(int x, int y) const {
        GdiFlush();
        uint32_t pixel = bits_[y * width_ + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }

private:
    int width_;
    HDC dc_;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ old_ = nullptr;
    uint32_t* bits_ = nullptr;
};
