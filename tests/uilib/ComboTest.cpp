#include <gtest/gtest.h>

#include "tests/uilib/DriverProcess.h"
#include "tests/uilib/UserInput.h"

namespace {

// Records "itemselect" with the new and the old index.
struct ItemSelectRecorder : INotifyUI {
    void Notify(TNotifyUI& msg) override {
        if (msg.sType == DUI_MSGTYPE_ITEMSELECT) {
            seen.push_back(std::to_wstring(msg.wParam) + L"<-" + std::to_wstring(msg.lParam));
        }
    }
    std::vector<std::wstring> seen;
};

class ComboTest : public ControlsWindowTest {
protected:
    void SetUp() override {
        ControlsWindowTest::SetUp();
        combo_ = Find<CComboUI>(L"combo");
        combo_->SelectItem(-1, false);
        window_->GetPaintManager().AddNotifier(&recorder_);
    }
    void TearDown() override { window_->GetPaintManager().RemoveNotifier(&recorder_); }
    CComboUI* combo_ = nullptr;
    ItemSelectRecorder recorder_;
};

TEST_F(ComboTest, ItemsFromTheLayoutAndSelectionFromCode) {
    ASSERT_EQ(combo_->GetCount(), 3);
    EXPECT_EQ(combo_->GetCurSel(), -1);
    EXPECT_EQ(combo_->GetText(), L"");
    EXPECT_TRUE(combo_->SelectItem(2));
    EXPECT_EQ(combo_->GetText(), L"{f 微软雅黑 12}4096px{/f}");
    // Selecting the selected item again, or one that is not there, says nothing.
    combo_->SelectItem(2);
    EXPECT_FALSE(combo_->SelectItem(3));
    EXPECT_EQ(combo_->GetCurSel(), 2);
    EXPECT_TRUE(combo_->SelectItem(0, false));
    std::vector<std::wstring> expected = {L"2<--1"};
    EXPECT_EQ(recorder_.seen, expected);
}

TEST_F(ComboTest, ChoosingInTheOpenedListSendsItemSelect) {
    combo_->SelectItem(0, false);
    DriveResult result = RunDriver(L"PimloUITestWindow click combo");
    ASSERT_EQ(result.exitCode, 0u) << result.output;
    PumpMessages(200);
    HWND list = FindWindowW(L"PimloUIComboDropDown", nullptr);
    ASSERT_NE(list, nullptr);
    ASSERT_TRUE(IsWindowVisible(list));
    // The list opens under the combo, one row per item, each as high as it.
    RECT listRect;
    GetWindowRect(list, &listRect);
    RECT comboRect = combo_->GetPos();
    MapWindowPoints(window_->GetHWND(), nullptr, reinterpret_cast<POINT*>(&comboRect), 2);
    EXPECT_EQ(listRect.top, comboRect.bottom);
    int rowHeight = comboRect.bottom - comboRect.top;
    ClickScreenAt({listRect.left + 20, listRect.top + 1 + rowHeight + rowHeight / 2});
    PumpMessages(200);
    EXPECT_EQ(combo_->GetCurSel(), 1);
    std::vector<std::wstring> expected = {L"1<-0"};
    EXPECT_EQ(recorder_.seen, expected);
    EXPECT_FALSE(IsWindow(list));
}

TEST_F(ComboTest, ArrowKeysAndReturnChooseInTheOpenedList) {
    combo_->SelectItem(0, false);
    combo_->DropDown();
    PumpMessages(100);
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    PressKey(VK_DOWN);
    PressKey(VK_RETURN);
    PumpMessages(200);
    EXPECT_EQ(FindWindowW(L"PimloUIComboDropDown", nullptr), nullptr);
    EXPECT_EQ(combo_->GetCurSel(), 2);
    std::vector<std::wstring> expected = {L"2<-0"};
    EXPECT_EQ(recorder_.seen, expected);
}

TEST_F(ComboTest, EscapeOrAClickElsewhereClosesTheListUnchanged) {
    combo_->SelectItem(1, false);
    combo_->DropDown();
    PumpMessages(100);
    HWND list = FindWindowW(L"PimloUIComboDropDown", nullptr);
    ASSERT_NE(list, nullptr);
    // Escape is for the list, not for the window under it.
    HWND window = window_->GetHWND();
    PressKey(VK_ESCAPE);
    PumpMessages(100);
    EXPECT_FALSE(IsWindow(list));
    ASSERT_TRUE(IsWindow(window));

    combo_->DropDown();
    PumpMessages(100);
    list = FindWindowW(L"PimloUIComboDropDown", nullptr);
    POINT outside = {0, 0};
    ClientToScreen(window_->GetHWND(), &outside);
    ClickScreenAt({outside.x + 5, outside.y + 5});
    PumpMessages(100);
    EXPECT_FALSE(IsWindow(list));
    EXPECT_EQ(combo_->GetCurSel(), 1);
    EXPECT_TRUE(recorder_.seen.empty());
}

}  // namespace
