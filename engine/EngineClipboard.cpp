#include "engine/EngineClipboard.h"

#include <windows.h>

#include "common/Win32Handles.h"

namespace {

// Puts the bytes of a clipboard block into text unless the first is a null (no result). The
// block is unlocked again on return.
void ReadBlock(HANDLE block, std::string& text) {
    GlobalMemoryLock<const char> bytes(block);
    if (!bytes) return;
    const size_t size = GlobalSize(block);
    if (size != 0 && bytes.get()[0] != '\0') text.assign(bytes.get(), size);
}

}  // namespace

std::string TakeEngineClipboardText(const ClipboardSnapshot& userContent) {
    // A window message registered under a name has the same number as the
    // clipboard format registered under it.
    const UINT format = RegisterWindowMessageW(kEngineClipboardFormat);
    if (format == 0 || !IsClipboardFormatAvailable(format)) return {};
    OpenedClipboard clipboard;
    if (!clipboard) return {};
    std::string text;
    HANDLE block = GetClipboardData(format);
    if (!block) return {};
    ReadBlock(block, text);
    // Putting back empties the clipboard, which frees the block: only after it was read and
    // unlocked. An unreadable block is replaced all the same.
    userContent.PutBack(clipboard);
    return text;
}
