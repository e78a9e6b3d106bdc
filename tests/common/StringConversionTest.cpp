#include <windows.h>
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "common/StringConversion.h"

namespace {

UINT ThreadAnsiCodePage() {
    UINT codePage = 0;
    GetLocaleInfoW(GetThreadLocale(), LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                   reinterpret_cast<LPWSTR>(&codePage), sizeof(codePage) / sizeof(wchar_t));
    return codePage;
}

TEST(StringConversionTest, EmptyTextStaysEmpty) {
    EXPECT_EQ(Utf8ToWide(""), L"");
    EXPECT_EQ(WideToUtf8(L""), "");
    EXPECT_EQ(AnsiToWide(""), L"");
    EXPECT_EQ(WideToAnsi(L""), "");
}

TEST(StringConversionTest, Utf8AndWideConvertBothWays) {
    struct Pair {
        std::string utf8;
        std::wstring wide;
    };
    const Pair pairs[] = {
        {"plain ASCII", L"plain ASCII"},
        {u8"中文识别", L"中文识别"},
        // Outside the Basic Multilingual Plane: one UTF-16 surrogate pair.
        {"\xF0\xA0\x80\x80", L"\xD840\xDC00"},
        // A zero inside the text is converted, not taken as its end.
        {std::string("a\0b", 3), std::wstring(L"a\0b", 3)},
    };
    for (const Pair& pair : pairs) {
        SCOPED_TRACE(pair.utf8);
        EXPECT_EQ(Utf8ToWide(pair.utf8), pair.wide);
        EXPECT_EQ(WideToUtf8(pair.wide), pair.utf8);
    }
}

TEST(StringConversionTest, InvalidUtf8GivesEmptyText) {
    const std::string invalid[] = {
        "\xFF",            // never part of UTF-8
        "\x80",            // continuation byte without a lead byte
        "abc\xC3",         // sequence cut off at the end
        "\xE4\xB8 text",   // sequence cut off in the middle
        "\xC0\xAF",        // over-long form of "/"
        "\xED\xA0\x80",    // encoded surrogate
        u8"中文\xFE识别",  // one bad byte in otherwise good text
    };
    for (const std::string& text : invalid) {
        SCOPED_TRACE(testing::PrintToString(text));
        EXPECT_EQ(Utf8ToWide(text), L"");
    }
}

TEST(StringConversionTest, AnsiUsesTheThreadCodePage) {
    // The tests run in the Chinese locale (scripts/wine), whose ANSI code page is GBK.
    ASSERT_EQ(ThreadAnsiCodePage(), 936u);
    struct Pair {
        std::string ansi;
        std::wstring wide;
    };
    const Pair pairs[] = {
        {"\xD6\xD0\xCE\xC4", L"中文"},
        {"C:\\\xCD\xBC\xC6\xAC\\\xC9\xA8\xC3\xE8.png", L"C:\\图片\\扫描.png"},
    };
    for (const Pair& pair : pairs) {
        SCOPED_TRACE(testing::PrintToString(pair.ansi));
        EXPECT_EQ(AnsiToWide(pair.ansi), pair.wide);
        EXPECT_EQ(WideToAnsi(pair.wide), pair.ansi);
    }
}

// Committed pages that are never touched cost no memory, so a real text this long is cheap.
class HugeBuffer {
public:
    explicit HugeBuffer(size_t bytes)
        : memory_(VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE)) {}
    ~HugeBuffer() {
        if (memory_ != nullptr) {
            VirtualFree(memory_, 0, MEM_RELEASE);
        }
    }
    HugeBuffer(const HugeBuffer&) = delete;
    HugeBuffer& operator=(const HugeBuffer&) = delete;

    void* Get() const { return memory_; }

private:
    void* memory_;
};

TEST(StringConversionTest, TextBeyondIntLengthsGivesEmptyTextInsteadOfACut) {
    if (sizeof(void*) < 8) {
        GTEST_SKIP() << "needs a 64-bit address space";
    }
    const size_t length = size_t{INT_MAX} + 1;
    HugeBuffer buffer(length * sizeof(wchar_t));
    if (buffer.Get() == nullptr) {
        GTEST_SKIP() << "could not reserve " << length * sizeof(wchar_t) << " bytes";
    }
    const std::string_view bytes(static_cast<const char*>(buffer.Get()), length);
    const std::wstring_view wide(static_cast<const wchar_t*>(buffer.Get()), length);

    EXPECT_EQ(Utf8ToWide(bytes), L"");
    EXPECT_EQ(AnsiToWide(bytes), L"");
    EXPECT_EQ(WideToUtf8(wide), "");
    EXPECT_EQ(WideToAnsi(wide), "");
}

}  // namespace
