#pragma once

#include "platform/uilib/controls/OptionUI.h"

// An option on its own: each click flips it.
class UILIB_API CCheckBoxUI : public COptionUI {
public:
    std::wstring GetClass() const override;
    bool GetCheck() const { return IsSelected(); }
    void SetCheck(bool check, bool notify = false) { Selected(check, notify); }
};
