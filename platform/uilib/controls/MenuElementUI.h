#pragma once

#include "platform/uilib/controls/ButtonUI.h"

// One item of a pop-up menu: a clickable row (30 high unless the layout says
// otherwise) with a hover colour; an item with no text is a separator line.
class UILIB_API CMenuElementUI : public CButtonUI {
public:
    CMenuElementUI();
    std::wstring GetClass() const override;
    bool Activate() override;
    void DoPaint(HDC hDC, const RECT& paint) override;
};
