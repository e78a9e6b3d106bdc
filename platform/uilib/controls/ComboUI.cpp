#include "platform/uilib/controls/ComboUI.h"

#include "platform/uilib/controls/ComboDropDown.h"
#include "platform/uilib/controls/SelectionIndex.h"
#include "platform/uilib/core/AttributeValues.h"
#include "platform/uilib/core/PaintManagerUI.h"
#include "platform/uilib/render/RenderEngine.h"

CComboUI::CComboUI() : dropDown_(std::make_unique<ComboDropDown>()) {
    keyboardEnabled_ = true;
    bkColor_ = 0xFFFFFFFF;
    borderColor_ = 0xFFD5DAE1;
    borderSize_ = 1;
}

CComboUI::~CComboUI() = default;

std::wstring CComboUI::GetClass() const { return L"Combo"; }

bool CComboUI::SelectItem(int index, bool notify) {
    if (index < -1 || index >= GetCount()) {
        return false;
    }
    int previous = selected_;
    selected_ = index;
    Invalidate();
    if (notify && manager_ && previous != index) {
        manager_->SendNotify(this, DUI_MSGTYPE_ITEMSELECT, static_cast<WPARAM>(index), previous);
    }
    return true;
}

std::wstring CComboUI::GetText() const {
    CControlUI* item = GetItemAt(selected_);
    return item ? item->GetText() : L"";
}

void CComboUI::DropDown() {
    if (manager_ && GetCount() > 0) {
        dropDown_->Show(this);
    }
}

bool CComboUI::AddAt(CControlUI* control, int index) {
    if (!CContainerUI::AddAt(control, index)) {
        return false;
    }
    selected_ = SelectionAfterInsert(selected_, index);
    return true;
}

bool CComboUI::RemoveAt(int index, bool doNotDestroy) {
    if (!CContainerUI::RemoveAt(index, doNotDestroy)) {
        return false;
    }
    selected_ = SelectionAfterRemove(selected_, index);
    return true;
}

void CComboUI::RemoveAll() {
    selected_ = -1;
    CContainerUI::RemoveAll();
}

CControlUI* CComboUI::FindControlAt(POINT point) { return CControlUI::FindControlAt(point); }

void CComboUI::SetPos(RECT rect, bool needInvalidate) {
    // The items are shown in the drop-down, never laid out here.
    CControlUI::SetPos(rect, needInvalidate);
}

void CComboUI::DoPaint(HDC hDC, const RECT& paint) {
    RECT overlap;
    if (!IntersectRect(&overlap, &paint, &pos_)) {
        return;
    }
    PaintBkColor(hDC);
    PaintBkImage(hDC);
    if (!(hot_ && DrawImage(hDC, hotImage_)) && !normalImage_.empty()) {
        DrawImage(hDC, normalImage_);
    }
    RECT padding = Dpi().Scale(textPadding_);
    RECT box = {pos_.left + padding.left, pos_.top + padding.top, pos_.right - padding.right,
                pos_.bottom - padding.bottom};
    std::wstring text = GetText();
    DWORD color = IsEnabled() ? textColor_ : 0xFFA7A6AA;
    if (itemShowHtml_) {
        CRenderEngine::DrawHtmlText(hDC, manager_, box, text.c_str(), color, font_,
                                    DT_SINGLELINE | DT_VCENTER);
    } else {
        CRenderEngine::DrawText(hDC, manager_, box, text.c_str(), color, font_,
                                DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    }
    if (normalImage_.empty()) {
        // A small chevron where no image draws one.
        int size = Scaled(4);
        int cx = pos_.right - Scaled(11);
        int cy = (pos_.top + pos_.bottom) / 2 - size / 2;
        for (int i = 0; i < size; ++i) {
            RECT line = {cx - size + i, cy + i, cx + size - i, cy + i + 1};
            CRenderEngine::DrawColor(hDC, line, 0xFF7A8494);
        }
    }
    PaintBorder(hDC);
}

void CComboUI::DoEvent(TEventUI& event) {
    if (!IsEnabled()) {
        CContainerUI::DoEvent(event);
        return;
    }
    switch (event.Type) {
        case UIEVENT_BUTTONUP:
            if (PtInRect(&pos_, event.ptMouse)) {
                DropDown();
            }
            return;
        case UIEVENT_MOUSEENTER:
        case UIEVENT_MOUSELEAVE:
            hot_ = event.Type == UIEVENT_MOUSEENTER;
            Invalidate();
            return;
        case UIEVENT_KEYDOWN:
            if (event.chKey == VK_DOWN) {
                SelectItem(std::min(selected_ + 1, GetCount() - 1));
                return;
            }
            if (event.chKey == VK_UP) {
                SelectItem(std::max(selected_ - 1, 0));
                return;
            }
            break;
        default:
            break;
    }
    CContainerUI::DoEvent(event);
}

void CComboUI::SetAttribute(LPCTSTR name, LPCTSTR value) {
    std::wstring_view key = name;
    if (key == L"itemshowhtml") {
        itemShowHtml_ = ParseBool(value);
    } else if (key == L"font" || key == L"itemfont") {
        font_ = ParseInt(value);
    } else if (key == L"textcolor" || key == L"itemtextcolor") {
        textColor_ = ParseColor(value);
    } else if (key == L"textpadding") {
        textPadding_ = ParseRect(value);
    } else if (key == L"normalimage") {
        normalImage_ = value;
    } else if (key == L"hotimage") {
        hotImage_ = value;
    } else if (key == L"selectedid") {
        SelectItem(ParseInt(value), false);
    } else {
        CContainerUI::SetAttribute(name, value);
    }
}
