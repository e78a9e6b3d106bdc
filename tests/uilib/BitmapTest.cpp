#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "platform/uilib/render/DibSection.h"
#include "tests/uilib/Canvas.h"
#include "tests/uilib/UiTestSupport.h"

namespace {

// A window of odd size (rows need padding) showing four coloured quarters.
constexpr int kWidth = 37;
constexpr int kHeight = 23;
constexpr int kSplitX = 18;
constexpr int kSplitY = 11;
constexpr COLORREF kTopLeft = RGB(255, 0, 0);
constexpr COLORREF kTopRight = RGB(0, 255, 0);
constexpr COLORREF kBottomLeft = RGB(0, 0, 255);
constexpr COLORREF kBottomRight = RGB(255, 255, 255);

COLORREF ExpectedAt(int x, int y) {
    if (y < kSplitY) {
        return x < kSplitX ? kTopLeft : kTopRight;
    }
    return x < kSplitX ? kBottomLeft : kBottomRight;
}

void FillColour(HDC dc, RECT rect, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

LRESULT CALLBACK PatternProcedure(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    if (uMsg != WM_PAINT) {
        return DefWindowProcW(hwnd, uMsg, wParam, lParam);
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    FillColour(dc, {0, 0, kSplitX, kSplitY}, kTopLeft);
    FillColour(dc, {kSplitX, 0, kWidth, kSplitY}, kTopRight);
    FillColour(dc, {0, kSplitY, kSplitX, kHeight}, kBottomLeft);
    FillColour(dc, {kSplitX, kSplitY, kWidth, kHeight}, kBottomRight);
    EndPaint(hwnd, &paint);
    return 0;
}

// The screen copy of one pattern window, shared by the suite's tests.
class BitmapTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSW patternClass = {};
        patternClass.lpfnWndProc = PatternProcedure;
        patternClass.hInstance = GetModuleHandleW(nullptr);
        patternClass.lpszClassName = L"PimloUITestPattern";
        RegisterClassW(&patternClass);
        window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"PimloUITestPattern", L"",
                                  WS_POPUP | WS_VISIBLE, 60, 60, kWidth, kHeight, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        PumpMessages(200);
        RECT rect = {60, 60, 60 + kWidth, 60 + kHeight};
        HBITMAP screen = CopyScreenToBitmap(&rect);
        dib_ = BitmapToDIB(screen);
        DeleteObject(screen);
    }
    static void TearDownTestSuite() {
        DestroyDIB(dib_);
        DestroyWindow(window_);
    }
    static inline HWND window_ = nullptr;
    static inline HANDLE dib_ = nullptr;
};

TEST_F(BitmapTest, TheScreenComesBackAsABottomUpDibWithPaddedRows) {
    ASSERT_NE(dib_, nullptr);
    EXPECT_EQ(DIBWidth(dib_), kWidth);
    EXPECT_EQ(DIBHeight(dib_), kHeight);
    const DWORD stride = BytesPerLine(kWidth, 24);
    EXPECT_EQ(stride, 112u);
    auto* header = static_cast<BITMAPINFOHEADER*>(GlobalLock(dib_));
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->biBitCount, 24);
    EXPECT_EQ(GlobalSize(dib_), header->biSize + stride * kHeight);
    const auto* rows = reinterpret_cast<const BYTE*>(header) + header->biSize;
    int wrong = 0;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            // The last row of the block is the picture's top row.
            const BYTE* bgr = rows + (kHeight - 1 - y) * stride + x * 3;
            wrong += RGB(bgr[2], bgr[1], bgr[0]) != ExpectedAt(x, y);
        }
    }
    GlobalUnlock(dib_);
    EXPECT_EQ(wrong, 0);
}

TEST_F(BitmapTest, PaintDibDrawsTheSourceRectangleCountedFromTheTop) {
    ASSERT_NE(dib_, nullptr);
    Canvas canvas(kWidth, kHeight);
    // Each quarter of the picture drawn at the canvas's top-left corner.
    const RECT quarters[] = {{0, 0, kSplitX, kSplitY},
                             {kSplitX, 0, kWidth, kSplitY},
                             {0, kSplitY, kSplitX, kHeight},
                             {kSplitX, kSplitY, kWidth, kHeight}};
    for (const RECT& source : quarters) {
        RECT dest = {0, 0, source.right - source.left, source.bottom - source.top};
        ASSERT_TRUE(PaintDIB(canvas.Dc(), &dest, dib_, &source));
        COLORREF expected = ExpectedAt(source.left, source.top);
        EXPECT_EQ(canvas.At(0, 0), expected);
        EXPECT_EQ(canvas.At(dest.right - 1, dest.bottom - 1), expected);
    }
    // The whole picture at twice its size.
    Canvas doubled(2 * kWidth, 2 * kHeight);
    RECT whole = {0, 0, kWidth, kHeight};
    RECT twice = {0, 0, 2 * kWidth, 2 * kHeight};
    ASSERT_TRUE(PaintDIB(doubled.Dc(), &twice, dib_, &whole));
    EXPECT_EQ(doubled.At(2 * kWidth - 1, 0), kTopRight);
    EXPECT_EQ(doubled.At(0, 2 * kHeight - 1), kBottomLeft);
}

TEST_F(BitmapTest, ACopiedBlockIsIndependentOfItsOriginal) {
    HANDLE copy = CopyHandle(dib_);
    ASSERT_NE(copy, nullptr);
    ASSERT_EQ(GlobalSize(copy), GlobalSize(dib_));
    void* original = GlobalLock(dib_);
    void* copied = GlobalLock(copy);
    EXPECT_EQ(std::memcmp(original, copied, GlobalSize(copy)), 0);
    EXPECT_NE(original, copied);
    GlobalUnlock(copy);
    GlobalUnlock(dib_);
    DestroyDIB(copy);
    EXPECT_EQ(DIBWidth(dib_), kWidth);
}

TEST(BitmapFunctions, NothingToCopyGivesNull) {
    RECT empty = {10, 10, 10, 20};
    EXPECT_EQ(CopyScreenToBitmap(&empty), nullptr);
    EXPECT_EQ(CopyScreenToBitmap(nullptr), nullptr);
    EXPECT_EQ(BitmapToDIB(nullptr), nullptr);
    EXPECT_EQ(DIBWidth(nullptr), 0);
    EXPECT_EQ(DIBHeight(nullptr), 0);
}

TEST(BitmapFunctions, AFailedConversionLeavesNoFreedBlockBehind) {
    // A brush reads as a BITMAP of 8 x 0 pixels, so a block is allocated before GetDIBits
    // refuses the handle; the block must then be unlocked before it is freed, never after.
    HBRUSH brush = CreateSolidBrush(RGB(8, 0, 0));
    SetLastError(ERROR_SUCCESS);

    EXPECT_EQ(BitmapToDIB(reinterpret_cast<HBITMAP>(brush)), nullptr);

    // Unlocking a block that was freed already fails with this error.
    EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    DeleteObject(brush);
}

}  // namespace
