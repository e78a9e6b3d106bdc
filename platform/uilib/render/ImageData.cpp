#include "platform/uilib/render/ImageData.h"

#include <objidl.h>
#include <shlwapi.h>
#include <gdiplus.h>

#include <cstring>
#include <mutex>

#include "common/Win32Handles.h"

ImageData::ImageData(HBITMAP bitmap, int width, int height, int pixelsPerUnit)
    : bitmap_(bitmap), width_(width), height_(height), pixelsPerUnit_(pixelsPerUnit) {}

ImageData::~ImageData() { DeleteObject(bitmap_); }

void EnsureGdiplus() {
    static std::once_flag started;
    std::call_once(started, [] {
        ULONG_PTR token = 0;
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&token, &input, nullptr);
    });
}

std::shared_ptr<ImageData> DecodeImage(const std::string& bytes, int pixelsPerUnit) {
    if (bytes.empty()) {
        return nullptr;
    }
    EnsureGdiplus();
    ComOwner<IStream> stream(SHCreateMemStream(reinterpret_cast<const BYTE*>(bytes.data()),
                                               static_cast<UINT>(bytes.size())));
    if (!stream) {
        return nullptr;
    }
    std::unique_ptr<Gdiplus::Bitmap> picture(Gdiplus::Bitmap::FromStream(stream.get()));
    if (!picture || picture->GetLastStatus() != Gdiplus::Ok) {
        return nullptr;
    }
    int width = static_cast<int>(picture->GetWidth());
    int height = static_cast<int>(picture->GetHeight());
    if (width <= 0 || height <= 0) {
        return nullptr;
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (!bitmap) {
        return nullptr;
    }
    Gdiplus::Rect whole(0, 0, width, height);
    Gdiplus::BitmapData locked = {};
    if (picture->LockBits(&whole, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &locked) !=
        Gdiplus::Ok) {
        DeleteObject(bitmap);
        return nullptr;
    }
    for (int row = 0; row < height; ++row) {
        std::memcpy(static_cast<BYTE*>(pixels) + static_cast<size_t>(row) * width * 4,
                    static_cast<const BYTE*>(locked.Scan0) + static_cast<ptrdiff_t>(row) * locked.Stride,
                    static_cast<size_t>(width) * 4);
    }
    picture->UnlockBits(&locked);
    return std::make_shared<ImageData>(bitmap, width, height, pixelsPerUnit);
}
