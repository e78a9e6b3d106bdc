#include <gtest/gtest.h>

#include "tests/uilib/DriverProcess.h"
#include "tests/uilib/UserInput.h"

namespace {

// Items 34 high (the fixtures' default), a 9-high separator, inset 6 above
// and below.
constexpr int kMenuWidth = 140;
constexpr int kMenuHeight = 6 + 4 * 34 + 9 + 6;

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner_ = OpenRecordingWindow();
        monitor_.cbSize = sizeof(monitor_);
        GetMonitorInfoW(MonitorFromWindow(owner_->GetHWND(), MONITOR_DEFAULTTOPRIMARY), &monitor_);
    }
    void TearDown() override {
        if (IsWindow(menu_)) {
            DestroyWindow(menu_);
        }
        DestroyWindow(owner_->GetHWND());
    }
    HWND OpenMenu(POINT point) {
        CMenuWnd* menu = CMenuWnd::CreateMenu(owner_->GetHWND(), L"menu.xml", point);
        menu_ = menu ? menu->GetHWND() : nullptr;
        PumpMessages(100);
        return menu_;
    }
    RECT MenuRect() const {
        RECT rect = {};
        GetWindowRect(menu_, &rect);
        return rect;
    }
    RECT ItemRect(LPCTSTR name) const {
        CPaintManagerUI* manager = CPaintManagerUI::FromWindow(menu_);
        return manager->FindControl(name)->GetPos();
    }

    RecordingWindow* owner_ = nullptr;
    HWND menu_ = nullptr;
    MONITORINFO monitor_ = {};
};

TEST_F(MenuTest, OpensAtThePointAndStaysOnTheMonitor) {
    const RECT& work = monitor_.rcWork;
    ASSERT_NE(OpenMenu({work.left + 20, work.top + 30}), nullptr);
    RECT rect = MenuRect();
    EXPECT_EQ(rect.left, work.left + 20);
    EXPECT_EQ(rect.top, work.top + 30);
    EXPECT_EQ(rect.right - rect.left, kMenuWidth);
    EXPECT_EQ(rect.bottom - rect.top, kMenuHeight);
    DestroyWindow(menu_);

    // Near the bottom-right corner it opens above the point, flush right.
    ASSERT_NE(OpenMenu({work.right - 10, work.bottom - 10}), nullptr);
    rect = MenuRect();
    EXPECT_EQ(rect.right, work.right);
    EXPECT_EQ(rect.bottom, work.bottom - 10);
    EXPECT_EQ(rect.bottom - rect.top, kMenuHeight);
}

TEST_F(MenuTest, AClickedItemReachesTheOwnerAfterTheMenuIsHidden) {
    ASSERT_NE(OpenMenu({200, 200}), nullptr);
    DriveResult result = RunDriver(L"PimloUIMenu click menuUpdate");
    ASSERT_EQ(result.exitCode, 0u) << result.output;
    PumpMessages(200);
    std::vector<std::wstring> expected = {L"menuUpdate:hidden"};
    EXPECT_EQ(owner_->menuCommands, expected);
    EXPECT_FALSE(IsWindow(menu_));
}

TEST_F(MenuTest, EscapeOrLosingTheActivationClosesWithoutACommand) {
    ASSERT_NE(OpenMenu({200, 200}), nullptr);
    ASSERT_EQ(GetForegroundWindow(), menu_);
    PressKey(VK_ESCAPE);
    PumpMessages(200);
    EXPECT_FALSE(IsWindow(menu_));

    ASSERT_NE(OpenMenu({200, 200}), nullptr);
    SetForegroundWindow(owner_->GetHWND());
    PumpMessages(200);
    EXPECT_FALSE(IsWindow(menu_));
    EXPECT_TRUE(owner_->menuCommands.empty());
}

TEST_F(MenuTest, DisabledItemsAndTheSeparatorSendNothing) {
    ASSERT_NE(OpenMenu({200, 200}), nullptr);
    DriveResult result = RunDriver(L"PimloUIMenu click menuOff");
    EXPECT_NE(result.output.find("reason=disabled"), std::string::npos) << result.output;
    ClickScreenAt(ScreenCentre(menu_, ItemRect(L"menuOff")));
    PumpMessages(200);
    ClickScreenAt(ScreenCentre(menu_, ItemRect(L"separator")));
    PumpMessages(200);
    EXPECT_TRUE(owner_->menuCommands.empty());
    EXPECT_TRUE(IsWindowVisible(menu_));

    // The mouse reaches the menu: an enabled item under it is chosen.
    ClickScreenAt(ScreenCentre(menu_, ItemRect(L"menuAbout")));
    PumpMessages(200);
    std::vector<std::wstring> expected = {L"menuAbout:hidden"};
    EXPECT_EQ(owner_->menuCommands, expected);
}

}  // namespace
