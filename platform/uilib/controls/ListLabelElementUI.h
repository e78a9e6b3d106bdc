#pragma once

#include "platform/uilib/controls/LabelUI.h"

// One text item of a combo box (its text may be label markup).
class UILIB_API CListLabelElementUI : public CLabelUI {
public:
    std::wstring GetClass() const override;
};
