#include "platform/uilib/controls/MenuUI.h"

CMenuUI::CMenuUI() {
    bkColor_ = 0xFFFFFFFF;
    borderColor_ = 0xFFD5DAE1;
    borderSize_ = 1;
    inset_ = {1, 4, 1, 4};
}

std::wstring CMenuUI::GetClass() const { return L"Menu"; }

int CMenuUI::ContentHeight() const {
    RECT inset = GetInset();
    int height = inset.top + inset.bottom;
    for (CControlUI* item : items_) {
        if (item->IsVisible() && !item->IsFloat()) {
            RECT padding = item->GetPadding();
            height += item->GetFixedHeight() + padding.top + padding.bottom;
        }
    }
    return height;
}
