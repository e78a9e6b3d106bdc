#pragma once

#include <windows.h>

#include <cstring>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "common/Win32Handles.h"
#include "tests/app/AppTestSupport.h"

// Puts text on the clipboard while it lives, then puts back the Unicode text
// the clipboard held before (or leaves it empty when it held none), so a test
// does not lose what the person running it had copied.
class ScopedClipboardText {
public:
    explicit ScopedClipboardText(const std::wstring& text) : previous_(Read()) { Write(text); }
    ~ScopedClipboardText() {
        if (previous_) {
            Write(*previous_);
        } else if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            CloseClipboard();
        }
    }
    ScopedClipboardText(const ScopedClipboardText&) = delete;
    ScopedClipboardText& operator=(const ScopedClipboardText&) = delete;

private:
    static std::optional<std::wstring> Read() {
        if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return std::nullopt;
        return ClipboardUnicodeText();
    }
    static void Write(const std::wstring& text) {
        const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
        GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE, bytes));
        {
            GlobalMemoryLock<> data(block.get());
            ASSERT_TRUE(data);
            memcpy(data.get(), text.c_str(), bytes);
        }
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        if (SetClipboardData(CF_UNICODETEXT, block.get())) {
            block.release();
        }
        CloseClipboard();
    }

    std::optional<std::wstring> previous_;
};
