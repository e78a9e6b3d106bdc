#include <gtest/gtest.h>

#include "tests/uilib/UiTestSupport.h"
#include "tests/uilib/UserInput.h"

#include <commctrl.h>

namespace {

using HotKeyTest = ControlsWindowTest;

TEST_F(HotKeyTest, ModifiersSetAndReadAreRegisterHotKeyBits) {
    auto* field = Find<CHotKeyUI>(L"hotkey");
    const WORD cases[] = {MOD_ALT,
                          MOD_CONTROL,
                          MOD_SHIFT,
                          MOD_CONTROL | MOD_ALT,
                          MOD_SHIFT | MOD_ALT,
                          MOD_CONTROL | MOD_SHIFT | MOD_ALT};
    for (WORD modifiers : cases) {
        field->SetHotKey('Q', modifiers);
        WORD key = 0;
        WORD read = 0;
        field->GetHotKey(key, read);
        EXPECT_EQ(key, 'Q');
        EXPECT_EQ(read, modifiers);
    }
    // The field shows what was set: Shift+Alt is HOTKEYF_SHIFT|HOTKEYF_ALT there.
    field->SetHotKey(VK_F2, MOD_SHIFT | MOD_ALT);
    LRESULT shown = SendMessageW(field->GetNativeWindow(), HKM_GETHOTKEY, 0, 0);
    EXPECT_EQ(LOBYTE(shown), VK_F2);
    EXPECT_EQ(HIBYTE(shown), HOTKEYF_SHIFT | HOTKEYF_ALT);
}

// The field looks like a one-line Edit: no 3-D edge of its own, the
// layout's background behind the keys, and the keys on the middle line.
TEST_F(HotKeyTest, TheFieldIsFlatWithItsKeysCentredOnTheLayoutsBackground) {
    auto* field = Find<CHotKeyUI>(L"hotkey");
    const HWND child = field->GetNativeWindow();
    EXPECT_FALSE(GetWindowLongPtrW(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    RECT shown = {};
    GetWindowRect(child, &shown);
    MapWindowPoints(nullptr, window_->GetHWND(), reinterpret_cast<POINT*>(&shown), 2);
    const RECT control = field->GetPos();
    EXPECT_NEAR(shown.top + shown.bottom, control.top + control.bottom, 1);
    EXPECT_LT(shown.bottom - shown.top, control.bottom - control.top - 4);

    InvalidateRect(child, nullptr, TRUE);
    PumpMessages(100);
    // Right of the keys' name, as the child painted it.
    HDC dc = GetDC(child);
    const COLORREF painted =
        GetPixel(dc, shown.right - shown.left - 4, (shown.bottom - shown.top) / 2);
    ReleaseDC(child, dc);
    EXPECT_EQ(painted, RGB(0xFF, 0xF4, 0xD6));
}

TEST_F(HotKeyTest, AKeyPressedInTheFieldCanBeRegistered) {
    auto* field = Find<CHotKeyUI>(L"hotkey");
    field->SetHotKey(0, 0);
    ClickScreenAt(ScreenCentre(window_->GetHWND(), field->GetPos()));
    PumpMessages(100);
    PressKey('K', {VK_CONTROL, VK_MENU});
    PumpMessages(200);
    WORD key = 0;
    WORD modifiers = 0;
    field->GetHotKey(key, modifiers);
    EXPECT_EQ(key, 'K');
    EXPECT_EQ(modifiers, MOD_CONTROL | MOD_ALT);
    ASSERT_TRUE(RegisterHotKey(window_->GetHWND(), 1, modifiers, key));
    UnregisterHotKey(window_->GetHWND(), 1);
}

}  // namespace
