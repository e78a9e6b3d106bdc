#pragma once

#include "platform/uilib/core/ContainerUI.h"

// Stacks its children horizontally (see StackChildren for the rules).
class UILIB_API CHorizontalLayoutUI : public CContainerUI {
public:
    std::wstring GetClass() const override;
    void SetPos(RECT rect, bool needInvalidate = true) override;
};
