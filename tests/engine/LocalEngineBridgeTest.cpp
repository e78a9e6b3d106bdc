// The bridge to the local engine, run with the engine doubles.
#include <gmock/gmock.h>
#include <shlobj.h>

#include <vector>

#include "engine/LocalEngineBridge.h"
#include "tests/engine/EngineTestSupport.h"

namespace {

using ::testing::HasSubstr;

// One block of the clipboard: its format and its bytes.
struct ClipboardBlock {
    UINT format;
    std::string bytes;
};
using ClipboardContent = std::vector<ClipboardBlock>;

// The engine doubles that answer at once, and the text each gives.
const struct {
    const wchar_t* name;
    const wchar_t* text;
} kAnsweringEngines[] = {{L"engine_double_writer", L"text"}, {L"engine_double_zero", L""}};

template <class Char>
std::string BytesOf(const std::basic_string<Char>& text) {
    return std::string(reinterpret_cast<const char*>(text.c_str()),
                       (text.size() + 1) * sizeof(Char));
}

// A 2 × 1 picture of 24 bits per pixel, its row padded to 4 bytes.
std::string SmallDib() {
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = 2;
    header.biHeight = 1;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = 8;
    return std::string(reinterpret_cast<const char*>(&header), sizeof(header)) +
           std::string("\x10\x20\x30\xF0\xE0\xD0\0\0", 8);
}

// Two files as Explorer copies them: DROPFILES, then zero-ended wide paths and one more zero.
std::string FileList() {
    DROPFILES header = {};
    header.pFiles = sizeof(header);
    header.fWide = TRUE;
    return std::string(reinterpret_cast<const char*>(&header), sizeof(header)) +
           BytesOf(std::wstring(L"C:\\用户\\a.txt") + L'\0' + L"C:\\b.png" + L'\0');
}

void ReplaceClipboard(const ClipboardContent& content) {
    HWND owner =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    for (const ClipboardBlock& block : content) {
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, block.bytes.size());
        memcpy(GlobalLock(memory), block.bytes.data(), block.bytes.size());
        GlobalUnlock(memory);
        EXPECT_NE(SetClipboardData(block.format, memory), nullptr);
    }
    CloseClipboard();
    DestroyWindow(owner);
}

// The whole block of the format on the clipboard, or empty.
std::string ClipboardBytes(UINT format) {
    std::string bytes;
    if (!OpenClipboard(nullptr)) return bytes;
    if (HANDLE block = GetClipboardData(format)) {
        if (const auto* data = static_cast<const char*>(GlobalLock(block))) {
            bytes.assign(data, GlobalSize(block));
            GlobalUnlock(block);
        }
    }
    CloseClipboard();
    return bytes;
}

class LocalEngineBridgeTest : public testing::Test {
protected:
    ~LocalEngineBridgeTest() override { EndStrayEngines(); }

    std::wstring Picture() {
        const std::wstring path = folder_.File(L"\uc0ac\uc9c4.png");
        WritePicture(path, {Gdiplus::Color(255, 0, 0), Gdiplus::Color(0, 255, 0),
                            Gdiplus::Color(10, 20, 30)});
        return path;
    }
    std::wstring EngineFile(const wchar_t* name) const {
        return JoinPath(install_.Path(), std::wstring(L"recognition\\") + name);
    }
    static bool EngineFormatOnClipboard() {
        return IsClipboardFormatAvailable(RegisterClipboardFormatW(L"ZIDAV_FMT"));
    }

    GdiplusSession gdiplus_;
    TempFolder folder_;
    TempFolder install_;
    TempFolder data_;
};

TEST_F(LocalEngineBridgeTest, ReadsTheEnginesAnsiTextAndLeavesNoBlockOfIt) {
    InstallEngineDouble(install_.Path(), L"engine_double_writer", L"本地识别的文字 text 2026");
    LocalEngineBridge bridge(install_.Path(), data_.Path());
    ASSERT_TRUE(bridge.EngineAvailable());

    std::wstring text;
    ASSERT_TRUE(bridge.Recognise(Picture(), text));

    EXPECT_EQ(text, L"本地识别的文字 text 2026");
    EXPECT_FALSE(EngineFormatOnClipboard());
    const std::wstring expectedLine =
        L"\"" + EngineFile(L"ZOZID32.dll") + L"\" \"" + JoinPath(data_.Path(), L"tmp.bmp") + L"\"";
    EXPECT_EQ(Utf8ToWide(ReadFileBytes(EngineFile(L"args.txt"))), expectedLine);
}

TEST_F(LocalEngineBridgeTest, AColourPictureReachesTheEngineAsAnEightBitGreyBmp) {
    InstallEngineDouble(install_.Path(), L"engine_double_writer", L"x");
    LocalEngineBridge bridge(install_.Path(), data_.Path());
    std::wstring text;
    ASSERT_TRUE(bridge.Recognise(Picture(), text));

    const std::string bmp = ReadFileBytes(JoinPath(data_.Path(), L"tmp.bmp"));
    ASSERT_GT(bmp.size(), sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
    const auto* file = reinterpret_cast<const BITMAPFILEHEADER*>(bmp.data());
    const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(bmp.data() + sizeof(*file));
    EXPECT_EQ(file->bfType, 0x4D42);
    EXPECT_EQ(info->biBitCount, 8);
    EXPECT_EQ(info->biCompression, static_cast<DWORD>(BI_RGB));
    const auto* palette =
        reinterpret_cast<const RGBQUAD*>(bmp.data() + sizeof(*file) + info->biSize);
    for (int i : {0, 1, 127, 255}) {
        EXPECT_EQ(palette[i].rgbRed, i);
        EXPECT_EQ(palette[i].rgbGreen, i);
        EXPECT_EQ(palette[i].rgbBlue, i);
    }
    const auto* pixels = reinterpret_cast<const unsigned char*>(bmp.data() + file->bfOffBits);
    // 0.299 × 255, 0.587 × 255 and 0.299 × 10 + 0.587 × 20 + 0.114 × 30, truncated.
    EXPECT_EQ(pixels[0], 76);
    EXPECT_EQ(pixels[1], 149);
    EXPECT_EQ(pixels[2], 18);
}

TEST_F(LocalEngineBridgeTest, APictureGdiplusCanNotReadNeverStartsTheEngine) {
    InstallEngineDouble(install_.Path(), L"engine_double_writer", L"x");
    WriteFileBytes(folder_.File(L"broken.png"), "\x89PNG not really");
    LocalEngineBridge bridge(install_.Path(), data_.Path());

    std::wstring text;
    EXPECT_FALSE(bridge.Recognise(folder_.File(L"broken.png"), text));
    EXPECT_FALSE(bridge.Recognise(folder_.File(L"missing.png"), text));
    EXPECT_FALSE(FileExists(EngineFile(L"args.txt")));
}

TEST_F(LocalEngineBridgeTest, AMissingEngineIsUnavailableAndFails) {
    LocalEngineBridge bridge(install_.Path(), data_.Path());
    EXPECT_FALSE(bridge.EngineAvailable());
    std::wstring text;
    EXPECT_FALSE(bridge.Recognise(Picture(), text));
}

TEST_F(LocalEngineBridgeTest, ABlockStartingWithAZeroByteIsNoText) {
    InstallEngineDouble(install_.Path(), L"engine_double_zero");
    LocalEngineBridge bridge(install_.Path(), data_.Path());

    std::wstring text;
    EXPECT_FALSE(bridge.Recognise(Picture(), text));
    EXPECT_TRUE(text.empty());
    EXPECT_FALSE(EngineFormatOnClipboard());
}

TEST_F(LocalEngineBridgeTest, ASlowEngineGivesNoTextAndEndsWithTheBridge) {
    InstallEngineDouble(install_.Path(), L"engine_double_slow", L"too late");
    {
        LocalEngineBridge bridge(install_.Path(), data_.Path());
        std::wstring text;
        EXPECT_FALSE(bridge.Recognise(Picture(), text));
        EXPECT_EQ(EngineProcessCount(), 1);
    }
    EXPECT_EQ(EngineProcessCount(), 0);
}

TEST_F(LocalEngineBridgeTest, AnEngineLeftOverFromEarlierIsEndedFirst) {
    TempFolder otherInstall;
    InstallEngineDouble(otherInstall.Path(), L"engine_double_slow", L"stale");
    std::wstring line = L"\"" + JoinPath(otherInstall.Path(), L"recognition\\ZOZID32.dll") + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION leftover = {};
    ASSERT_TRUE(CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &leftover));
    CloseHandle(leftover.hThread);
    InstallEngineDouble(install_.Path(), L"engine_double_writer", L"fresh");

    LocalEngineBridge bridge(install_.Path(), data_.Path());
    std::wstring text;
    EXPECT_TRUE(bridge.Recognise(Picture(), text));

    EXPECT_EQ(WaitForSingleObject(leftover.hProcess, 0), WAIT_OBJECT_0);
    EXPECT_EQ(text, L"fresh");
    CloseHandle(leftover.hProcess);
}

TEST_F(LocalEngineBridgeTest, WhatTheUserCopiedComesBackWhetherTheEngineGivesTextOrNot) {
    const struct {
        const char* name;
        ClipboardContent content;
    } cases[] = {
        {"Unicode text", {{CF_UNICODETEXT, BytesOf(std::wstring(L"用户复制的文字"))}}},
        {"Unicode and ANSI text",
         {{CF_UNICODETEXT, BytesOf(std::wstring(L"统一"))},
          {CF_TEXT, BytesOf(std::string("ansi"))}}},
        {"picture", {{CF_DIB, SmallDib()}}},
        {"file list", {{CF_HDROP, FileList()}}},
    };
    for (const auto& kept : cases) {
        for (const auto& engine : kAnsweringEngines) {
            SCOPED_TRACE(std::string(kept.name) + " with " + WideToUtf8(engine.name));
            TempFolder install;
            InstallEngineDouble(install.Path(), engine.name, engine.text);
            ReplaceClipboard(kept.content);

            std::wstring text;
            LocalEngineBridge(install.Path(), data_.Path()).Recognise(Picture(), text);

            EXPECT_EQ(text, engine.text);
            EXPECT_FALSE(EngineFormatOnClipboard());
            for (const ClipboardBlock& block : kept.content) {
                EXPECT_EQ(ClipboardBytes(block.format), block.bytes) << block.format;
            }
        }
    }
}

TEST_F(LocalEngineBridgeTest, AnEmptyClipboardStaysEmpty) {
    for (const auto& engine : kAnsweringEngines) {
        SCOPED_TRACE(WideToUtf8(engine.name));
        TempFolder install;
        InstallEngineDouble(install.Path(), engine.name, engine.text);
        ReplaceClipboard({});

        std::wstring text;
        LocalEngineBridge(install.Path(), data_.Path()).Recognise(Picture(), text);

        EXPECT_EQ(CountClipboardFormats(), 0);
    }
}

TEST_F(LocalEngineBridgeTest, AnAnswerAfterTheWaitIsReplacedByWhatTheUserCopied) {
    InstallEngineDouble(install_.Path(), L"engine_double_slow", L"too late");
    ReplaceClipboard({{CF_UNICODETEXT, BytesOf(std::wstring(L"mine"))}});
    {
        LocalEngineBridge bridge(install_.Path(), data_.Path());
        std::wstring text;
        EXPECT_FALSE(bridge.Recognise(Picture(), text));
        for (int waited = 0; !EngineFormatOnClipboard() && waited < 5000; waited += 50) Sleep(50);
        ASSERT_TRUE(EngineFormatOnClipboard());
    }
    EXPECT_FALSE(EngineFormatOnClipboard());
    EXPECT_EQ(ClipboardUnicodeText(), L"mine");
}

}  // namespace
