#include "platform/uilib/layout/VerticalLayoutUI.h"

#include "platform/uilib/controls/ScrollBarUI.h"
#include "platform/uilib/layout/StackLayout.h"

std::wstring CVerticalLayoutUI::GetClass() const { return L"VerticalLayout"; }

void CVerticalLayoutUI::SetPos(RECT rect, bool needInvalidate) {
    CControlUI::SetPos(rect, needInvalidate);
    RECT client = ClientRect();
    int content = StackChildren(items_, client, GetChildPadding(), scrollPos_, true);
    if (verticalScrollBar_) {
        bool wasShown = verticalScrollBar_->IsVisible();
        UpdateScrollRange(content, client.bottom - client.top);
        if (wasShown != verticalScrollBar_->IsVisible()) {
            // The bar took or gave back width: lay out once more.
            client = ClientRect();
            content = StackChildren(items_, client, GetChildPadding(), scrollPos_, true);
            UpdateScrollRange(content, client.bottom - client.top);
        }
    }
    for (CControlUI* item : items_) {
        if (item->IsVisible() && item->IsFloat()) {
            PlaceFloatChild(item, client);
        }
    }
}
