// Pages kept as JPEG files: their names and order, the last scan's files
// kept until a new page comes, and blocks a source should not have sent.
#include <gtest/gtest.h>

#include <vector>

#include "common/GdiplusSession.h"
#include "scan/MyTwain.h"
#include "tests/app/AppTestSupport.h"

namespace {

// A header for a width × height picture at bits per pixel, rows following.
std::vector<BYTE> Dib(LONG width, LONG height, WORD bits, size_t rowBytes) {
    std::vector<BYTE> block(sizeof(BITMAPINFOHEADER) + rowBytes);
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(block.data());
    header->biSize = sizeof(BITMAPINFOHEADER);
    header->biWidth = width;
    header->biHeight = height;
    header->biPlanes = 1;
    header->biBitCount = bits;
    return block;
}

TEST(ScannedPages, OnlyAWholeSaneDibIsTaken) {
    const struct {
        const char* what;
        std::vector<BYTE> block;
        bool whole;
    } cases[] = {
        {"two rows of 24 bits", Dib(3, 2, 24, 24), true},
        {"top-down", Dib(3, -2, 24, 24), true},
        {"a row short", Dib(3, 2, 24, 12), false},
        {"no width", Dib(0, 2, 24, 24), false},
        {"a height beyond any page", Dib(3, 100000, 24, 24), false},
        {"an unknown depth", Dib(3, 2, 7, 24), false},
        {"8 bits without room for its colours", Dib(4, 1, 8, 4), false},
        {"8 bits with them", Dib(4, 1, 8, 1024 + 4), true},
        {"a header cut off", std::vector<BYTE>(20), false},
    };
    for (const auto& each : cases) {
        EXPECT_EQ(IsCompleteDib(each.block.data(), each.block.size()), each.whole) << each.what;
    }
}

class PageTwain : public CMyTwain {
public:
    using CMyTwain::CMyTwain;
    void Page(const std::vector<BYTE>& dib) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, dib.size());
        std::copy(dib.begin(), dib.end(), static_cast<BYTE*>(GlobalLock(block)));
        GlobalUnlock(block);
        CopyImage(block, {});
        GlobalFree(block);
    }

protected:
    void ScanningFinished() override {}
};

TEST(ScannedPages, PagesAreNumberedInOrderAndTheLastScanGoesWithTheFirstNewPage) {
    GdiplusSession gdiplus;
    TempFolder temp;
    const std::wstring folder = temp.File(L"Scanner");
    std::vector<std::wstring> names;
    {
        PageTwain twain(folder);
        twain.BeginScan();
        for (int page = 0; page < 3; ++page) twain.Page(Dib(40, 30, 24, 120 * 30));
        twain.Page(Dib(40, 30, 24, 10));  // cut short: dropped
        EXPECT_EQ(
            twain.ScannedPictures(),
            (std::vector<std::wstring>{JoinPath(folder, L"pic.jpg"), JoinPath(folder, L"pic1.jpg"),
                                       JoinPath(folder, L"pic2.jpg")}));

        twain.BeginScan();
        EXPECT_TRUE(twain.ScannedPictures().empty());
        EXPECT_TRUE(FileExists(JoinPath(folder, L"pic2.jpg")));
        twain.Page(Dib(40, 30, 24, 120 * 30));
        EXPECT_FALSE(FileExists(JoinPath(folder, L"pic2.jpg")));
        EXPECT_EQ(twain.ScannedPictures(),
                  (std::vector<std::wstring>{JoinPath(folder, L"pic.jpg")}));
        Gdiplus::Bitmap saved(twain.ScannedPictures()[0].c_str());
        EXPECT_EQ(saved.GetWidth(), 40u);
    }
    EXPECT_FALSE(FileExists(JoinPath(folder, L"pic.jpg")));
    EXPECT_TRUE(FolderExists(folder));
}

}  // namespace
