#include <gtest/gtest.h>

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

    // Puts the cursor on the button and tells the window, as a real move does.
    static void HoverButton() {
        RECT pos = Button()->GetPos();
        POINT centre = {(pos.left + pos.right) / 2, (pos.top + pos.bottom) / 2};
        POINT screen = centre;
        ClientToScreen(Window(), &screen);
        SetCursorPos(screen.x, screen.y);
        SendMessageW(Window(), WM_MOUSEMOVE, 0, MAKELPARAM(centre.x, centre.y));
        PumpMessages(50);
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

}  // namespace
