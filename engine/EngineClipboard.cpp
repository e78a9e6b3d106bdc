#include "engine/EngineClipboard.h"

#include <windows.h>

std::string TakeEngineClipboardText() {
    // A window message registered under a name has the same number as the
    // clipboard format registered under it.
    const UINT format = RegisterWindowMessageW(kEngineClipboardFormat);
    if (format == 0 || !OpenClipboard(nullptr)) return {};
    std::string text;
    HANDLE block = IsClipboardFormatAvailable(format) ? GetClipboardData(format) : nullptr;
    const void* data = block ? GlobalLock(block) : nullptr;
    if (data) {
        const size_t size = GlobalSize(block);
        const char* bytes = static_cast<const char*>(data);
        if (size != 0 && bytes[0] != '\0') text.assign(bytes, size);
        GlobalUnlock(block);
        EmptyClipboard();
    }
    CloseClipboard();
    return text;
}
