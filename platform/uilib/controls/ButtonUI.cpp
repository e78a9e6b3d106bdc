#include "platform/uilib/controls/ButtonUI.h"

#include "platform/uilib/core/AttributeValues.h"
#include "platform/uilib/core/PaintManagerUI.h"
#include "platform/uilib/render/RenderEngine.h"

CButtonUI::CButtonUI() {
    textStyle_ = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
    keyboardEnabled_ = true;
}

std::wstring CButtonUI::GetClass() const { return L"Button"; }

bool CButtonUI::Activate() {
    if (!CControlUI::Activate()) {
        return false;
    }
    if (manager_) {
        manager_->SendNotify(this, DUI_MSGTYPE_CLICK);
    }
    return true;
}

void CButtonUI::SetEnabled(bool enabled) {
    if (!enabled) {
        state_ &= ~(UISTATE_HOT | UISTATE_PUSHED | UISTATE_CAPTURED);
    }
    CControlUI::SetEnabled(enabled);
}

void CButtonUI::SetNormalImage(LPCTSTR image) {
    normalImage_ = image ? image : L"";
    Invalidate();
}
void CButtonUI::SetHotImage(LPCTSTR image) {
    hotImage_ = image ? image : L"";
    Invalidate();
}
void CButtonUI::SetPushedImage(LPCTSTR image) {
    pushedImage_ = image ? image : L"";
    Invalidate();
}
void CButtonUI::SetFocusedImage(LPCTSTR image) {
    focusedImage_ = image ? image : L"";
    Invalidate();
}
void CButtonUI::SetDisabledImage(LPCTSTR image) {
    disabledImage_ = image ? image : L"";
    Invalidate();
}
void CButtonUI::SetForeImage(LPCTSTR image) {
    foreImage_ = image ? image : L"";
    Invalidate();
}
void CButtonUI::SetHotTextColor(DWORD color) { hotTextColor_ = color; }
void CButtonUI::SetPushedTextColor(DWORD color) { pushedTextColor_ = color; }
void CButtonUI::SetHotBkColor(DWORD color) { hotBkColor_ = color; }

void CButtonUI::TakeLookOf(const CButtonUI& other) {
    normalImage_ = other.normalImage_;
    hotImage_ = other.hotImage_;
    pushedImage_ = other.pushedImage_;
    focusedImage_ = other.focusedImage_;
    disabledImage_ = other.disabledImage_;
    textColor_ = other.textColor_;
    disabledTextColor_ = other.disabledTextColor_;
    hotTextColor_ = other.hotTextColor_;
    pushedTextColor_ = other.pushedTextColor_;
    bkColor_ = other.bkColor_;
    hotBkColor_ = other.hotBkColor_;
    Invalidate();
}

void CButtonUI::DoEvent(TEventUI& event) {
    if (!IsEnabled() && event.Type != UIEVENT_SETFOCUS && event.Type != UIEVENT_KILLFOCUS) {
        CControlUI::DoEvent(event);
        return;
    }
    switch (event.Type) {
        case UIEVENT_BUTTONDOWN:
        case UIEVENT_DBLCLICK:
            state_ |= UISTATE_PUSHED | UISTATE_CAPTURED;
            Invalidate();
            return;
        case UIEVENT_MOUSEMOVE:
            if (state_ & UISTATE_CAPTURED) {
                bool inside = PtInRect(&pos_, event.ptMouse) != FALSE;
                state_ = inside ? (state_ | UISTATE_PUSHED) : (state_ & ~UISTATE_PUSHED);
                Invalidate();
            }
            return;
        case UIEVENT_BUTTONUP:
            if (state_ & UISTATE_CAPTURED) {
                state_ &= ~(UISTATE_PUSHED | UISTATE_CAPTURED);
                Invalidate();
                if (PtInRect(&pos_, event.ptMouse)) {
                    Activate();
                }
            }
            return;
        case UIEVENT_MOUSEENTER:
            state_ |= UISTATE_HOT;
            Invalidate();
            return;
        case UIEVENT_MOUSELEAVE:
            state_ &= ~UISTATE_HOT;
            Invalidate();
            return;
        case UIEVENT_KEYDOWN:
            if (event.chKey == VK_SPACE || event.chKey == VK_RETURN) {
                Activate();
                return;
            }
            break;
        default:
            break;
    }
    CLabelUI::DoEvent(event);
}

DWORD CButtonUI::CurrentTextColor() const {
    if (!IsEnabled()) {
        return disabledTextColor_;
    }
    if ((state_ & UISTATE_PUSHED) && pushedTextColor_) {
        return pushedTextColor_;
    }
    if ((state_ & UISTATE_HOT) && hotTextColor_) {
        return hotTextColor_;
    }
    return textColor_;
}

const std::wstring& CButtonUI::StateImage() const {
    if (!IsEnabled() && !disabledImage_.empty()) {
        return disabledImage_;
    }
    if ((state_ & UISTATE_PUSHED) && !pushedImage_.empty()) {
        return pushedImage_;
    }
    if ((state_ & UISTATE_HOT) && !hotImage_.empty()) {
        return hotImage_;
    }
    if (IsFocused() && !focusedImage_.empty()) {
        return focusedImage_;
    }
    return normalImage_;
}

void CButtonUI::PaintBkColor(HDC hDC) {
    if ((state_ & UISTATE_HOT) && hotBkColor_ && IsEnabled()) {
        DWORD normal = bkColor_;
        bkColor_ = hotBkColor_;
        CControlUI::PaintBkColor(hDC);
        bkColor_ = normal;
        return;
    }
    CControlUI::PaintBkColor(hDC);
}

void CButtonUI::PaintStatusImage(HDC hDC) {
    const std::wstring& image = StateImage();
    if (!image.empty() && !DrawImage(hDC, image) && &image != &normalImage_) {
        DrawImage(hDC, normalImage_);
    }
    if (!foreImage_.empty()) {
        DrawImage(hDC, foreImage_);
    }
}

void CButtonUI::SetAttribute(LPCTSTR name, LPCTSTR value) {
    std::wstring_view key = name;
    if (key == L"normalimage") {
        SetNormalImage(value);
    } else if (key == L"hotimage") {
        SetHotImage(value);
    } else if (key == L"pushedimage") {
        SetPushedImage(value);
    } else if (key == L"focusedimage") {
        SetFocusedImage(value);
    } else if (key == L"disabledimage") {
        SetDisabledImage(value);
    } else if (key == L"foreimage") {
        SetForeImage(value);
    } else if (key == L"hottextcolor") {
        SetHotTextColor(ParseColor(value));
    } else if (key == L"pushedtextcolor") {
        SetPushedTextColor(ParseColor(value));
    } else if (key == L"hotbkcolor") {
        SetHotBkColor(ParseColor(value));
    } else {
        CLabelUI::SetAttribute(name, value);
    }
}
