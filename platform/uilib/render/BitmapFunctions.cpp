#include "platform/uilib/render/BitmapFunctions.h"

#include <cstdlib>
#include <cstring>

#include "common/Win32Handles.h"

namespace {

constexpr WORD kDibBits = 24;
// Not in every SDK's headers.
constexpr DWORD kAlphaBitFields = 6;

using LockedDib = GlobalMemoryLock<BITMAPINFOHEADER>;

BYTE* DibBits(BITMAPINFOHEADER* header) {
    return reinterpret_cast<BYTE*>(header) + DIBPixelOffset(header);
}

// Selects palette into dc while it lives; a null palette changes nothing.
class SelectedPalette {
public:
    SelectedPalette(HDC dc, HPALETTE palette)
        : dc_(dc), previous_(palette ? SelectPalette(dc, palette, FALSE) : nullptr) {}
    ~SelectedPalette() {
        if (previous_) {
            SelectPalette(dc_, previous_, FALSE);
        }
    }
    SelectedPalette(const SelectedPalette&) = delete;
    SelectedPalette& operator=(const SelectedPalette&) = delete;

private:
    HDC dc_;
    HPALETTE previous_;
};

BITMAPINFOHEADER DibHeader(const BITMAP& info) {
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = info.bmWidth;
    header.biHeight = info.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = kDibBits;
    header.biCompression = BI_RGB;
    header.biSizeImage = BytesPerLine(info.bmWidth, kDibBits) * static_cast<DWORD>(info.bmHeight);
    return header;
}

// Reads every row of bitmap into the locked block, whose header says how.
bool ReadRows(HBITMAP bitmap, HPALETTE palette, BITMAPINFOHEADER* header) {
    WindowDc screen(nullptr);
    if (!screen) {
        return false;
    }
    SelectedPalette selected(screen.get(), palette);
    if (palette) {
        RealizePalette(screen.get());
    }
    const int rows =
        GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(header->biHeight), DibBits(header),
                  reinterpret_cast<BITMAPINFO*>(header), DIB_RGB_COLORS);
    return rows != 0;
}

}  // namespace

HBITMAP CopyScreenToBitmap(const RECT* rect) {
    if (!rect || rect->right <= rect->left || rect->bottom <= rect->top) {
        return nullptr;
    }
    int width = rect->right - rect->left;
    int height = rect->bottom - rect->top;
    WindowDc screen(nullptr);
    OwnedDc memory(CreateCompatibleDC(screen.get()));
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    if (!screen || !memory || !bitmap) {
        return nullptr;
    }
    SelectedObject selected(memory.get(), bitmap.get());
    if (!selected || !BitBlt(memory.get(), 0, 0, width, height, screen.get(), rect->left, rect->top,
                             SRCCOPY | CAPTUREBLT)) {
        return nullptr;
    }
    return bitmap.release();
}

DWORD BytesPerLine(int width, int bitsPerPixel) {
    return static_cast<DWORD>(((static_cast<long long>(width) * bitsPerPixel + 31) / 32) * 4);
}

HANDLE BitmapToDIB(HBITMAP bitmap, HPALETTE palette) {
    BITMAP info = {};
    if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info)) {
        return nullptr;
    }
    const BITMAPINFOHEADER header = DibHeader(info);
    GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE, header.biSize + header.biSizeImage));
    if (!block) {
        return nullptr;
    }
    {
        // Unlocked at the end of this block: before the block is freed or handed out.
        LockedDib dib(block.get());
        if (!dib) {
            return nullptr;
        }
        *dib.get() = header;
        if (!ReadRows(bitmap, palette, dib.get())) {
            return nullptr;
        }
    }
    return block.release();
}

HANDLE CopyHandle(HANDLE block) {
    if (!block) {
        return nullptr;
    }
    SIZE_T size = GlobalSize(block);
    GlobalMemory copy(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!copy) {
        return nullptr;
    }
    {
        GlobalMemoryLock<> from(block);
        GlobalMemoryLock<> to(copy.get());
        if (!from || !to) {
            return nullptr;
        }
        std::memcpy(to.get(), from.get(), size);
    }
    return copy.release();
}

DWORD DIBPixelOffset(const BITMAPINFOHEADER* header) {
    // Later headers (V4, V5) hold the masks themselves; BI_ALPHABITFIELDS
    // adds a fourth mask.
    DWORD masks = 0;
    if (header->biSize == sizeof(BITMAPINFOHEADER)) {
        if (header->biCompression == BI_BITFIELDS) masks = 3;
        if (header->biCompression == kAlphaBitFields) masks = 4;
    }
    const DWORD colors = header->biClrUsed         ? header->biClrUsed
                         : header->biBitCount <= 8 ? 1u << header->biBitCount
                                                   : 0;
    return header->biSize + masks * sizeof(DWORD) + colors * sizeof(RGBQUAD);
}

int DIBWidth(HANDLE dib) {
    LockedDib locked(dib);
    return locked ? locked.get()->biWidth : 0;
}

int DIBHeight(HANDLE dib) {
    LockedDib locked(dib);
    return locked ? std::abs(locked.get()->biHeight) : 0;
}

bool PaintDIB(HDC dc, const RECT* dest, HANDLE dib, const RECT* source) {
    LockedDib locked(dib);
    if (!locked || !dest || !source) {
        return false;
    }
    SetStretchBltMode(dc, COLORONCOLOR);
    // Source rows are counted from the bottom of a bottom-up picture.
    int sourceHeight = source->bottom - source->top;
    int sourceY = std::abs(locked.get()->biHeight) - source->bottom;
    // Lines drawn; 0 or GDI_ERROR (negative as int) on failure.
    int lines = StretchDIBits(dc, dest->left, dest->top, dest->right - dest->left,
                              dest->bottom - dest->top, source->left, sourceY,
                              source->right - source->left, sourceHeight, DibBits(locked.get()),
                              reinterpret_cast<BITMAPINFO*>(locked.get()), DIB_RGB_COLORS, SRCCOPY);
    return lines > 0;
}

bool PaintBitmap(HDC dc, const RECT* dest, HBITMAP bitmap, const RECT* source, HPALETTE palette) {
    if (!bitmap || !dest || !source) {
        return false;
    }
    OwnedDc memory(CreateCompatibleDC(dc));
    if (!memory) {
        return false;
    }
    SelectedObject selected(memory.get(), bitmap);
    if (!selected) {
        return false;
    }
    SelectedPalette selectedPalette(dc, palette);
    SetStretchBltMode(dc, COLORONCOLOR);
    return StretchBlt(dc, dest->left, dest->top, dest->right - dest->left, dest->bottom - dest->top,
                      memory.get(), source->left, source->top, source->right - source->left,
                      source->bottom - source->top, SRCCOPY) != FALSE;
}

void DestroyDIB(HANDLE dib) {
    if (dib) {
        GlobalFree(dib);
    }
}
