#include "ui/IdCardPicture.h"

#include <algorithm>

#include "common/FileSystem.h"
#include "common/ImageEncoding.h"

namespace {

constexpr ULONG kJpegQuality = 90;

}  // namespace

std::wstring CombineIdCardSides(const std::wstring& front, const std::wstring& back,
                                const std::wstring& folder) {
    Gdiplus::Bitmap top(front.c_str());
    Gdiplus::Bitmap bottom(back.c_str());
    if (top.GetLastStatus() != Gdiplus::Ok || bottom.GetLastStatus() != Gdiplus::Ok) return {};
    const UINT width = std::max(top.GetWidth(), bottom.GetWidth());
    const UINT height = top.GetHeight() + bottom.GetHeight();
    if (width == 0 || height == 0) return {};
    Gdiplus::Bitmap canvas(static_cast<INT>(width), static_cast<INT>(height), PixelFormat32bppARGB);
    if (canvas.GetLastStatus() != Gdiplus::Ok) return {};
    {
        Gdiplus::Graphics graphics(&canvas);
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        graphics.DrawImage(&top, 0, 0, static_cast<INT>(top.GetWidth()),
                           static_cast<INT>(top.GetHeight()));
        graphics.DrawImage(&bottom, 0, static_cast<INT>(top.GetHeight()),
                           static_cast<INT>(bottom.GetWidth()),
                           static_cast<INT>(bottom.GetHeight()));
    }
    wchar_t path[MAX_PATH] = {};
    if (!CreateFolderTree(folder) || !GetTempFileNameW(folder.c_str(), L"idc", 0, path)) return {};
    // SaveImageFile deletes what it could not finish.
    return SaveImageFile(canvas, path, L"image/jpeg", kJpegQuality) ? path : std::wstring();
}
