#pragma once

#include "platform/uilib/controls/LabelUI.h"

// A block of text: wraps at word boundaries and starts at the top.
class UILIB_API CTextUI : public CLabelUI {
public:
    CTextUI();
    std::wstring GetClass() const override;
};
