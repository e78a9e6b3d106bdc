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
