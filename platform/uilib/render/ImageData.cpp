#include "platform/uilib/render/ImageData.h"

#include <objidl.h>
#include <gdiplus.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <utility>

#include "common/Win32Handles.h"
#include "platform/uilib/render/DibSection.h"

ImageData::ImageData(GdiObject<HBITMAP> bitmap, int width, int height, int pixelsPerUnit)
    : bitmap_(std::move(bitmap)), width_(width), height_(height), pixelsPerUnit_(pixelsPerUnit) {}

void EnsureGdiplus() {
    static std::once_flag started;
    std::call_once(started, [] {
        ULONG_PTR token = 0;
        Gdiplus::GdiplusStartupInput input;
        Gdiplus::GdiplusStartup(&token, &input, nullptr);
    });
}

namespace {

std::unique_ptr<Gdiplus::Bitmap> OpenPicture(const std::string& bytes) {
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
    return picture;
}

// The picture's current frame as a premultiplied DIB section.
std::shared_ptr<ImageData> CopyFrame(Gdiplus::Bitmap& picture, int pixelsPerUnit) {
    int width = static_cast<int>(picture.GetWidth());
    int height = static_cast<int>(picture.GetHeight());
    if (width <= 0 || height <= 0) {
        return nullptr;
    }
    void* pixels = nullptr;
    GdiObject<HBITMAP> bitmap(CreateTopDownDib(nullptr, width, height, &pixels));
    if (!bitmap) {
        return nullptr;
    }
    Gdiplus::Rect whole(0, 0, width, height);
    Gdiplus::BitmapData locked = {};
    if (picture.LockBits(&whole, Gdiplus::ImageLockModeRead, PixelFormat32bppPARGB, &locked) !=
        Gdiplus::Ok) {
        return nullptr;
    }
    for (int row = 0; row < height; ++row) {
        std::memcpy(
            static_cast<BYTE*>(pixels) + static_cast<size_t>(row) * width * 4,
            static_cast<const BYTE*>(locked.Scan0) + static_cast<ptrdiff_t>(row) * locked.Stride,
            static_cast<size_t>(width) * 4);
    }
    picture.UnlockBits(&locked);
    return std::make_shared<ImageData>(std::move(bitmap), width, height, pixelsPerUnit);
}

}  // namespace

std::shared_ptr<ImageData> DecodeImage(const std::string& bytes, int pixelsPerUnit) {
    std::unique_ptr<Gdiplus::Bitmap> picture = OpenPicture(bytes);
    return picture ? CopyFrame(*picture, pixelsPerUnit) : nullptr;
}

void DecodeAnimation(const std::string& bytes, std::vector<std::shared_ptr<ImageData>>& frames,
                     std::vector<UINT>& delays) {
    std::unique_ptr<Gdiplus::Bitmap> picture = OpenPicture(bytes);
    if (!picture) {
        return;
    }
    GUID dimension = Gdiplus::FrameDimensionTime;
    UINT count = std::max(1u, picture->GetFrameCount(&dimension));
    // Delays are hundredths of a second, one 4-byte value per frame.
    std::vector<BYTE> delayProperty;
    UINT delaySize = picture->GetPropertyItemSize(PropertyTagFrameDelay);
    if (delaySize > 0) {
        delayProperty.resize(delaySize);
        auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(delayProperty.data());
        if (picture->GetPropertyItem(PropertyTagFrameDelay, delaySize, item) != Gdiplus::Ok) {
            delayProperty.clear();
        }
    }
    for (UINT i = 0; i < count; ++i) {
        if (count > 1) {
            picture->SelectActiveFrame(&dimension, i);
        }
        std::shared_ptr<ImageData> frame = CopyFrame(*picture, 1);
        if (!frame) {
            break;
        }
        UINT delay = 100;
        if (!delayProperty.empty()) {
            auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(delayProperty.data());
            if ((i + 1) * 4 <= item->length) {
                delay = static_cast<const UINT*>(item->value)[i] * 10;
            }
        }
        frames.push_back(frame);
        delays.push_back(std::max(delay, 20u));
    }
}
