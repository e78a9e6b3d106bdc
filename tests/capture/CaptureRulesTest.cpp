// The overlay's rules that need no capture: click or drag, the label's
// place, the windows offered (with real windows) and darkening.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "capture/CaptureCandidates.h"
#include "capture/CaptureGeometry.h"
#include "capture/DibDarkening.h"
#include "tests/app/AppTestSupport.h"

namespace {

bool Same(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != 0; }

TEST(CaptureGeometry, PressAndReleaseAtMostEightPixelsApartAreAClick) {
    const struct {
        POINT release;
        bool click;
    } cases[] = {{{100, 100}, true},  {{108, 100}, true},  {{100, 92}, true}, {{105, 106}, true},
                 {{108, 101}, false}, {{106, 106}, false}, {{91, 100}, false}};
    for (const auto& each : cases) {
        EXPECT_EQ(IsClick({100, 100}, each.release), each.click)
            << each.release.x << "," << each.release.y;
    }
}

TEST(CaptureGeometry, RectanglesAreSpannedAndClipped) {
    EXPECT_TRUE(Same(SpannedRect({50, 80}, {10, 20}), {10, 20, 50, 80}));
    EXPECT_TRUE(Same(SpannedRect({10, 80}, {50, 20}), {10, 20, 50, 80}));
    EXPECT_TRUE(Same(ClippedTo({-20, 700, 300, 900}, {0, 0, 1280, 800}), {0, 700, 300, 800}));
    EXPECT_TRUE(IsEmptyArea(ClippedTo({1300, 10, 1400, 20}, {0, 0, 1280, 800})));
    EXPECT_TRUE(IsEmptyArea(SpannedRect({5, 5}, {5, 40})));
}

TEST(CaptureGeometry, TheLabelStandsOnTheSelectionUnlessThereIsNoRoomAbove) {
    const struct {
        LONG top;
        LONG labelTop;
    } cases[] = {{100, 68}, {32, 0}, {31, 31}, {0, 0}};
    for (const auto& each : cases) {
        const RECT label = LabelRect({40, each.top, 400, each.top + 200}, 150);
        EXPECT_TRUE(Same(label, {40, each.labelTop, 190, each.labelTop + kLabelHeight}))
            << each.top;
    }
}

TEST(CaptureGeometry, ATopLevelWindowOffersCaptionAndClientInsideTheMonitor) {
    const RECT monitor = {0, 0, 1280, 800};
    // Client area within the frame: borders of 4 pixels, caption of 23.
    EXPECT_TRUE(Same(TopLevelCaptureRect({104, 127, 496, 396}, {100, 100, 500, 400}, monitor),
                     {104, 100, 496, 396}));
    EXPECT_TRUE(Same(TopLevelCaptureRect({-46, -10, 346, 296}, {-50, -33, 350, 300}, monitor),
                     {0, 0, 346, 296}));
    EXPECT_TRUE(Same(TopLevelCaptureRect({1204, 727, 1596, 996}, {1200, 700, 1600, 1000}, monitor),
                     {1204, 700, 1280, 800}));
}

TEST(CaptureGeometry, TheHitTestTakesTheFirstListedRectangleHoldingThePoint) {
    const std::vector<CaptureCandidate> list = {
        {nullptr, {20, 20, 40, 40}}, {nullptr, {10, 10, 100, 100}}, {nullptr, {0, 0, 500, 500}}};
    EXPECT_TRUE(Same(HitTest(list, {25, 25}), {20, 20, 40, 40}));
    EXPECT_TRUE(Same(HitTest(list, {50, 50}), {10, 10, 100, 100}));
    EXPECT_TRUE(Same(HitTest(list, {400, 10}), {0, 0, 500, 500}));
    EXPECT_TRUE(IsEmptyArea(HitTest(list, {600, 10})));
}

// Real windows: a captioned window with a button, shown at a place.
class CandidateWindows : public testing::Test {
protected:
    HWND MakeWindow(int x, int y, DWORD style = WS_OVERLAPPEDWINDOW) {
        HWND window = CreateWindowExW(0, L"Static", L"capture test", style, x, y, 300, 200, nullptr,
                                      nullptr, nullptr, nullptr);
        windows_.push_back(window);
        ShowWindow(window, SW_SHOWNOACTIVATE);
        return window;
    }
    ~CandidateWindows() override {
        for (HWND window : windows_) DestroyWindow(window);
    }

    static RECT ScreenRect(HWND window) {
        RECT rect = {};
        GetWindowRect(window, &rect);
        return rect;
    }
    static std::vector<CaptureCandidate> List() {
        return ListCaptureCandidates(
            {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, nullptr);
    }
    static bool Listed(HWND window) {
        for (const CaptureCandidate& each : List()) {
            if (each.window == window) return true;
        }
        return false;
    }

    std::vector<HWND> windows_;
};

TEST_F(CandidateWindows, AButtonIsTakenInsideItsWindowAndTheCaptionTakesTheWindow) {
    HWND window = MakeWindow(200, 150);
    HWND button = CreateWindowExW(0, L"Button", L"OK", WS_CHILD | WS_VISIBLE, 20, 20, 80, 30,
                                  window, nullptr, nullptr, nullptr);
    const RECT buttonRect = ScreenRect(button);
    const std::vector<CaptureCandidate> list = List();
    EXPECT_TRUE(Same(HitTest(list, {buttonRect.left + 5, buttonRect.top + 5}), buttonRect));

    RECT client = {};
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const RECT frame = ScreenRect(window);
    const RECT offered = HitTest(list, {client.left + 150, frame.top + 3});
    EXPECT_TRUE(Same(offered, {client.left, frame.top, client.right, client.bottom}));
}

TEST_F(CandidateWindows, AWindowOffTheLeftEdgeIsOfferedFromTheEdge) {
    HWND window = MakeWindow(-120, 40);
    const RECT offered = HitTest(List(), {10, ScreenRect(window).top + 50});
    EXPECT_EQ(offered.left, 0);
    EXPECT_GT(offered.right, 100);
}

TEST_F(CandidateWindows, HiddenDisabledAndMinimisedWindowsAreNotOffered) {
    HWND shown = MakeWindow(100, 100);
    HWND disabled = MakeWindow(150, 100);
    EnableWindow(disabled, FALSE);
    HWND minimised = MakeWindow(200, 100);
    ShowWindow(minimised, SW_SHOWMINNOACTIVE);
    HWND hidden = MakeWindow(250, 100);
    ShowWindow(hidden, SW_HIDE);
    EXPECT_TRUE(Listed(shown));
    EXPECT_FALSE(Listed(disabled));
    EXPECT_FALSE(Listed(minimised));
    EXPECT_FALSE(Listed(hidden));
}

// A DIB block as bytes: header, then what follows it.
struct Dib {
    std::vector<BYTE> bytes;
    BITMAPINFOHEADER* header() { return reinterpret_cast<BITMAPINFOHEADER*>(bytes.data()); }
    BYTE* after(size_t offset) { return bytes.data() + sizeof(BITMAPINFOHEADER) + offset; }
};

Dib MakeDib(WORD bits, LONG width, LONG height, DWORD compression, size_t tableBytes,
            size_t pixelBytes) {
    Dib dib{std::vector<BYTE>(sizeof(BITMAPINFOHEADER) + tableBytes + pixelBytes, 0)};
    BITMAPINFOHEADER& header = *dib.header();
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = bits;
    header.biCompression = compression;
    return dib;
}

TEST(DibDarkening, TrueColourPixelsAreLoweredByFiftyAndAlphaKept) {
    // Two rows of one 24-bit pixel, each padded to 4 bytes.
    Dib rgb = MakeDib(24, 1, 2, BI_RGB, 0, 8);
    const BYTE pixels24[] = {0, 49, 50, 0x77, 255, 120, 51, 0x77};
    std::copy(std::begin(pixels24), std::end(pixels24), rgb.after(0));
    DarkenDib(rgb.header(), rgb.bytes.size());
    EXPECT_EQ(std::vector<BYTE>(rgb.after(0), rgb.after(8)),
              (std::vector<BYTE>{0, 0, 0, 0x77, 205, 70, 1, 0x77}));

    // 32 bits with colour masks after the header: the masks stay, the
    // pixel (after them) is darkened, its alpha kept.
    Dib masked = MakeDib(32, 1, 1, BI_BITFIELDS, 12, 4);
    const DWORD masks[] = {0xFF0000, 0xFF00, 0xFF};
    std::memcpy(masked.after(0), masks, sizeof(masks));
    const BYTE pixel32[] = {200, 100, 60, 0xC8};
    std::memcpy(masked.after(12), pixel32, 4);
    DarkenDib(masked.header(), masked.bytes.size());
    EXPECT_EQ(std::memcmp(masked.after(0), masks, sizeof(masks)), 0);
    EXPECT_EQ(std::vector<BYTE>(masked.after(12), masked.after(16)),
              (std::vector<BYTE>{150, 50, 10, 0xC8}));
}

TEST(DibDarkening, PalettePicturesTurnGreyAndOddOnesStayAsTheyAre) {
    // 8 bits, two colours in use: blue 0, green 0, red 255 and pure blue.
    Dib palette = MakeDib(8, 4, 1, BI_RGB, 8, 4);
    palette.header()->biClrUsed = 2;
    const BYTE table[] = {0, 0, 255, 0, 255, 0, 0, 0};
    std::copy(std::begin(table), std::end(table), palette.after(0));
    DarkenDib(palette.header(), palette.bytes.size());
    EXPECT_EQ(std::vector<BYTE>(palette.after(0), palette.after(8)),
              (std::vector<BYTE>{76, 76, 76, 0, 29, 29, 29, 0}));

    // 16 bits is left alone; so is a block shorter than its header claims.
    for (auto [bits, size] : {std::pair<WORD, size_t>{16, 0}, {24, 3}}) {
        Dib odd = MakeDib(bits, 1000, 1000, BI_RGB, 0, 4);
        std::fill(odd.after(0), odd.after(4), BYTE{200});
        DarkenDib(odd.header(), sizeof(BITMAPINFOHEADER) + size + 4);
        EXPECT_EQ(std::vector<BYTE>(odd.after(0), odd.after(4)), std::vector<BYTE>(4, 200)) << bits;
    }
}

}  // namespace
