#include "common/ImageEncoding.h"

#include <cwchar>
#include <vector>

namespace {

// GDI+'s quality parameter (EncoderQuality), spelled out so that no GUID
// library is needed.
constexpr GUID kEncoderQuality = {
    0x1d5be4b5, 0xfa4a, 0x452d, {0x9c, 0xdd, 0x5d, 0xb3, 0x51, 0x05, 0xe7, 0xeb}};

}  // namespace

bool FindImageEncoder(const wchar_t* mimeType, CLSID& encoder) {
    UINT count = 0;
    UINT size = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
    std::vector<unsigned char> buffer(size);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    if (Gdiplus::GetImageEncoders(count, size, encoders) != Gdiplus::Ok) return false;
    for (UINT i = 0; i < count; ++i) {
        if (std::wcscmp(encoders[i].MimeType, mimeType) == 0) {
            encoder = encoders[i].Clsid;
            return true;
        }
    }
    return false;
}

bool SaveImageFile(Gdiplus::Image& picture, const std::wstring& path, const wchar_t* mimeType,
                   std::optional<ULONG> quality) {
    CLSID encoder = {};
    if (!FindImageEncoder(mimeType, encoder)) return false;
    ULONG value = quality.value_or(0);
    Gdiplus::EncoderParameters parameters = {};
    parameters.Count = 1;
    parameters.Parameter[0] = {kEncoderQuality, 1, Gdiplus::EncoderParameterValueTypeLong, &value};
    if (picture.Save(path.c_str(), &encoder, quality ? &parameters : nullptr) == Gdiplus::Ok)
        return true;
    // A half-written file would be taken for a picture later.
    DeleteFileW(path.c_str());
    return false;
}

bool SaveBitmapAsJpeg(HBITMAP bitmap, const std::wstring& path, ULONG quality) {
    if (!bitmap) return false;
    Gdiplus::Bitmap picture(bitmap, nullptr);
    if (picture.GetLastStatus() != Gdiplus::Ok) return false;
    return SaveImageFile(picture, path, L"image/jpeg", quality);
}
