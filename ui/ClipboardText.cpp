#include "ui/ClipboardText.h"

#include <cstring>

#include "common/ClipboardOpening.h"
#include "common/Win32Handles.h"

namespace {

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
