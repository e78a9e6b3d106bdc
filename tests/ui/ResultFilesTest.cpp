// What a run writes and shows: display texts, the text file format, the
// result-list sizes, output folder names, shrunk copies of large pictures
// and copies to the clipboard.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <gmock/gmock.h>

#include <thread>

#include "common/FileSystem.h"
#include "common/GdiplusSession.h"
#include "common/ImageEncoding.h"
#include "common/StringConversion.h"
#include "tests/app/AppTestSupport.h"
#include "ui/ClipboardText.h"
#include "ui/IdCardPicture.h"
#include "ui/OutputFolder.h"
#include "ui/PictureShrinking.h"
#include "ui/ResultText.h"

namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

TEST(DisplayText, BankCardPermitAndLines) {
    RecognitionResult card;
    card.bankName = L"中国工商银行";
    card.bankCardNumber = "6222 0202 0011 2345 679";
    card.lines = {L"ignored"};
    EXPECT_EQ(DisplayText(card, RecognitionKind::BankCard),
              L"中国工商银行\r\n6222 0202 0011 2345 679");

    RecognitionResult permit;
    permit.lines = {L"开户许可证", L"账号12", L"3x"};
    EXPECT_EQ(DisplayText(permit, RecognitionKind::AccountPermit), L"账号：123\r\n");

    RecognitionResult text;
    text.lines = {L"a", L"", L"b"};
    EXPECT_EQ(DisplayText(text, RecognitionKind::LocalText), L"a\r\n\r\nb\r\n");
    EXPECT_EQ(DisplayText(RecognitionResult(), RecognitionKind::GeneralText), L"");
}

// A picture without text is shown, saved and merged as "OCRNone", never as
// nothing; copying keeps the last real text.
TEST(DisplayText, AResultWithoutTextGivesTheNoneTextAndKeepsTheCopiedText) {
    TempFolder language;
    WriteLanguageFileOf(language.File(L"cn.dat"), {{L"OCRNone", L"没有文字"}}, {});
    ScopedLanguageFile scoped(language.File(L"cn.dat"));
    RecognitionResult text;
    text.lines = {L"a"};
    RecognitionResult noPermit;
    noPermit.lines = {L"no permit here"};
    struct Case {
        const RecognitionResult& result;
        RecognitionKind runKind;
        const wchar_t* shown;
        const wchar_t* current;
    };
    const Case cases[] = {
        {text, RecognitionKind::GeneralText, L"a\r\n", L"a\r\n"},
        {RecognitionResult(), RecognitionKind::GeneralText, L"没有文字", L"before"},
        {RecognitionResult(), RecognitionKind::VatInvoice, L"没有文字", L"before"},
        {noPermit, RecognitionKind::AccountPermit, L"没有文字", L"before"},
    };
    for (const Case& c : cases) {
        std::wstring current = L"before";
        EXPECT_EQ(TakeResultText(c.result, c.runKind, current), c.shown);
        EXPECT_EQ(current, c.current);
    }
}

TEST(TextFiles, OneByteOrderMarkThenUtf16AndReadBackWithoutIt) {
    TempFolder folder;
    const std::wstring file = folder.File(L"a.jpg.txt");
    ASSERT_TRUE(SaveTextFile(file, L"abc"));
    EXPECT_EQ(ReadFileBytes(file), std::string("\xFF\xFE"
                                               "a\0b\0c\0",
                                               8));
    // Saved again over itself, the file still starts with a single mark.
    ASSERT_TRUE(SaveTextFile(file, ReadTextFile(file) + L"中"));
    EXPECT_EQ(ReadTextFile(file), L"abc中");
    EXPECT_EQ(ReadFileBytes(file).size(), 10u);
    EXPECT_FALSE(SaveTextFile(folder.File(L"missing\\x.txt"), L"abc"));
}

// The files of a folder, by name.
std::vector<std::wstring> FilesOf(const TempFolder& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found = {};
    HANDLE search = FindFirstFileW(folder.File(L"*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileW(search, &found))
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
    return names;
}

TEST(TextFiles, AReplacedFileIsWholeOrAsItWas) {
    TempFolder folder;
    const std::wstring file = folder.File(L"a.jpg.txt");
    ASSERT_TRUE(SaveTextFile(file, L"abc"));
    for (const wchar_t* text : {L"改过", L"又改过"}) {
        ASSERT_TRUE(ReplaceTextFile(file, text));
        // One mark only: a second would be read back as part of the text.
        EXPECT_EQ(ReadTextFile(file), text);
    }
    // Held by another program: the old text stays, and no new file is left.
    const std::string before = ReadFileBytes(file);
    HANDLE held = CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(ReplaceTextFile(file, L"lost"));
    CloseHandle(held);
    EXPECT_EQ(ReadFileBytes(file), before);
    EXPECT_THAT(FilesOf(folder), ElementsAre(L"a.jpg.txt"));
}

TEST(TextFiles, SizesInBytesKilobytesAndMegabytes) {
    TempFolder language;
    WriteLanguageFileOf(language.File(L"cn.dat"), {{L"SizeBytes", L"%d 字节"}}, {});
    ScopedLanguageFile scoped(language.File(L"cn.dat"));
    TempFolder folder;
    WriteFileBytes(folder.File(L"small"), std::string(1023, 'x'));
    WriteFileBytes(folder.File(L"medium"), std::string(1536, 'x'));
    WriteFileBytes(folder.File(L"large"), std::string(3 * 1024 * 1024 / 2, 'x'));
    WriteFileBytes(folder.File(L"empty"), "");
    EXPECT_EQ(FileSizeText(folder.File(L"small")), L"1023 字节");
    EXPECT_EQ(FileSizeText(folder.File(L"medium")), L"1.50 K");
    EXPECT_EQ(FileSizeText(folder.File(L"large")), L"1.50 M");
    EXPECT_EQ(FileSizeText(folder.File(L"empty")), L"");
    EXPECT_EQ(FileSizeText(folder.File(L"missing")), L"");
}

// Holds the clipboard open for a window of its own, on a thread of its own,
// for a while, as another program copying or reading would.
class ClipboardHolder {
public:
    explicit ClipboardHolder(DWORD holdMs) {
        HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([opened, holdMs] {
            HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                          nullptr, nullptr);
            const bool held = OpenClipboard(window);
            SetEvent(opened);
            Sleep(holdMs);
            if (held) CloseClipboard();
            DestroyWindow(window);
        });
        WaitForSingleObject(opened, INFINITE);
        CloseHandle(opened);
    }
    ~ClipboardHolder() { thread_.join(); }

private:
    std::thread thread_;
};

TEST(Clipboard, ABriefHolderIsWaitedForALongOneRefusesTheCopy) {
    ASSERT_TRUE(CopyTextToClipboard(nullptr, L"what the user had"));
    {
        ClipboardHolder holder(2000);
        EXPECT_FALSE(CopyTextToClipboard(nullptr, L"识别结果"));
    }
    EXPECT_EQ(ClipboardUnicodeText(), L"what the user had");
    {
        ClipboardHolder holder(100);
        EXPECT_TRUE(CopyTextToClipboard(nullptr, L"识别结果\r\n"));
    }
    EXPECT_EQ(ClipboardUnicodeText(), L"识别结果\r\n");
}

TEST(OutputFolders, TheFirstFreeNumberedName) {
    TempFolder save;
    EXPECT_EQ(CreateOutputFolder(save.Path(), L"pimloOCR"), save.File(L"pimloOCR"));
    EXPECT_EQ(CreateOutputFolder(save.Path(), L"pimloOCR"), save.File(L"pimloOCR1"));
    WriteFileBytes(save.File(L"pimloOCR2"), "a file, not a folder");
    EXPECT_EQ(CreateOutputFolder(save.Path(), L"pimloOCR"), save.File(L"pimloOCR3"));
    EXPECT_TRUE(FolderExists(save.File(L"pimloOCR3")));
    EXPECT_EQ(CreateOutputFolder(L"", L"pimloOCR"), L"");
    // A save folder that disappeared is made again rather than failing the run.
    EXPECT_EQ(CreateOutputFolder(save.File(L"gone\\deeper"), L"x"), save.File(L"gone\\deeper\\x"));
}

class PictureShrinkingTest : public testing::Test {
protected:
    std::wstring Picture(const wchar_t* name, int width, int height) {
        Gdiplus::Bitmap picture(width, height, PixelFormat24bppRGB);
        CLSID png = {};
        CLSIDFromString(L"{557CF406-1A04-11D3-9A73-0000F81EF32E}", &png);
        picture.Save(folder_.File(name).c_str(), &png, nullptr);
        return folder_.File(name);
    }
    static SIZE SizeOf(const std::wstring& path) {
        Gdiplus::Bitmap picture(path.c_str());
        return {static_cast<LONG>(picture.GetWidth()), static_cast<LONG>(picture.GetHeight())};
    }

    GdiplusSession gdiplus_;
    TempFolder folder_;
    TempFolder compress_;
};

TEST_F(PictureShrinkingTest, LargePicturesBecomeAPngCopyBelowTheLimit) {
    const std::wstring large = Picture(L"大图.jpg", 5000, 3000);
    const std::wstring copy = ShrunkPictureFor(large, 4096, compress_.Path());
    EXPECT_THAT(copy, StartsWith(compress_.Path()));
    EXPECT_EQ(copy.substr(copy.size() - 7), L"\\大图.jpg");
    EXPECT_EQ(SizeOf(copy).cx, 4000);
    EXPECT_EQ(SizeOf(copy).cy, 2400);
    EXPECT_EQ(ReadFileBytes(copy).substr(1, 3), "PNG");
}

// The shorter side is computed in single precision and cut, in both builds
// alike: 4000 / 4234 * 2117 comes out just below 2000.
TEST_F(PictureShrinkingTest, TheShorterSideFollowsTheSameArithmeticInBothBuilds) {
    const struct {
        int width, height, limit;
        LONG expectedWidth, expectedHeight;
    } cases[] = {
        {1000, 3000, 2048, 650, 1952},
        {4234, 2117, 4096, 4000, 1999},
    };
    for (const auto& c : cases) {
        const std::wstring picture = Picture(L"p.png", c.width, c.height);
        const SIZE size = SizeOf(ShrunkPictureFor(picture, c.limit, compress_.Path()));
        EXPECT_EQ(size.cx, c.expectedWidth) << c.width << " x " << c.height;
        EXPECT_EQ(size.cy, c.expectedHeight) << c.width << " x " << c.height;
    }
}

TEST_F(PictureShrinkingTest, SmallPicturesNonPicturesAndTinyLimitsKeepTheirPath) {
    const std::wstring small = Picture(L"small.png", 800, 600);
    EXPECT_EQ(ShrunkPictureFor(small, 4096, compress_.Path()), small);
    WriteFileBytes(folder_.File(L"notes.png"), "not a picture");
    EXPECT_EQ(ShrunkPictureFor(folder_.File(L"notes.png"), 4096, compress_.Path()),
              folder_.File(L"notes.png"));
    EXPECT_EQ(ShrunkPictureFor(small, 96, compress_.Path()), small);
}

// A picture of one colour, saved as PNG.
std::wstring Painted(const TempFolder& folder, const wchar_t* name, int width, int height,
                     Gdiplus::Color colour) {
    Gdiplus::Bitmap picture(width, height, PixelFormat24bppRGB);
    Gdiplus::Graphics(&picture).Clear(colour);
    SaveImageFile(picture, folder.File(name), L"image/png");
    return folder.File(name);
}

TEST(IdCardPicture, TheFrontAboveTheBackOnACanvasAsWideAsTheWiderSide) {
    GdiplusSession gdiplus;
    TempFolder folder;
    const std::wstring front = Painted(folder, L"front.png", 80, 40, Gdiplus::Color(220, 0, 0));
    const std::wstring back = Painted(folder, L"back.png", 120, 30, Gdiplus::Color(0, 0, 220));
    const std::wstring combined = CombineIdCardSides(front, back, folder.File(L"IdCards"));
    ASSERT_THAT(FileNameOf(combined), StartsWith(L"idc"));
    Gdiplus::Bitmap picture(combined.c_str());
    EXPECT_EQ(picture.GetWidth(), 120u);
    EXPECT_EQ(picture.GetHeight(), 70u);
    Gdiplus::Color top, bottom;
    picture.GetPixel(40, 20, &top);
    picture.GetPixel(60, 55, &bottom);
    EXPECT_GT(top.GetR(), 180);
    EXPECT_GT(bottom.GetB(), 180);
    EXPECT_EQ(CombineIdCardSides(front, folder.File(L"missing.png"), folder.File(L"IdCards")), L"");
}

}  // namespace
