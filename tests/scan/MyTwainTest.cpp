// Pages kept as JPEG files: their names and order, their pictures in each
// depth a source may send, the last scan's files kept until a new page
// comes, and blocks a source should not have sent.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
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

// A 32 × 32 page, blue above and white below, as a DIB of the given depth
// (8 bits: a two-colour table) with its rows bottom-up or top-down.
std::vector<BYTE> HalfBluePage(WORD bits, bool bottomUp) {
    constexpr LONG kSide = 32;
    const RGBQUAD blue = {255, 0, 0, 0}, white = {255, 255, 255, 0};
    const size_t colours = bits == 8 ? 2 : 0;
    const size_t stride = (kSide * bits / 8 + 3) / 4 * 4;
    std::vector<BYTE> block =
        Dib(kSide, bottomUp ? kSide : -kSide, bits, colours * sizeof(RGBQUAD) + stride * kSide);
    auto* header = reinterpret_cast<BITMAPINFOHEADER*>(block.data());
    header->biClrUsed = static_cast<DWORD>(colours);
    BYTE* rows = block.data() + sizeof(BITMAPINFOHEADER);
    if (colours) {
        std::memcpy(rows, &blue, sizeof(blue));
        std::memcpy(rows + sizeof(blue), &white, sizeof(white));
        rows += colours * sizeof(RGBQUAD);
    }
    for (LONG row = 0; row < kSide; ++row) {
        const bool top = (bottomUp ? kSide - 1 - row : row) < kSide / 2;
        BYTE* line = rows + stride * row;
        for (LONG x = 0; x < kSide; ++x) {
            if (bits == 8) {
                line[x] = top ? 0 : 1;
            } else {
                const RGBQUAD colour = top ? blue : white;
                std::memcpy(line + x * (bits / 8), &colour, bits / 8);
            }
        }
    }
    return block;
}

TEST(ScannedPages, EachDepthAndRowOrderKeepsThePicture) {
    GdiplusSession gdiplus;
    TempFolder temp;
    for (const auto& [bits, bottomUp] :
         {std::pair<WORD, bool>{24, true}, {24, false}, {32, true}, {32, false}, {8, true}}) {
        PageTwain twain(temp.File(L"Scanner"));
        twain.BeginScan();
        twain.Page(HalfBluePage(bits, bottomUp));
        ASSERT_EQ(twain.ScannedPictures().size(), 1u) << bits;
        Gdiplus::Bitmap saved(twain.ScannedPictures()[0].c_str());
        Gdiplus::Color top, bottom;
        saved.GetPixel(16, 3, &top);
        saved.GetPixel(16, 28, &bottom);
        const std::string what = std::to_string(bits) + (bottomUp ? " bottom-up" : " top-down");
        EXPECT_TRUE(top.GetB() > 200 && top.GetR() < 60 && top.GetG() < 60) << what;
        EXPECT_TRUE(bottom.GetB() > 200 && bottom.GetR() > 200 && bottom.GetG() > 200) << what;
    }
}

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
