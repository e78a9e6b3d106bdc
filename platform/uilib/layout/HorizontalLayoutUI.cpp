#include "platform/uilib/layout/HorizontalLayoutUI.h"

#include "platform/uilib/layout/StackLayout.h"

std::wstring CHorizontalLayoutUI::GetClass() const { return L"HorizontalLayout"; }

void CHorizontalLayoutUI::SetPos(RECT rect, bool needInvalidate) {
    CControlUI::SetPos(rect, needInvalidate);
    RECT client = ClientRect();
    StackChildren(items_, client, GetChildPadding(), 0, false);
    for (CControlUI* item : items_) {
        if (item->IsVisible() && item->IsFloat()) {
            PlaceFloatChild(item, client);
        }
    }
}
