// The bridge to the local engine, run with the engine doubles.
#include <gmock/gmock.h>

#include "engine/LocalEngineBridge.h"
#include "tests/engine/EngineTestSupport.h"

namespace {

using ::testing::HasSubstr;

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

TEST_F(LocalEngineBridgeTest, ReadsTheEnginesAnsiTextAndEmptiesTheClipboard) {
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

}  // namespace
