#pragma once

#include "platform/uilib/controls/NativeControlUI.h"

// A hot-key field (the system's hot-key control). Modifiers are the bits
// RegisterHotKey takes (MOD_ALT, MOD_CONTROL, MOD_SHIFT), so a value read
// here can be registered as it is.
class UILIB_API CHotKeyUI : public CNativeControlUI {
public:
    CHotKeyUI();

    std::wstring GetClass() const override;

    void SetHotKey(WORD virtualKey, WORD modifiers);
    void GetHotKey(WORD& virtualKey, WORD& modifiers) const;

protected:
    bool CreateNative(HWND parent) override;

private:
    WORD virtualKey_ = 0;
    WORD modifiers_ = 0;
};
