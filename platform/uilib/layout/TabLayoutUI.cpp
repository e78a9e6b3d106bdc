#include "platform/uilib/layout/TabLayoutUI.h"

#include "platform/uilib/core/AttributeValues.h"
#include "platform/uilib/core/PaintManagerUI.h"

std::wstring CTabLayoutUI::GetClass() const { return L"TabLayout"; }

bool CTabLayoutUI::SelectItem(int index) {
    if (index < 0 || index >= GetCount()) {
        return false;
    }
    int previous = selected_;
    selected_ = index;
    for (int i = 0; i < GetCount(); ++i) {
        items_[i]->SetVisible(i == index);
    }
    NeedUpdate();
    if (manager_ && previous != index) {
        manager_->SendNotify(this, L"tabselect", index, previous);
    }
    return true;
}

bool CTabLayoutUI::SelectItem(CControlUI* control) { return SelectItem(GetItemIndex(control)); }

bool CTabLayoutUI::AddAt(CControlUI* control, int index) {
    if (!CContainerUI::AddAt(control, index)) {
        return false;
    }
    if (selected_ < 0) {
        selected_ = index;
    } else if (index <= selected_) {
        ++selected_;
    }
    control->SetVisible(index == selected_);
    return true;
}

bool CTabLayoutUI::RemoveAt(int index, bool doNotDestroy) {
    if (!CContainerUI::RemoveAt(index, doNotDestroy)) {
        return false;
    }
    if (index < selected_) {
        --selected_;
    } else if (index == selected_) {
        selected_ = -1;
        SelectItem(GetCount() > 0 ? std::min(index, GetCount() - 1) : -1);
    }
    return true;
}

void CTabLayoutUI::RemoveAll() {
    selected_ = -1;
    CContainerUI::RemoveAll();
}

void CTabLayoutUI::SetAttribute(LPCTSTR name, LPCTSTR value) {
    if (std::wstring_view(name) == L"selectedid") {
        SelectItem(ParseInt(value));
    } else {
        CContainerUI::SetAttribute(name, value);
    }
}
