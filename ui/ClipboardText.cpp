#include "ui/ClipboardText.h"

#include <cstring>

#include "common/Win32Handles.h"

namespace {

// Another program may hold the clipboard open for a moment (a clipboard
// manager reading what was just copied): asked again for up to 250 ms.
constexpr int kOpenAttempts = 10;
constexpr DWORD kOpenRetryMs = 25;

bool OpenClipboardWhenFree(HWND owner) {
    for (int attempt = 1;; ++attempt) {
        if (OpenClipboard(owner)) return true;
        if (attempt == kOpenAttempts) return false;
        Sleep(kOpenRetryMs);
    }
}

bool CopyIntoBlock(HGLOBAL block, const void* bytes, size_t size) {
    GlobalMemoryLock<> data(block);
    if (!data) return false;
    memcpy(data.get(), bytes, size);
    return true;
}

}  // namespace

bool CopyTextToClipboard(HWND owner, const std::wstring& text) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes));
    if (!block || !CopyIntoBlock(block.get(), text.c_str(), bytes)) return false;
    if (!OpenClipboardWhenFree(owner)) return false;
    EmptyClipboard();
    const bool placed = SetClipboardData(CF_UNICODETEXT, block.get()) != nullptr;
    CloseClipboard();
    // The clipboard owns the block once it took it.
    if (placed) block.release();
    return placed;
}
