#include <gtest/gtest.h>

#include "tests/uilib/ScopedClipboardText.h"
#include "tests/uilib/UiTestSupport.h"
#include "tests/uilib/UserInput.h"

namespace {

class RichEditTest : public ControlsWindowTest {
protected:
    void SetUp() override {
        ControlsWindowTest::SetUp();
        rich_ = Find<CRichEditUI>(L"rich");
        rich_->SetReadOnly(false);
        rich_->SetText(L"");
        PumpMessages(50);
    }
    // The native child's rectangle in the window's client pixels.
    RECT NativeRect() const {
        RECT rect = {};
        GetWindowRect(rich_->GetNativeWindow(), &rect);
        MapWindowPoints(nullptr, window_->GetHWND(), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    static std::wstring Lines(int count) {
        std::wstring text;
        for (int i = 1; i <= count; ++i) {
            text += L"第 " + std::to_wstring(i) + L" 行\r\n";
        }
        return text;
    }
    CRichEditUI* rich_ = nullptr;
};

TEST_F(RichEditTest, LinesComeBackWithTheirLineBreaks) {
    const std::wstring text = L"第一行\r\nsecond line\r\n\r\n最后";
    rich_->SetText(text.c_str());
    EXPECT_EQ(rich_->GetText(), text);

    // Typed at the end: Enter breaks the line and sends no "return".
    ClickScreenAt(ScreenCentre(window_->GetHWND(), NativeRect()));
    PressKey(VK_END, {VK_CONTROL});
    PressKey(VK_RETURN);
    TypeText(L"新");
    PumpMessages(200);
    EXPECT_EQ(rich_->GetText(), text + L"\r\n新");
    for (const std::wstring& seen : window_->notifications) {
        EXPECT_NE(seen, L"return:rich:0");
    }
}

TEST_F(RichEditTest, ReadOnlyRefusesTypingButNotCode) {
    rich_->SetReadOnly(true);
    rich_->SetText(L"结果");
    ClickScreenAt(ScreenCentre(window_->GetHWND(), NativeRect()));
    TypeText(L"xyz");
    PressKey(VK_BACK);
    PumpMessages(200);
    EXPECT_EQ(rich_->GetText(), L"结果");
    rich_->SetText(L"新的结果");
    EXPECT_EQ(rich_->GetText(), L"新的结果");
}

TEST_F(RichEditTest, TheScrollBarShowsOnlyWhileTheTextDoesNotFit) {
    CScrollBarUI* bar = rich_->GetVerticalScrollBar();
    rich_->SetText(L"一行");
    PumpMessages(100);
    EXPECT_FALSE(bar->IsVisible());
    // Without the bar the text takes the whole width inside the border.
    EXPECT_EQ(NativeRect().right, rich_->GetPos().right - 1);

    rich_->SetText(Lines(40).c_str());
    PumpMessages(100);
    EXPECT_TRUE(bar->IsVisible());
    EXPECT_GT(bar->GetScrollRange(), 0);
    EXPECT_LE(NativeRect().right, bar->GetPos().left);

    rich_->SetText(L"一行");
    PumpMessages(100);
    EXPECT_FALSE(bar->IsVisible());
}

TEST_F(RichEditTest, TheScrollBarTakesTheMainWindowsStyle) {
    CScrollBarUI* bar = rich_->GetVerticalScrollBar();
    bar->SetShowButton1(false);
    bar->SetShowButton2(false);
    bar->SetFixedWidth(12);
    bar->SetThumbNormalImage(L"file='images/dot.png' source='0,0,4,4' corner='1,1,1,1'");
    bar->SetThumbHotImage(L"file='images/dot.png' source='0,0,4,4' corner='1,1,1,1'");
    bar->SetThumbPushedImage(L"file='images/dot.png' source='0,0,4,4' corner='1,1,1,1'");
    rich_->SetText(Lines(40).c_str());
    PumpMessages(100);
    RECT pos = bar->GetPos();
    EXPECT_EQ(pos.right - pos.left, 12);
    EXPECT_EQ(pos.right, rich_->GetPos().right - 1);
    EXPECT_LE(NativeRect().right, pos.left);
    // No arrow buttons: at the top the thumb starts where the bar does.
    EXPECT_EQ(bar->GetThumbRect().top, pos.top);
    EXPECT_LT(bar->GetThumbRect().bottom, pos.bottom);

    // Scrolling the text to its end moves the thumb to the bottom.
    SendMessageW(rich_->GetNativeWindow(), WM_VSCROLL, SB_BOTTOM, 0);
    PumpMessages(100);
    EXPECT_EQ(bar->GetScrollPos(), bar->GetScrollRange());
    EXPECT_EQ(bar->GetThumbRect().bottom, pos.bottom);
}

// Every way of pasting inserts the clipboard's text at the caret or over the
// selection, and one undo takes the paste back; a read-only box takes none.
TEST_F(RichEditTest, PastingInsertsAtTheCaretAndCanBeUndone) {
    enum class Paste { Message, CtrlV, ShiftInsert };
    struct Case {
        Paste paste;
        int selectionStart;
        int selectionEnd;
        bool readOnly;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {Paste::Message, 3, 3, false, L"abcXYdef"},  {Paste::CtrlV, 3, 3, false, L"abcXYdef"},
        {Paste::ShiftInsert, 1, 4, false, L"aXYef"}, {Paste::CtrlV, 6, 6, false, L"abcdefXY"},
        {Paste::CtrlV, 1, 4, true, L"abcdef"},
    };
    ScopedClipboardText clipboard(L"XY");
    HWND native = rich_->GetNativeWindow();
    for (const Case& test : cases) {
        SCOPED_TRACE(static_cast<int>(&test - cases));
        rich_->SetReadOnly(test.readOnly);
        rich_->SetText(L"abcdef");
        ClickScreenAt(ScreenCentre(window_->GetHWND(), NativeRect()));
        PumpMessages(50);
        SendMessageW(native, EM_SETSEL, test.selectionStart, test.selectionEnd);
        if (test.paste == Paste::Message) {
            SendMessageW(native, WM_PASTE, 0, 0);
        } else if (test.paste == Paste::CtrlV) {
            PressKey('V', {VK_CONTROL});
        } else {
            PressKey(VK_INSERT, {VK_SHIFT});
        }
        PumpMessages(100);
        EXPECT_EQ(rich_->GetText(), test.expected);

        PressKey('Z', {VK_CONTROL});
        PumpMessages(100);
        EXPECT_EQ(rich_->GetText(), L"abcdef");
    }
}

}  // namespace
