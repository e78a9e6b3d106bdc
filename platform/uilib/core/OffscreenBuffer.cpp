#include "platform/uilib/core/OffscreenBuffer.h"

#include "platform/uilib/render/DibSection.h"

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
    void* bits = nullptr;
    bitmap_ = CreateTopDownDib(compatible, width, height, &bits);
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
