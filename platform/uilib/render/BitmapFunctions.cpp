#include "platform/uilib/render/BitmapFunctions.h"

#include <cstdlib>
#include <cstring>

namespace {

constexpr WORD kDibBits = 24;

// The header of a locked block; the block stays locked while the object lives.
class LockedDib {
public:
    explicit LockedDib(HANDLE block)
        : block_(block),
          header_(block ? static_cast<BITMAPINFOHEADER*>(GlobalLock(block)) : nullptr) {}
    ~LockedDib() {
        if (header_) {
            GlobalUnlock(block_);
        }
    }
    LockedDib(const LockedDib&) = delete;
    LockedDib& operator=(const LockedDib&) = delete;
    BITMAPINFOHEADER* Header() const { return header_; }
    BYTE* Bits() const {
        DWORD colors = header_->biClrUsed
                           ? header_->biClrUsed
                           : (header_->biBitCount <= 8 ? 1u << header_->biBitCount : 0);
        return reinterpret_cast<BYTE*>(header_) + header_->biSize + colors * sizeof(RGBQUAD);
    }

private:
    HANDLE block_;
    BITMAPINFOHEADER* header_;
};

}  // namespace

HBITMAP CopyScreenToBitmap(const RECT* rect) {
    if (!rect || rect->right <= rect->left || rect->bottom <= rect->top) {
        return nullptr;
    }
    int width = rect->right - rect->left;
    int height = rect->bottom - rect->top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, rect->left, rect->top, SRCCOPY | CAPTUREBLT);
        SelectObject(memory, old);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

DWORD BytesPerLine(int width, int bitsPerPixel) {
    return static_cast<DWORD>(((static_cast<long long>(width) * bitsPerPixel + 31) / 32) * 4);
}

HANDLE BitmapToDIB(HBITMAP bitmap, HPALETTE palette) {
    BITMAP info = {};
    if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info)) {
        return nullptr;
    }
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = info.bmWidth;
    header.biHeight = info.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = kDibBits;
    header.biCompression = BI_RGB;
    header.biSizeImage = BytesPerLine(info.bmWidth, kDibBits) * static_cast<DWORD>(info.bmHeight);
    HANDLE block = GlobalAlloc(GMEM_MOVEABLE, header.biSize + header.biSizeImage);
    if (!block) {
        return nullptr;
    }
    LockedDib dib(block);
    std::memcpy(dib.Header(), &header, sizeof(header));
    HDC screen = GetDC(nullptr);
    HPALETTE oldPalette = palette ? SelectPalette(screen, palette, FALSE) : nullptr;
    if (palette) {
        RealizePalette(screen);
    }
    int rows = GetDIBits(screen, bitmap, 0, static_cast<UINT>(info.bmHeight), dib.Bits(),
                         reinterpret_cast<BITMAPINFO*>(dib.Header()), DIB_RGB_COLORS);
    if (oldPalette) {
        SelectPalette(screen, oldPalette, FALSE);
    }
    ReleaseDC(nullptr, screen);
    if (rows == 0) {
        GlobalUnlock(block);
        GlobalFree(block);
        return nullptr;
    }
    return block;
}

HANDLE CopyHandle(HANDLE block) {
    if (!block) {
        return nullptr;
    }
    SIZE_T size = GlobalSize(block);
    HANDLE copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy) {
        return nullptr;
    }
    void* from = GlobalLock(block);
    void* to = GlobalLock(copy);
    if (from && to) {
        std::memcpy(to, from, size);
    }
    GlobalUnlock(copy);
    GlobalUnlock(block);
    if (!from || !to) {
        GlobalFree(copy);
        return nullptr;
    }
    return copy;
}

int DIBWidth(HANDLE dib) {
    LockedDib locked(dib);
    return locked.Header() ? locked.Header()->biWidth : 0;
}

int DIBHeight(HANDLE dib) {
    LockedDib locked(dib);
    return locked.Header() ? std::abs(locked.Header()->biHeight) : 0;
}

bool PaintDIB(HDC dc, const RECT* dest, HANDLE dib, const RECT* source) {
    LockedDib locked(dib);
    if (!locked.Header() || !dest || !source) {
        return false;
    }
    SetStretchBltMode(dc, COLORONCOLOR);
    // Source rows are counted from the bottom of a bottom-up picture.
    int sourceHeight = source->bottom - source->top;
    int sourceY = std::abs(locked.Header()->biHeight) - source->bottom;
    // Lines drawn; 0 or GDI_ERROR (negative as int) on failure.
    int lines = StretchDIBits(
        dc, dest->left, dest->top, dest->right - dest->left, dest->bottom - dest->top, source->left,
        sourceY, source->right - source->left, sourceHeight, locked.Bits(),
        reinterpret_cast<BITMAPINFO*>(locked.Header()), DIB_RGB_COLORS, SRCCOPY);
    return lines > 0;
}

bool PaintBitmap(HDC dc, const RECT* dest, HBITMAP bitmap, const RECT* source, HPALETTE palette) {
    if (!bitmap || !dest || !source) {
        return false;
    }
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    HPALETTE oldPalette = palette ? SelectPalette(dc, palette, FALSE) : nullptr;
    SetStretchBltMode(dc, COLORONCOLOR);
    bool painted =
        StretchBlt(dc, dest->left, dest->top, dest->right - dest->left, dest->bottom - dest->top,
                   memory, source->left, source->top, source->right - source->left,
                   source->bottom - source->top, SRCCOPY) != FALSE;
    if (oldPalette) {
        SelectPalette(dc, oldPalette, FALSE);
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    return painted;
}

void DestroyDIB(HANDLE dib) {
    if (dib) {
        GlobalFree(dib);
    }
}
