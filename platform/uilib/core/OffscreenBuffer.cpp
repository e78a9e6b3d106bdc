#include "platform/uilib/core/OffscreenBuffer.h"

OffscreenBuffer::~OffscreenBuffer() { Release(); }

void OffscreenBuffer::Release() {
    if (dc_) {
        SelectObject(dc_, oldBitmap_);
        DeleteDC(dc_);
        dc_ = nullptr;
    }
    if (bitmap_) {
        DeleteObject(bitmap_);
        bitmap_ = nullptr;
    }
    width_ = height_ = 0;
}

HDC OffscreenBuffer::Prepare(HDC compatible, int width, int height) {
    if (dc_ && width <= width_ && height <= height_) {
        return dc_;
    }
    Release();
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(compatible, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    dc_ = bitmap_ ? CreateCompatibleDC(compatible) : nullptr;
    if (!dc_) {
        Release();
        return nullptr;
    }
    oldBitmap_ = SelectObject(dc_, bitmap_);
    width_ = width;
    height_ = height;
    return dc_;
}
