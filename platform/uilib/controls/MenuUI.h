#pragma once

#include "platform/uilib/layout/VerticalLayoutUI.h"

// The body of a pop-up menu layout: its MenuElement items stacked.
class UILIB_API CMenuUI : public CVerticalLayoutUI {
public:
    CMenuUI();
    std::wstring GetClass() const override;
    // Height the items need (fixed heights, paddings, inset), in pixels.
    int ContentHeight() const;
};
