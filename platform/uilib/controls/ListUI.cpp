#include "platform/uilib/controls/ListUI.h"

#include "platform/uilib/controls/SelectionIndex.h"
#include "platform/uilib/core/AttributeValues.h"
#include "platform/uilib/core/PaintManagerUI.h"

CListUI::CListUI() { EnableScrollBar(true); }

std::wstring CListUI::GetClass() const { return L"List"; }

bool CListUI::SelectItem(int index, bool notify) {
    if (index < -1 || index >= GetCount()) {
        return false;
    }
    if (index == selected_) {
        return true;
    }
    int previous = selected_;
    selected_ = index;
    if (CControlUI* old = GetItemAt(previous)) {
        old->Invalidate();
    }
    if (CControlUI* row = GetItemAt(index)) {
        row->Invalidate();
        EnsureVisible(row);
    }
    if (notify && manager_) {
        manager_->SendNotify(this, DUI_MSGTYPE_ITEMSELECT, static_cast<WPARAM>(index), previous);
    }
    return true;
}

bool CListUI::AddAt(CControlUI* control, int index) {
    if (!CVerticalLayoutUI::AddAt(control, index)) {
        return false;
    }
    selected_ = SelectionAfterInsert(selected_, index);
    return true;
}

bool CListUI::RemoveAt(int index, bool doNotDestroy) {
    if (!CVerticalLayoutUI::RemoveAt(index, doNotDestroy)) {
        return false;
    }
    selected_ = SelectionAfterRemove(selected_, index);
    return true;
}

void CListUI::RemoveAll() {
    selected_ = -1;
    CVerticalLayoutUI::RemoveAll();
}

void CListUI::SetAttribute(LPCTSTR name, LPCTSTR value) {
    std::wstring_view key = name;
    if (key == L"itembkcolor") {
        itemBkColor_ = ParseColor(value);
    } else if (key == L"itemhotbkcolor") {
        itemHotBkColor_ = ParseColor(value);
    } else if (key == L"itemselectedbkcolor") {
        itemSelectedBkColor_ = ParseColor(value);
    } else {
        CVerticalLayoutUI::SetAttribute(name, value);
    }
}

bool CListUI::HandleRowEvent(CControlUI* row, bool& hot, TEventUI& event) {
    auto* list = dynamic_cast<CListUI*>(row->GetParent());
    if (!list) return false;
    switch (event.Type) {
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
            if (row->IsEnabled()) list->SelectItem(list->GetItemIndex(row));
            return true;
        case UIEVENT_MOUSEENTER:
        case UIEVENT_MOUSELEAVE:
            hot = event.Type == UIEVENT_MOUSEENTER;
            row->Invalidate();
            return true;
        default:
            return false;
    }
}

DWORD CListUI::RowColour(const CControlUI* row, bool hot) {
    const auto* list = dynamic_cast<const CListUI*>(row->GetParent());
    if (!list) return 0;
    if (list->GetCurSel() == list->GetItemIndex(const_cast<CControlUI*>(row)))
        return list->GetItemSelectedBkColor();
    return hot ? list->GetItemHotBkColor() : list->GetItemBkColor();
}
