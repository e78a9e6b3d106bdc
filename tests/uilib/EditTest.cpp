#include <gtest/gtest.h>

#include <algorithm>

#include "tests/uilib/UiTestSupport.h"
#include "tests/uilib/UserInput.h"

namespace {

class EditTest : public ControlsWindowTest {
protected:
    // Clicks into the field, as the user starts typing.
    static CEditUI* ClickInto(LPCTSTR name) {
        auto* edit = Find<CEditUI>(name);
        ClickScreenAt(ScreenCentre(window_->GetHWND(), edit->GetPos()));
        PumpMessages(100);
        return edit;
    }
    static bool Notified(const std::wstring& notification) {
        const auto& seen = window_->notifications;
        return std::find(seen.begin(), seen.end(), notification) != seen.end();
    }
};

TEST_F(EditTest, NumberOnlyRefusesLetters) {
    CEditUI* edit = ClickInto(L"number");
    ASSERT_EQ(GetFocus(), edit->GetNativeWindow());
    TypeText(L"12a3б4");
    PumpMessages(200);
    EXPECT_EQ(edit->GetText(), L"1234");
}

TEST_F(EditTest, MaxCharStopsTyping) {
    CEditUI* edit = ClickInto(L"short");
    TypeText(L"一二三四五六七");
    PumpMessages(200);
    EXPECT_EQ(edit->GetText(), L"一二三四五");
}

TEST_F(EditTest, TextFromTheLayoutFromCodeAndTypedComesBack) {
    auto* edit = Find<CEditUI>(L"plain");
    EXPECT_EQ(edit->GetText(), L"初始 text");
    edit->SetText(L"");
    ClickInto(L"plain");
    TypeText(L"识别 OCR");
    PumpMessages(200);
    EXPECT_EQ(edit->GetText(), L"识别 OCR");
    EXPECT_TRUE(Notified(L"textchanged:plain:0"));
    edit->SetText(L"D:\\图片");
    EXPECT_EQ(edit->GetText(), L"D:\\图片");
}

TEST_F(EditTest, EnterSendsReturnAndTypesNothing) {
    CEditUI* edit = ClickInto(L"plain");
    edit->SetText(L"abc");
    PressKey(VK_RETURN);
    PumpMessages(200);
    EXPECT_TRUE(Notified(L"return:plain:0"));
    EXPECT_EQ(edit->GetText(), L"abc");
}

}  // namespace
