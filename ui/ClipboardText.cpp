#include "ui/ClipboardText.h"

#include <cstring>

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

}  // namespace

bool CopyTextToClipboard(HWND owner, const std::wstring& text) {
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (!block) return false;
    void* data = GlobalLock(block);
    if (!data) {
        GlobalFree(block);
        return false;
    }
    memcpy(data, text.c_str(), bytes);
    GlobalUnlock(block);
    if (!OpenClipboardWhenFree(owner)) {
        GlobalFree(block);
        return false;
    }
    EmptyClipboard();
    // The clipboard owns the block once it took it.
    const bool placed = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
    CloseClipboard();
    if (!placed) GlobalFree(block);
    return placed;
}
