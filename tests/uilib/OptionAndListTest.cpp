#include <gtest/gtest.h>

#include "tests/uilib/UiTestSupport.h"

namespace {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { window_ = OpenRecordingWindow(); }
    void TearDown() override { DestroyWindow(window_->GetHWND()); }
    std::vector<std::wstring> Notifications() {
        std::vector<std::wstring> seen = window_->notifications;
        window_->notifications.clear();
        return seen;
    }
    RecordingWindow* window_ = nullptr;
};

TEST_F(WindowTest, WindowInitArrivesOnceTheLayoutIsBuilt) {
    std::vector<std::wstring> seen = Notifications();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front().rfind(L"windowinit:", 0), 0u);
}

TEST_F(WindowTest, AGroupedOptionIsClickedBeforeItIsSelected) {
    auto* a = window_->Find<COptionUI>(L"optA");
    auto* b = window_->Find<COptionUI>(L"optB");
    ASSERT_TRUE(a->IsSelected());
    Notifications();
    EXPECT_TRUE(b->Activate());
    std::vector<std::wstring> expected = {L"click:optB:0", L"selectchanged:optA:0",
                                          L"selectchanged:optB:1"};
    EXPECT_EQ(Notifications(), expected);
    EXPECT_FALSE(a->IsSelected());
    // Clicking the selected option of a group keeps it selected.
    b->Activate();
    EXPECT_TRUE(b->IsSelected());
    expected = {L"click:optB:1"};
    EXPECT_EQ(Notifications(), expected);
}

TEST_F(WindowTest, ACheckBoxFlipsOnEveryClick) {
    auto* check = window_->Find<CCheckBoxUI>(L"check");
    Notifications();
    check->Activate();
    EXPECT_TRUE(check->GetCheck());
    check->Activate();
    EXPECT_FALSE(check->GetCheck());
    std::vector<std::wstring> expected = {L"click:check:0", L"selectchanged:check:1",
                                          L"click:check:1", L"selectchanged:check:0"};
    EXPECT_EQ(Notifications(), expected);
}

TEST_F(WindowTest, HiddenOrDisabledButtonsDoNotClick) {
    auto* hidden = window_->Find<CButtonUI>(L"btnHidden");
    auto* go = window_->Find<CButtonUI>(L"btnGo");
    go->SetEnabled(false);
    Notifications();
    EXPECT_FALSE(hidden->Activate());
    EXPECT_FALSE(go->Activate());
    EXPECT_TRUE(Notifications().empty());
}

TEST_F(WindowTest, ListRowsFromALayoutSelectAndEmpty) {
    auto* list = window_->Find<CListUI>(L"list");
    CPaintManagerUI& manager = window_->GetPaintManager();
    for (int i = 0; i < 3; ++i) {
        auto* row = dynamic_cast<CListContainerElementUI*>(
            CDialogBuilder().Create(L"row.xml", nullptr, nullptr, &manager));
        ASSERT_NE(row, nullptr);
        list->Add(row);
        manager.FindSubControlByName(row, L"fileName")->SetText(std::to_wstring(i).c_str());
    }
    EXPECT_EQ(list->GetCount(), 3);
    CControlUI* secondRow = list->GetItemAt(1);
    EXPECT_EQ(manager.FindSubControlByName(secondRow, L"fileName")->GetText(), L"1");
    // A row's button knows its row's index through its parent.
    auto* diff = static_cast<CButtonUI*>(manager.FindSubControlByName(secondRow, L"btnDiff"));
    EXPECT_EQ(list->GetItemIndex(diff->GetParent()), 1);

    Notifications();
    EXPECT_TRUE(list->SelectItem(2));
    EXPECT_TRUE(list->GetItemAt(2)->IsSelected());
    std::vector<std::wstring> expected = {L"itemselect:list:0"};
    EXPECT_EQ(Notifications(), expected);

    // Emptying the list from the click handler of one of its rows is safe.
    struct Emptier : INotifyUI {
        CListUI* list;
        void Notify(TNotifyUI& msg) override {
            if (msg.sType == DUI_MSGTYPE_CLICK && msg.pSender->GetName() == L"btnDiff") {
                list->RemoveAll();
            }
        }
    } emptier;
    emptier.list = list;
    manager.AddNotifier(&emptier);
    diff->Activate();
    manager.RemoveNotifier(&emptier);
    EXPECT_EQ(list->GetCount(), 0);
    EXPECT_EQ(list->GetCurSel(), -1);
    EXPECT_EQ(manager.FindControl(L"btnDiff"), nullptr);
    PumpMessages(20);
}

}  // namespace
