#include "platform/uilib/controls/OptionUI.h"

#include "platform/uilib/core/AttributeValues.h"
#include "platform/uilib/core/PaintManagerUI.h"

std::wstring COptionUI::GetClass() const { return L"Option"; }

bool COptionUI::Activate() {
    if (!CButtonUI::Activate()) {
        return false;
    }
    Selected(group_.empty() ? !selected_ : true);
    return true;
}

void COptionUI::Selected(bool selected, bool notify) {
    if (selected_ == selected) {
        return;
    }
    selected_ = selected;
    Invalidate();
    if (selected_ && !group_.empty() && manager_ && manager_->GetRoot()) {
        const std::wstring group = group_;
        manager_->GetRoot()->FindFirst([this, &group, notify](CControlUI* control) {
            auto* other = dynamic_cast<COptionUI*>(control);
            if (other && other != this && other->GetGroup() == group) {
                other->Selected(false, notify);
            }
            return false;
        });
    }
    if (notify && manager_) {
        manager_->SendNotify(this, DUI_MSGTYPE_SELECTCHANGED);
    }
}

void COptionUI::SetGroup(LPCTSTR group) { group_ = group ? group : L""; }

void COptionUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    CButtonUI::SetManager(manager, parent, init);
    // A layout may mark an option selected before the window's tree exists;
    // the group's exclusion is applied once it joins the window.
    if (manager_ && init && selected_ && !group_.empty()) {
        selected_ = false;
        Selected(true, false);
    }
}

void COptionUI::SetSelectedImage(LPCTSTR image) {
    selectedImage_ = image ? image : L"";
    Invalidate();
}
void COptionUI::SetSelectedHotImage(LPCTSTR image) {
    selectedHotImage_ = image ? image : L"";
    Invalidate();
}
void COptionUI::SetSelectedTextColor(DWORD color) { selectedTextColor_ = color; }
void COptionUI::SetSelectedBkColor(DWORD color) { selectedBkColor_ = color; }

DWORD COptionUI::CurrentTextColor() const {
    if (selected_ && selectedTextColor_ && IsEnabled()) {
        return selectedTextColor_;
    }
    return CButtonUI::CurrentTextColor();
}

void COptionUI::PaintBkColor(HDC hDC) {
    if (selected_ && selectedBkColor_) {
        DWORD normal = bkColor_;
        bkColor_ = selectedBkColor_;
        CControlUI::PaintBkColor(hDC);
        bkColor_ = normal;
        return;
    }
    CButtonUI::PaintBkColor(hDC);
}

void COptionUI::PaintStatusImage(HDC hDC) {
    if (selected_) {
        bool hot = (state_ & UISTATE_HOT) && !selectedHotImage_.empty();
        if (hot ? DrawImage(hDC, selectedHotImage_) : DrawImage(hDC, selectedImage_)) {
            if (!foreImage_.empty()) {
                DrawImage(hDC, foreImage_);
            }
            return;
        }
    }
    CButtonUI::PaintStatusImage(hDC);
}

void COptionUI::SetAttribute(LPCTSTR name, LPCTSTR value) {
    std::wstring_view key = name;
    if (key == L"group") {
        SetGroup(value);
    } else if (key == L"selected") {
        Selected(ParseBool(value), false);
    } else if (key == L"selectedimage") {
        SetSelectedImage(value);
    } else if (key == L"selectedhotimage") {
        SetSelectedHotImage(value);
    } else if (key == L"selectedtextcolor") {
        SetSelectedTextColor(ParseColor(value));
    } else if (key == L"selectedbkcolor") {
        SetSelectedBkColor(ParseColor(value));
    } else {
        CButtonUI::SetAttribute(name, value);
    }
}
