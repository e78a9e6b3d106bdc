#include "platform/uilib/core/OffscreenBuffer.h"

#include "platform/uilib/render/DibSection.h"

void OffscreenBuffer::Release() {
    // The bitmap leaves the DC before either is deleted.
    selection_.reset();
    dc_.reset();
    bitmap_.reset();
    width_ = height_ = 0;
}

HDC OffscreenBuffer::Prepare(HDC compatible, int width, int height) {
    if (dc_ && width <= width_ && height <= height_) {
        return dc_.get();
    }
    Release();
    void* bits = nullptr;
    bitmap_.reset(CreateTopDownDib(compatible, width, height, &bits));
    dc_.reset(bitmap_ ? CreateCompatibleDC(compatible) : nullptr);
    if (!dc_ || !selection_.emplace(dc_.get(), bitmap_.get())) {
        Release();
        return nullptr;
    }
    width_ = width;
    height_ = height;
    return dc_.get();
}
