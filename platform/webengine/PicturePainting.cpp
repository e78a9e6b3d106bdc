#include "platform/webengine/PicturePainting.h"

#include <algorithm>
#include <utility>

std::unique_ptr<Gdiplus::Bitmap> LoadPicture(const std::wstring& path) {
    if (path.empty()) {
        return nullptr;
    }
    Gdiplus::Bitmap file(path.c_str());
    const UINT width = file.GetWidth();
    const UINT height = file.GetHeight();
    if (file.GetLastStatus() != Gdiplus::Ok || width == 0 || height == 0) {
        return nullptr;
    }
    auto copy = std::make_unique<Gdiplus::Bitmap>(static_cast<INT>(width), static_cast<INT>(height),
                                                  PixelFormat32bppPARGB);
    if (copy->GetLastStatus() != Gdiplus::Ok) {
        return nullptr;
    }
    Gdiplus::Graphics graphics(copy.get());
    // The file's own resolution must not resize it: draw pixel for pixel.
    if (graphics.DrawImage(&file, 0, 0, static_cast<INT>(width), static_cast<INT>(height)) !=
        Gdiplus::Ok) {
        return nullptr;
    }
    return copy;
}

void PaintPicture(HDC dc, const RECT& area, Gdiplus::Bitmap& picture, int quarterTurns,
                  float zoom) {
    const float areaWidth = static_cast<float>(area.right - area.left);
    const float areaHeight = static_cast<float>(area.bottom - area.top);
    const float width = static_cast<float>(picture.GetWidth());
    const float height = static_cast<float>(picture.GetHeight());
    if (areaWidth <= 0 || areaHeight <= 0 || width <= 0 || height <= 0) {
        return;
    }
    const bool sideways = quarterTurns % 2 != 0;
    const float shownWidth = sideways ? height : width;
    const float shownHeight = sideways ? width : height;
    const float scale = std::min(areaWidth / shownWidth, areaHeight / shownHeight) * zoom;

    Gdiplus::Graphics graphics(dc);
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    graphics.TranslateTransform(area.left + areaWidth / 2, area.top + areaHeight / 2);
    graphics.RotateTransform(90.0f * static_cast<float>(quarterTurns % 4));
    graphics.ScaleTransform(scale, scale);
    graphics.DrawImage(&picture, Gdiplus::RectF(-width / 2, -height / 2, width, height));
}
