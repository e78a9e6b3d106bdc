#include "scan/MyTwain.h"

#include <cstdlib>
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
    {
        GlobalMemoryLock<> locked(image);
        if (!locked || !IsCompleteDib(locked.get(), GlobalSize(image))) return;
    }
    if (lastScanToDelete_) {
        DeletePages();
        lastScanToDelete_ = false;
    }
    GdiObject<HBITMAP> page(PageBitmap(image));
    if (!page || folder_.empty() || !CreateFolderTree(folder_)) return;
    const std::wstring path = FirstFreePath(folder_, L"pic", L".jpg");
    if (SaveBitmapAsJpeg(page.get(), path, kJpegQuality)) pictures_.push_back(path);
}
