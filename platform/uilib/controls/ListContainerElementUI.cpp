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
    if (!CListUI::HandleRowEvent(this, hot_, event)) CHorizontalLayoutUI::DoEvent(event);
}

void CListContainerElementUI::PaintBkColor(HDC hDC) {
    if (DWORD color = CListUI::RowColour(this, hot_)) CRenderEngine::DrawColor(hDC, pos_, color);
    CHorizontalLayoutUI::PaintBkColor(hDC);
}
