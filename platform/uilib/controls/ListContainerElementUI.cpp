#include "platform/uilib/controls/ListContainerElementUI.h"

#include "platform/uilib/controls/ListUI.h"
#include "platform/uilib/render/RenderEngine.h"

std::wstring CListContainerElementUI::GetClass() const { return L"ListContainerElement"; }

CListUI* CListContainerElementUI::GetOwner() const { return dynamic_cast<CListUI*>(parent_); }

int CListContainerElementUI::GetIndex() const {
    CListUI* owner = GetOwner();
    return owner ? owner->GetItemIndex(const_cast<CListContainerElementUI*>(this)) : -1;
}

bool CListContainerElementUI::IsSelected() const {
    CListUI* owner = GetOwner();
    return owner && owner->GetCurSel() == GetIndex();
}

bool CListContainerElementUI::Select(bool notify) {
    CListUI* owner = GetOwner();
    return owner && owner->SelectItem(GetIndex(), notify);
}

void CListContainerElementUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
            if (IsEnabled()) {
                Select();
            }
            return;
        case UIEVENT_MOUSEENTER:
            hot_ = true;
            Invalidate();
            return;
        case UIEVENT_MOUSELEAVE:
            hot_ = false;
            Invalidate();
            return;
        default:
            CHorizontalLayoutUI::DoEvent(event);
    }
}

void CListContainerElementUI::PaintBkColor(HDC hDC) {
    CListUI* owner = GetOwner();
    DWORD color = 0;
    if (owner) {
        color = IsSelected() ? owner->GetItemSelectedBkColor()
                : hot_       ? owner->GetItemHotBkColor()
                             : owner->GetItemBkColor();
    }
    if (color) {
        CRenderEngine::DrawColor(hDC, pos_, color);
    }
    CHorizontalLayoutUI::PaintBkColor(hDC);
}
