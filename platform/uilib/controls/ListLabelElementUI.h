#pragma once

#include "platform/uilib/controls/LabelUI.h"

// One text item: of a combo box (its text may be label markup), or a row of
// a list, which a press selects and which shows the list's item colours.
class UILIB_API CListLabelElementUI : public CLabelUI {
public:
    std::wstring GetClass() const override;

    void DoEvent(TEventUI& event) override;
    void PaintBkColor(HDC hDC) override;

private:
    bool hot_ = false;
};
