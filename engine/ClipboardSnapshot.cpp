#include "engine/ClipboardSnapshot.h"

#include <cstring>

#include "common/ClipboardOpening.h"
#include "common/Win32Handles.h"

namespace {

// Formats held in plain global memory blocks, copied byte for byte. Those the
// system makes from another format (CF_TEXT from Unicode text, CF_DIB from a
// bitmap) are copied too, so a picture copied as a bitmap comes back as a DIB.
constexpr UINT kKeptFormats[] = {CF_UNICODETEXT, CF_TEXT, CF_DIB, CF_DIBV5, CF_HDROP};

bool Kept(UINT format) {
    for (UINT kept : kKeptFormats) {
        if (kept == format) return true;
    }
    return false;
}

bool CopyBlock(HANDLE block, std::string& bytes) {
    GlobalMemoryLock<const char> data(block);
    if (!data) return false;
    bytes.assign(data.get(), GlobalSize(block));
    return true;
}

HGLOBAL NewBlock(const std::string& bytes) {
    GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    if (!block) return nullptr;
    {
        GlobalMemoryLock<> data(block.get());
        if (!data) return nullptr;
        memcpy(data.get(), bytes.data(), bytes.size());
    }
    return block.release();
}

}  // namespace

OpenedClipboard::OpenedClipboard()
    : owner_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                             nullptr)),
      open_(owner_ && OpenClipboardWhenFree(owner_)) {}

OpenedClipboard::~OpenedClipboard() {
    if (open_) CloseClipboard();
    if (owner_) DestroyWindow(owner_);
}

ClipboardSnapshot ClipboardSnapshot::Take() {
    ClipboardSnapshot snapshot;
    OpenedClipboard clipboard;
    if (!clipboard) return snapshot;
    for (UINT format = EnumClipboardFormats(0); format != 0;
         format = EnumClipboardFormats(format)) {
        if (!Kept(format)) continue;
        Block block{format, {}};
        if (CopyBlock(GetClipboardData(format), block.bytes)) {
            snapshot.blocks_.push_back(std::move(block));
        }
    }
    return snapshot;
}

void ClipboardSnapshot::PutBack(const OpenedClipboard&) const {
    EmptyClipboard();
    for (const Block& block : blocks_) {
        GlobalMemory copy(NewBlock(block.bytes));
        // The clipboard owns the copy once it took it.
        if (copy && SetClipboardData(block.format, copy.get())) copy.release();
    }
}
