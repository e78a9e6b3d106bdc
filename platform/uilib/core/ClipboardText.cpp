#include "platform/uilib/core/ClipboardText.h"

#include "common/Win32Handles.h"

std::optional<std::wstring> ReadClipboardText(HWND owner) {
    if (!OpenClipboard(owner)) {
        return std::nullopt;
    }
    std::optional<std::wstring> text;
    {
        GlobalMemoryLock<const wchar_t> chars(GetClipboardData(CF_UNICODETEXT));
        if (chars) {
            text = chars.get();
        }
    }
    CloseClipboard();
    return text;
}
