#include "engine/EngineClipboard.h"

#include <windows.h>

#include "common/Win32Handles.h"

namespace {

// Puts the bytes of a clipboard block into text unless the first is a null (no result); false
// when the block can not be read. The block is unlocked again on return.
bool ReadBlock(HANDLE block, std::string& text) {
    GlobalMemoryLock<const char> bytes(block);
    if (!bytes) return false;
    const size_t size = GlobalSize(block);
    if (size != 0 && bytes.get()[0] != '\0') text.assign(bytes.get(), size);
    return true;
}

}  // namespace

std::string TakeEngineClipboardText() {
    // A window message registered under a name has the same number as the
    // clipboard format registered under it.
    const UINT format = RegisterWindowMessageW(kEngineClipboardFormat);
    if (format == 0 || !OpenClipboard(nullptr)) return {};
    std::string text;
    HANDLE block = IsClipboardFormatAvailable(format) ? GetClipboardData(format) : nullptr;
    // Emptying frees the block, so only after it was read and unlocked.
    if (block && ReadBlock(block, text)) EmptyClipboard();
    CloseClipboard();
    return text;
}
