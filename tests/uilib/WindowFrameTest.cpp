#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "tests/uilib/UiTestSupport.h"
#include "tests/uilib/UserInput.h"

#include <shellapi.h>

namespace {

constexpr int kShadowSize = 6;
constexpr UINT kTrayIconId = 128;
// The layout's background colour.
constexpr COLORREF kWindowColour = RGB(0x2F, 0x6F, 0xED);

// Whether the desktop blends windows (the library draws shadows only then).
bool DesktopBlendsWindows() {
    BOOL enabled = TRUE;
    using IsCompositionEnabled = HRESULT(WINAPI*)(BOOL*);
    HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
    auto isEnabled = dwm ? reinterpret_cast<IsCompositionEnabled>(reinterpret_cast<void*>(
                               GetProcAddress(dwm, "DwmIsCompositionEnabled")))
                         : nullptr;
    if (isEnabled && FAILED(isEnabled(&enabled))) enabled = TRUE;
    return enabled != FALSE;
}

// Top-level windows of a class, of any process.
std::vector<HWND> WindowsOfClass(const wchar_t* className, HWND parent = nullptr) {
    std::vector<HWND> found;
    HWND each = nullptr;
    while ((each = FindWindowExW(parent, each, className, nullptr)) != nullptr) {
        found.push_back(each);
    }
    return found;
}

// The icons shown by Wine's notification area (one window each).
std::vector<HWND> TrayIconWindows() {
    std::vector<HWND> icons;
    for (HWND tray : WindowsOfClass(L"__winex11_standalone_tray")) {
        std::vector<HWND> inside = WindowsOfClass(L"__winex11_tray_icon", tray);
        icons.insert(icons.end(), inside.begin(), inside.end());
    }
    return icons;
}

bool TrayIconExists(HWND window) {
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof(data);
    data.hWnd = window;
    data.uID = kTrayIconId;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

class WindowFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        iconsBefore_ = TrayIconWindows();
        window_ = OpenRecordingWindow(L"shadow.xml");
        hwnd_ = window_->GetHWND();
    }
    void TearDown() override {
        if (IsWindow(hwnd_)) {
            DestroyWindow(hwnd_);
        }
    }
    HWND Shadow() const {
        for (HWND shadow : WindowsOfClass(L"PimloUIShadow")) {
            if (GetWindowThreadProcessId(shadow, nullptr) == GetCurrentThreadId()) {
                return shadow;
            }
        }
        return nullptr;
    }
    static RECT Rect(HWND hwnd) {
        RECT rect = {};
        GetWindowRect(hwnd, &rect);
        return rect;
    }
    // What the screen shows in the middle of the window: its own colour
    // unless something covers it.
    COLORREF ShownColourInTheMiddle() const {
        PumpMessages(100);
        RECT rect = Rect(hwnd_);
        HDC screen = GetDC(nullptr);
        COLORREF colour =
            GetPixel(screen, (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
        ReleaseDC(nullptr, screen);
        return colour;
    }
    static RECT Grown(RECT rect, int by) {
        InflateRect(&rect, by, by);
        return rect;
    }

    std::vector<HWND> iconsBefore_;
    RecordingWindow* window_ = nullptr;
    HWND hwnd_ = nullptr;
};

MATCHER_P(SameRect, expected, "") { return EqualRect(&arg, &expected) != FALSE; }

TEST_F(WindowFrameTest, TheShadowSurroundsTheWindowJustBelowItAndFollowsIt) {
    if (!DesktopBlendsWindows()) {
        // No shadow at all: it would show black over the window here.
        EXPECT_EQ(Shadow(), nullptr);
        EXPECT_EQ(ShownColourInTheMiddle(), kWindowColour);
        return;
    }
    HWND shadow = Shadow();
    ASSERT_NE(shadow, nullptr);
    EXPECT_TRUE(IsWindowVisible(shadow));
    EXPECT_THAT(Rect(shadow), SameRect(Grown(Rect(hwnd_), kShadowSize)));
    EXPECT_EQ(GetWindow(hwnd_, GW_HWNDNEXT), shadow);
    // Clicks go through it to whatever lies below.
    EXPECT_TRUE(GetWindowLongW(shadow, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    EXPECT_EQ(ShownColourInTheMiddle(), kWindowColour);

    SetWindowPos(hwnd_, nullptr, 250, 180, 360, 240, SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages(50);
    EXPECT_THAT(Rect(shadow), SameRect(Grown(Rect(hwnd_), kShadowSize)));

    ShowWindow(hwnd_, SW_MINIMIZE);
    PumpMessages(50);
    EXPECT_FALSE(IsWindowVisible(shadow));
    ShowWindow(hwnd_, SW_RESTORE);
    PumpMessages(50);
    EXPECT_TRUE(IsWindowVisible(shadow));
    EXPECT_EQ(ShownColourInTheMiddle(), kWindowColour);
    EXPECT_THAT(Rect(shadow), SameRect(Grown(Rect(hwnd_), kShadowSize)));
}

TEST_F(WindowFrameTest, FadingOutHidesTheWindowAndItsShadow) {
    HWND shadow = Shadow();
    window_->FadeOut(100);
    EXPECT_FALSE(IsWindowVisible(hwnd_));
    EXPECT_TRUE(IsWindow(hwnd_));
    if (shadow) {
        EXPECT_FALSE(IsWindowVisible(shadow));
    }

    window_->FadeIn(100);
    EXPECT_TRUE(IsWindowVisible(hwnd_));
    if (shadow) {
        EXPECT_TRUE(IsWindowVisible(shadow));
        EXPECT_THAT(Rect(shadow), SameRect(Grown(Rect(hwnd_), kShadowSize)));
    }

    DestroyWindow(hwnd_);
    if (shadow) {
        EXPECT_FALSE(IsWindow(shadow));
    }
}

TEST_F(WindowFrameTest, TheLayoutsTrayIconCallsBackAndGoesWithTheWindow) {
    ASSERT_TRUE(TrayIconExists(hwnd_));
    std::vector<HWND> icons = TrayIconWindows();
    auto added = std::find_if(icons.begin(), icons.end(), [this](HWND icon) {
        return std::find(iconsBefore_.begin(), iconsBefore_.end(), icon) == iconsBefore_.end();
    });
    ASSERT_NE(added, icons.end());
    RECT icon = Rect(*added);
    ClickScreenAt({(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2});
    PumpMessages(300);
    std::vector<UINT>& events = window_->trayEvents;
    EXPECT_NE(std::find(events.begin(), events.end(), WM_LBUTTONDOWN), events.end());
    EXPECT_NE(std::find(events.begin(), events.end(), WM_LBUTTONUP), events.end());

    DestroyWindow(hwnd_);
    EXPECT_FALSE(TrayIconExists(hwnd_));
}

}  // namespace
