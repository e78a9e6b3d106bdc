#include "ResultClipboard.h"

#include <windows.h>

#include <cstring>
#include <memory>

namespace {

// Another program may hold the clipboard for a moment; how often and how
// long apart opening it is tried.
constexpr int kOpenAttempts = 40;
constexpr DWORD kOpenRetryMs = 25;

struct WindowDestroyer {
    void operator()(HWND window) const { DestroyWindow(window); }
};
using OwnerWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;

// The clipboard keeps data set only while opened by a window: a message-only
// window owns it. Blocks set with SetClipboardData stay after it is gone.
OwnerWindow NewOwnerWindow() {
    return OwnerWindow(
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
}

bool OpenClipboardPatiently(HWND owner) {
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        if (OpenClipboard(owner)) return true;
        Sleep(kOpenRetryMs);
    }
    return false;
}

HGLOBAL NewBlock(const std::string& text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    if (!block) return nullptr;
    void* bytes = GlobalLock(block);
    if (!bytes) {
        GlobalFree(block);
        return nullptr;
    }
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    return block;
}

}  // namespace

bool PutResultOnClipboard(const std::string& ansiText) {
    const UINT format = RegisterClipboardFormatW(kResultClipboardFormat);
    OwnerWindow owner = NewOwnerWindow();
    if (format == 0 || !owner) return false;
    HGLOBAL block = NewBlock(ansiText);
    if (!block) return false;
    if (!OpenClipboardPatiently(owner.get())) {
        GlobalFree(block);
        return false;
    }
    EmptyClipboard();
    // On success the clipboard owns the block.
    const bool placed = SetClipboardData(format, block) != nullptr;
    if (!placed) GlobalFree(block);
    CloseClipboard();
    return placed;
}

void ClearStaleResult() {
    const UINT format = RegisterClipboardFormatW(kResultClipboardFormat);
    if (format != 0 && IsClipboardFormatAvailable(format)) PutResultOnClipboard({});
}
