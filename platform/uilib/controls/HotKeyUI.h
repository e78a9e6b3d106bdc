#pragma once

#include "platform/uilib/controls/NativeControlUI.h"

// A hot-key field (the system's hot-key control). Modifiers are the bits
// RegisterHotKey takes (MOD_ALT, MOD_CONTROL, MOD_SHIFT), so a value read
// here can be registered as it is. It looks like a one-line Edit: the
// control's own border and colours, the keys centred on one line.
class UILIB_API CHotKeyUI : public CNativeControlUI {
public:
    CHotKeyUI();

    std::wstring GetClass() const override;

    void SetHotKey(WORD virtualKey, WORD modifiers);
    void GetHotKey(WORD& virtualKey, WORD& modifiers) const;

    bool HandleNativeMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    bool CreateNative(HWND parent) override;
    RECT NativeRect() const override;

private:
    WORD virtualKey_ = 0;
    WORD modifiers_ = 0;
};
