#include "scan/MyTwain.h"

#include <cstdlib>
#include <memory>
#include <utility>

#include "app/FolderCleanup.h"
#include "common/FileSystem.h"
#include "common/ImageEncoding.h"
#include "common/Win32Handles.h"
#include "platform/uilib/render/BitmapFunctions.h"

namespace {

// Larger than any page a scanner makes at 1200 dpi.
constexpr LONG kMaxSide = 65535;

// The page as a bitmap like the screen's, or null.
HBITMAP PageBitmap(HANDLE dib) {
    const int width = DIBWidth(dib);
    const int height = DIBHeight(dib);
    WindowDc screen(nullptr);
    if (!screen) return nullptr;
    GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    OwnedDc memory(CreateCompatibleDC(screen.get()));
    if (!bitmap || !memory) return nullptr;
    SelectedObject selected(memory.get(), bitmap.get());
    const RECT area = {0, 0, width, height};
    if (!selected || !PaintDIB(memory.get(), &area, dib, &area)) return nullptr;
    return bitmap.release();
}

// 24- and 32-bit pages, the depths scanners hand over, as GDI+ bitmaps over
// the block's own rows, with no copy; null for the other depths.
std::unique_ptr<Gdiplus::Bitmap> RowsAsBitmap(const BITMAPINFOHEADER* header) {
    const WORD bits = header->biBitCount;
    if (header->biCompression != BI_RGB || (bits != 24 && bits != 32)) return nullptr;
    const INT width = header->biWidth;
    const INT height = std::abs(static_cast<INT>(header->biHeight));
    const INT stride = static_cast<INT>(BytesPerLine(width, bits));
    BYTE* rows =
        reinterpret_cast<BYTE*>(const_cast<BITMAPINFOHEADER*>(header)) + DIBPixelOffset(header);
    // Rows of a DIB go from the bottom up unless its height is negative.
    const bool bottomUp = header->biHeight > 0;
    auto bitmap = std::make_unique<Gdiplus::Bitmap>(
        width, height, bottomUp ? -stride : stride,
        bits == 24 ? PixelFormat24bppRGB : PixelFormat32bppRGB,
        bottomUp ? rows + static_cast<size_t>(stride) * (height - 1) : rows);
    return bitmap->GetLastStatus() == Gdiplus::Ok ? std::move(bitmap) : nullptr;
}

// The page as a JPEG file at path.
bool SavePage(HANDLE dib, const BITMAPINFOHEADER* header, const std::wstring& path) {
    if (std::unique_ptr<Gdiplus::Bitmap> rows = RowsAsBitmap(header))
        return SaveImageFile(*rows, path, L"image/jpeg", CMyTwain::kJpegQuality);
    GdiObject<HBITMAP> page(PageBitmap(dib));
    return page && SaveBitmapAsJpeg(page.get(), path, CMyTwain::kJpegQuality);
}

}  // namespace

bool IsCompleteDib(const void* block, size_t size) {
    if (!block || size < sizeof(BITMAPINFOHEADER)) return false;
    const auto* header = static_cast<const BITMAPINFOHEADER*>(block);
    const WORD bits = header->biBitCount;
    const bool knownDepth =
        bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
    const LONG height = std::labs(header->biHeight);
    if (header->biSize < sizeof(BITMAPINFOHEADER) || header->biPlanes != 1 || !knownDepth ||
        header->biWidth <= 0 || header->biWidth > kMaxSide || height == 0 || height > kMaxSide ||
        (header->biCompression != BI_RGB && header->biCompression != BI_BITFIELDS) ||
        header->biClrUsed > 256)
        return false;
    const size_t offset = DIBPixelOffset(header);
    const size_t rows = static_cast<size_t>(BytesPerLine(header->biWidth, bits)) * height;
    return offset <= size && rows <= size - offset;
}

CMyTwain::CMyTwain(std::wstring scannerFolder) : folder_(std::move(scannerFolder)) {}

CMyTwain::~CMyTwain() {
    DeletePages();
    pictures_.clear();
}

void CMyTwain::BeginScan() {
    pictures_.clear();
    lastScanToDelete_ = true;
}

void CMyTwain::DeletePages() {
    if (!folder_.empty() && FolderExists(folder_)) EmptyFolder(folder_, L".jpg", false);
}

void CMyTwain::CopyImage(TW_HANDLE image, const TW_IMAGEINFO&) {
    GlobalMemoryLock<BITMAPINFOHEADER> locked(image);
    if (!locked || !IsCompleteDib(locked.get(), GlobalSize(image))) return;
    if (lastScanToDelete_) {
        DeletePages();
        lastScanToDelete_ = false;
    }
    if (folder_.empty() || !CreateFolderTree(folder_)) return;
    const std::wstring path = FirstFreePath(folder_, L"pic", L".jpg");
    if (SavePage(image, locked.get(), path)) pictures_.push_back(path);
}
