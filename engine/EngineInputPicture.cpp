#include "engine/EngineInputPicture.h"

#include <windows.h>
// gdiplus.h needs the types of windows.h and, with the lean windows.h, of objidl.h.
#include <objidl.h>
#include <gdiplus.h>

#include <memory>
#include <vector>

#include "common/FileSystem.h"
#include "common/ImageEncoding.h"

namespace {

constexpr int kGreyLevels = 256;

// A palette of 256 opaque greys, entry i being (i, i, i).
std::vector<unsigned char> GreyPalette() {
    std::vector<unsigned char> storage(sizeof(Gdiplus::ColorPalette) +
                                       (kGreyLevels - 1) * sizeof(Gdiplus::ARGB));
    auto* palette = reinterpret_cast<Gdiplus::ColorPalette*>(storage.data());
    palette->Flags = 0;
    palette->Count = kGreyLevels;
    for (int i = 0; i < kGreyLevels; ++i) {
        palette->Entries[i] = Gdiplus::Color::MakeARGB(255, static_cast<BYTE>(i),
                                                       static_cast<BYTE>(i), static_cast<BYTE>(i));
    }
    return storage;
}

// The 8-bit grey version of a 24-bit RGB bitmap; null when it can not be made.
std::unique_ptr<Gdiplus::Bitmap> GreyCopy(Gdiplus::Bitmap& colour) {
    const int width = static_cast<int>(colour.GetWidth());
    const int height = static_cast<int>(colour.GetHeight());
    auto grey = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat8bppIndexed);
    if (grey->GetLastStatus() != Gdiplus::Ok) return nullptr;
    std::vector<unsigned char> palette = GreyPalette();
    if (grey->SetPalette(reinterpret_cast<Gdiplus::ColorPalette*>(palette.data())) != Gdiplus::Ok)
        return nullptr;

    Gdiplus::Rect area(0, 0, width, height);
    Gdiplus::BitmapData source = {};
    Gdiplus::BitmapData target = {};
    if (colour.LockBits(&area, Gdiplus::ImageLockModeRead, PixelFormat24bppRGB, &source) !=
        Gdiplus::Ok)
        return nullptr;
    if (grey->LockBits(&area, Gdiplus::ImageLockModeWrite, PixelFormat8bppIndexed, &target) !=
        Gdiplus::Ok) {
        colour.UnlockBits(&source);
        return nullptr;
    }
    for (int y = 0; y < height; ++y) {
        // 24-bit RGB rows hold blue, green, red for every pixel.
        const auto* in = static_cast<const BYTE*>(source.Scan0) + y * source.Stride;
        auto* out = static_cast<BYTE*>(target.Scan0) + y * target.Stride;
        for (int x = 0; x < width; ++x, in += 3) {
            out[x] = static_cast<BYTE>(0.299 * in[2] + 0.587 * in[1] + 0.114 * in[0]);
        }
    }
    grey->UnlockBits(&target);
    colour.UnlockBits(&source);
    return grey;
}

}  // namespace

bool WriteEngineInputPicture(const std::wstring& picturePath, const std::wstring& target) {
    if (PathExists(target) && !DeleteFileW(target.c_str())) return false;
    std::unique_ptr<Gdiplus::Bitmap> colour;
    {
        // The picture is released as soon as it is copied, so the file is not
        // held open while the engine runs.
        Gdiplus::Bitmap picture(picturePath.c_str());
        if (picture.GetLastStatus() != Gdiplus::Ok) return false;
        const int width = static_cast<int>(picture.GetWidth());
        const int height = static_cast<int>(picture.GetHeight());
        colour.reset(picture.Clone(Gdiplus::Rect(0, 0, width, height), PixelFormat24bppRGB));
    }
    if (!colour || colour->GetLastStatus() != Gdiplus::Ok) return false;

    std::unique_ptr<Gdiplus::Bitmap> grey;
    if (colour->GetPixelFormat() == PixelFormat24bppRGB) grey = GreyCopy(*colour);
    Gdiplus::Bitmap& saved = grey ? *grey : *colour;
    return SaveImageFile(saved, target, L"image/bmp");
}
