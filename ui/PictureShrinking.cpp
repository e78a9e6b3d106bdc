#include "ui/PictureShrinking.h"

#include <windows.h>
// gdiplus.h needs the types of objidl.h, which the lean windows.h leaves out.
#include <objidl.h>
#include <gdiplus.h>

#include <memory>

#include "common/FileSystem.h"
#include "common/ImageEncoding.h"
#include "common/Md5.h"
#include "common/StringConversion.h"

namespace {

// The copy stays this far below the limit, so it is never at it.
constexpr int kLimitMargin = 96;
constexpr ULONG kPngQuality = 80;
// A pixel format GDI+ can draw into: indexed formats can not be.
Gdiplus::PixelFormat DrawableFormat(Gdiplus::PixelFormat format) {
    return (format & PixelFormatIndexed) ? PixelFormat32bppARGB : format;
}

}  // namespace

std::wstring ShrunkPictureFor(const std::wstring& path, int maxImageSize,
                              const std::wstring& compressFolder) {
    const int longest = maxImageSize - kLimitMargin;
    if (longest <= 0) return path;
    Gdiplus::Bitmap picture(path.c_str());
    if (picture.GetLastStatus() != Gdiplus::Ok) return path;
    const int width = static_cast<int>(picture.GetWidth());
    const int height = static_cast<int>(picture.GetHeight());
    if (width <= maxImageSize && height <= maxImageSize) return path;

    const bool wide = width >= height;
    const int shorter =
        static_cast<int>(static_cast<float>(longest) / static_cast<float>(wide ? width : height) *
                         static_cast<float>(wide ? height : width));
    const int newWidth = wide ? longest : shorter;
    const int newHeight = wide ? shorter : longest;
    if (newWidth <= 0 || newHeight <= 0) return path;

    Gdiplus::Bitmap copy(newWidth, newHeight, DrawableFormat(picture.GetPixelFormat()));
    {
        Gdiplus::Graphics graphics(&copy);
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        graphics.DrawImage(&picture, 0, 0, newWidth, newHeight);
    }
    const std::wstring folder = JoinPath(compressFolder, Utf8ToWide(Md5Hex(WideToUtf8(path))));
    const std::wstring target = JoinPath(folder, FileNameOf(path));
    if (!CreateFolderTree(folder)) return path;
    if (PathExists(target) && !DeleteFileW(target.c_str())) return path;
    return SaveImageFile(copy, target, L"image/png", kPngQuality) ? target : path;
}
