#include "capture/DibDarkening.h"

#include <cstdlib>

#include "platform/uilib/render/BitmapFunctions.h"

namespace {

BYTE Darker(BYTE value) { return value < kDarkening ? 0 : static_cast<BYTE>(value - kDarkening); }

void DarkenPixels(BITMAPINFOHEADER* header, size_t size) {
    const size_t bytesPerPixel = header->biBitCount / 8;
    const size_t width = static_cast<size_t>(std::abs(header->biWidth));
    const size_t rows = static_cast<size_t>(std::abs(header->biHeight));
    const size_t stride = BytesPerLine(static_cast<int>(width), header->biBitCount);
    const size_t offset = DIBPixelOffset(header);
    // A width whose row length does not fit in a DWORD gives a short stride.
    if (width > stride / bytesPerPixel) return;
    if (offset > size || (rows != 0 && stride > (size - offset) / rows)) return;
    BYTE* pixels = reinterpret_cast<BYTE*>(header) + offset;
    for (size_t row = 0; row < rows; ++row) {
        BYTE* pixel = pixels + row * stride;
        for (size_t x = 0; x < width; ++x, pixel += bytesPerPixel) {
            for (int colour = 0; colour < 3; ++colour) pixel[colour] = Darker(pixel[colour]);
        }
    }
}

void GreyColourTable(BITMAPINFOHEADER* header, size_t size) {
    const size_t count = header->biClrUsed ? header->biClrUsed : size_t{1} << header->biBitCount;
    if (header->biSize > size || count > (size - header->biSize) / sizeof(RGBQUAD)) return;
    auto* table = reinterpret_cast<RGBQUAD*>(reinterpret_cast<BYTE*>(header) + header->biSize);
    for (size_t i = 0; i < count; ++i) {
        RGBQUAD& entry = table[i];
        const BYTE grey = static_cast<BYTE>(
            (299 * entry.rgbRed + 587 * entry.rgbGreen + 114 * entry.rgbBlue) / 1000);
        entry.rgbRed = entry.rgbGreen = entry.rgbBlue = grey;
    }
}

}  // namespace

void DarkenDib(BITMAPINFOHEADER* header, size_t size) {
    if (!header || size < sizeof(BITMAPINFOHEADER) || header->biSize < sizeof(BITMAPINFOHEADER))
        return;
    switch (header->biBitCount) {
        case 24:
        case 32:
            return DarkenPixels(header, size);
        case 1:
        case 4:
        case 8:
            return GreyColourTable(header, size);
        default:
            return;
    }
}
