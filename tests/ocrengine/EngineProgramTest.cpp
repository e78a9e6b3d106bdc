// The offline engine program run as the program runs it, on pictures drawn
// here: what it leaves on the clipboard in its format, in code page 936.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

const wchar_t kEngine[] = PIMLO_OCR_ENGINE_PATH;
const wchar_t kResultFormat[] = L"ZIDAV_FMT";
// Far beyond the program's 5-second wait: the test is about what the engine
// leaves, not how fast (the benchmark measures that).
constexpr DWORD kEngineEndMs = 60000;

const std::vector<std::wstring> kLines = {L"本地识别引擎测试", L"Offline text recognition 2026",
                                          L"中文和English混合"};

std::wstring TempFile(const wchar_t* name) {
    wchar_t folder[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, folder);
    return std::wstring(folder) + L"pimlo-engine-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           name;
}

// Removes the file when the test ends.
class ScopedFile {
public:
    ScopedFile(const wchar_t* name, const std::string& bytes) : path_(TempFile(name)) {
        HANDLE file = CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        CloseHandle(file);
    }
    ~ScopedFile() { DeleteFileW(path_.c_str()); }
    const std::wstring& Path() const { return path_; }

private:
    std::wstring path_;
};

// Black lines on a white page, drawn by GDI, as 24-bit rows bottom up.
struct Page {
    int width = 1000;
    int height = 300;
    std::vector<BYTE> rows;
    int Stride() const { return (width * 3 + 3) & ~3; }
};

BITMAPINFOHEADER InfoHeader(int width, int height, WORD bitCount) {
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = bitCount;
    info.biCompression = BI_RGB;
    return info;
}

Page DrawPage(const std::vector<std::wstring>& lines) {
    Page page;
    BITMAPINFO info = {};
    info.bmiHeader = InfoHeader(page.width, page.height, 24);
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previousBitmap = SelectObject(dc, section);
    RECT all = {0, 0, page.width, page.height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HFONT font = CreateFontW(-40, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                             ANTIALIASED_QUALITY, 0, L"微软雅黑");
    HGDIOBJ previousFont = SelectObject(dc, font);
    int y = 40;
    for (const std::wstring& line : lines) {
        TextOutW(dc, 40, y, line.c_str(), static_cast<int>(line.size()));
        y += 80;
    }
    GdiFlush();
    const auto* first = static_cast<const BYTE*>(bits);
    page.rows.assign(first, first + static_cast<size_t>(page.Stride()) * page.height);
    DeleteObject(SelectObject(dc, previousFont));
    SelectObject(dc, previousBitmap);
    DeleteObject(section);
    DeleteDC(dc);
    return page;
}

template <typename T>
void Append(std::string& bytes, const T& value) {
    bytes.append(reinterpret_cast<const char*>(&value), sizeof(value));
}

std::string BmpFile(int width, int height, WORD bitCount, const std::vector<RGBQUAD>& palette,
                    const std::string& rows) {
    const DWORD offset = static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) +
                                            palette.size() * sizeof(RGBQUAD));
    BITMAPFILEHEADER file = {0x4D42, static_cast<DWORD>(offset + rows.size()), 0, 0, offset};
    BITMAPINFOHEADER info = InfoHeader(width, height, bitCount);
    info.biClrUsed = static_cast<DWORD>(palette.size());
    std::string bytes;
    Append(bytes, file);
    Append(bytes, info);
    for (const RGBQUAD& entry : palette) Append(bytes, entry);
    return bytes + rows;
}

std::string Bmp24(const Page& page) {
    return BmpFile(page.width, page.height, 24, {},
                   std::string(page.rows.begin(), page.rows.end()));
}

// 8 bits a pixel with a 256-entry grey palette, as the program prepares its
// pictures: grey = 0.299 red + 0.587 green + 0.114 blue.
std::string BmpGrey8(const Page& page) {
    std::vector<RGBQUAD> palette(256);
    for (int i = 0; i < 256; ++i) palette[i] = {BYTE(i), BYTE(i), BYTE(i), 0};
    const int stride = (page.width + 3) & ~3;
    std::string rows(static_cast<size_t>(stride) * page.height, '\0');
    for (int y = 0; y < page.height; ++y) {
        for (int x = 0; x < page.width; ++x) {
            const BYTE* bgr = &page.rows[static_cast<size_t>(y) * page.Stride() + x * 3];
            rows[static_cast<size_t>(y) * stride + x] =
                static_cast<char>(0.299 * bgr[2] + 0.587 * bgr[1] + 0.114 * bgr[0]);
        }
    }
    return BmpFile(page.width, page.height, 8, palette, rows);
}

// Runs the engine on the picture with the program's command line; its exit
// code, or nothing when it did not end.
std::optional<DWORD> RunEngine(const std::wstring& picture) {
    std::wstring line = L"\"" + std::wstring(kEngine) + L"\" \"" + picture + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started = {};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started))
        return std::nullopt;
    std::optional<DWORD> exitCode;
    if (WaitForSingleObject(started.hProcess, kEngineEndMs) == WAIT_OBJECT_0) {
        DWORD code = 0;
        GetExitCodeProcess(started.hProcess, &code);
        exitCode = code;
    } else {
        TerminateProcess(started.hProcess, 1);
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return exitCode;
}

// Replaces the clipboard by one block of the format: the text and a zero byte.
void PutOnClipboard(UINT format, const std::string& text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    HWND owner =
        CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    SetClipboardData(format, block);
    CloseClipboard();
    DestroyWindow(owner);
}

// The text of the clipboard's block of the format, or nothing.
std::optional<std::string> ClipboardBlock(UINT format) {
    if (!OpenClipboard(nullptr)) return std::nullopt;
    std::optional<std::string> bytes;
    if (HANDLE block = GetClipboardData(format)) {
        if (const auto* data = static_cast<const char*>(GlobalLock(block))) {
            // A block may be larger than what was put in it: up to its first zero byte.
            bytes.emplace(data, strnlen(data, GlobalSize(block)));
            GlobalUnlock(block);
        }
    }
    CloseClipboard();
    return bytes;
}

// The engine's text as the program reads it: ANSI up to the first zero byte.
std::optional<std::wstring> EngineText() {
    std::optional<std::string> block = ClipboardBlock(RegisterClipboardFormatW(kResultFormat));
    if (!block || block->empty()) return std::nullopt;
    const std::string& ansi = *block;
    std::wstring text(ansi.size(), L'\0');
    text.resize(MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()),
                                    text.data(), static_cast<int>(text.size())));
    return text;
}

std::vector<std::wstring> SplitLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

class EngineProgramTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(GetACP(), 936u) << "the engine's text is read in code page 936";
    }
    void TearDown() override { PutOnClipboard(CF_TEXT, "x"); }
};

TEST_F(EngineProgramTest, LeavesTheLinesOfAGreyOrColourBmpInReadingOrder) {
    const Page page = DrawPage(kLines);
    const struct {
        const wchar_t* name;
        std::string bytes;
    } pictures[] = {{L"grey8.bmp", BmpGrey8(page)}, {L"colour24.bmp", Bmp24(page)}};
    for (const auto& picture : pictures) {
        PutOnClipboard(CF_TEXT, "before");
        ScopedFile file(picture.name, picture.bytes);

        EXPECT_EQ(RunEngine(file.Path()), 0u) << picture.name;

        std::optional<std::wstring> text = EngineText();
        ASSERT_TRUE(text) << picture.name;
        EXPECT_EQ(SplitLines(*text), kLines) << picture.name;
    }
}

TEST_F(EngineProgramTest, APictureWithoutTextLeavesNoTextAndTheClipboardAlone) {
    const struct {
        const wchar_t* name;
        std::string bytes;
        bool written;
    } pictures[] = {
        {L"missing.bmp", "", false},
        {L"empty.bmp", "", true},
        {L"not-a-picture.bmp", std::string(4096, '\x5A'), true},
        {L"cut-off.bmp", BmpGrey8(DrawPage(kLines)).substr(0, 2000), true},
        {L"blank.bmp", BmpGrey8(DrawPage({})), true},
    };
    for (const auto& picture : pictures) {
        PutOnClipboard(CF_TEXT, "what the user copied");
        std::optional<ScopedFile> file;
        if (picture.written) file.emplace(picture.name, picture.bytes);

        const std::optional<DWORD> exitCode = RunEngine(TempFile(picture.name));

        ASSERT_TRUE(exitCode) << picture.name;
        EXPECT_LT(*exitCode, 0xC0000000u) << picture.name << " ended by an exception";
        EXPECT_FALSE(EngineText()) << picture.name;
        EXPECT_EQ(ClipboardBlock(CF_TEXT), "what the user copied") << picture.name;
    }
}

TEST_F(EngineProgramTest, AResultLeftByAnEarlierRunIsNotTakenForThisPicture) {
    PutOnClipboard(RegisterClipboardFormatW(kResultFormat), "earlier text");
    ScopedFile file(L"blank.bmp", BmpGrey8(DrawPage({})));

    RunEngine(file.Path());

    EXPECT_FALSE(EngineText());
}

}  // namespace
