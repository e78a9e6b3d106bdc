#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <functional>

#include "tests/uilib/UiTestSupport.h"

namespace {

// The test window of skin.xml, whose button "btnGo" has the tooltip "前往".
class HoverTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { window_ = OpenRecordingWindow(); }
    static void TearDownTestSuite() {
        DestroyWindow(window_->GetHWND());
        window_ = nullptr;
    }
    void SetUp() override {
        SetForegroundWindow(Window());
        PumpMessages(20);
    }
    static HWND Window() { return window_->GetHWND(); }
    static CButtonUI* Button() { return window_->Find<CButtonUI>(L"btnGo"); }
    static bool ButtonIsHot() { return (Button()->GetState() & UISTATE_HOT) != 0; }

    // Puts the cursor on the control and tells the window, as a real move does.
    static void HoverButton(LPCTSTR name = L"btnGo") {
        RECT pos = window_->Find(name)->GetPos();
        POINT centre = {(pos.left + pos.right) / 2, (pos.top + pos.bottom) / 2};
        POINT screen = centre;
        ClientToScreen(Window(), &screen);
        SetCursorPos(screen.x, screen.y);
        SendMessageW(Window(), WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
        PumpMessages(50);
    }

    // Rests the mouse on the control: the move, then the hover report that
    // the system sends once the mouse stayed for its hover time. The report is
    // sent here rather than awaited, as the real cursor is shared with every
    // other program on the display and may be moved away meanwhile.
    static void RestOn(LPCTSTR name) {
        HoverButton(name);
        RECT pos = window_->Find(name)->GetPos();
        SendMessageW(Window(), WM_MOUSEHOVER, 0,
                     MAKELPARAM((pos.left + pos.right) / 2, (pos.top + pos.bottom) / 2));
        PumpMessages(50);
    }
    // The text the window's tooltip shows, or empty while none is shown.
    static std::wstring ShownToolTip() {
        HWND tip = nullptr;
        while ((tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr)) != nullptr) {
            if (GetWindow(tip, GW_OWNER) == Window() && IsWindowVisible(tip)) {
                break;
            }
        }
        TOOLINFOW tool = {};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        wchar_t text[80] = {};
        if (!tip || !SendMessageW(tip, TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&tool))) {
            return L"";
        }
        tool.lpszText = text;
        SendMessageW(tip, TTM_GETTEXTW, ARRAYSIZE(text), reinterpret_cast<LPARAM>(&tool));
        return text;
    }

    static inline RecordingWindow* window_ = nullptr;
};

// A control stays hot only while the mouse is on it in a window the user
// can reach: leaving, hiding, deactivating or disabling the window (a modal
// dialog opening) all take the hot state away.
TEST_F(HoverTest, TheHotStateEndsWhenTheWindowStopsTakingTheMouse) {
    HWND other = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 900, 650, 40, 40,
                                 nullptr, nullptr, nullptr, nullptr);
    struct Case {
        const char* what;
        std::function<void()> away;
        std::function<void()> back;
    };
    const Case cases[] = {
        {"mouse leaves", [] { SendMessageW(Window(), WM_MOUSELEAVE, 0, 0); }, [] {}},
        {"hidden", [] { ShowWindow(Window(), SW_HIDE); }, [] { ShowWindow(Window(), SW_SHOWNA); }},
        {"deactivated", [other] { SetForegroundWindow(other); }, [] {}},
        {"disabled", [] { EnableWindow(Window(), FALSE); }, [] { EnableWindow(Window(), TRUE); }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        SetForegroundWindow(Window());
        HoverButton();
        ASSERT_TRUE(ButtonIsHot());
        test.away();
        PumpMessages(100);
        EXPECT_FALSE(ButtonIsHot());
        test.back();
        PumpMessages(50);
    }
    DestroyWindow(other);
}

// The tooltip of the layout shows once the mouse rests on its control, and
// goes when the mouse leaves, presses or moves to a control without one.
TEST_F(HoverTest, RestingOnAControlShowsItsTooltipUntilTheMouseGoes) {
    struct Case {
        const char* what;
        std::function<void()> away;
    };
    const Case cases[] = {
        {"mouse leaves", [] { SendMessageW(Window(), WM_MOUSELEAVE, 0, 0); }},
        {"pressed", [] { SendMessageW(Window(), WM_LBUTTONDOWN, MK_LBUTTON, 0); }},
        {"other control", [] { RestOn(L"title"); }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        RestOn(L"btnGo");
        EXPECT_EQ(ShownToolTip(), L"前往");
        test.away();
        PumpMessages(100);
        EXPECT_EQ(ShownToolTip(), L"");
        SendMessageW(Window(), WM_LBUTTONUP, 0, MAKELPARAM(-1, -1));
    }
}

}  // namespace
