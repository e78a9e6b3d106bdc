#include "platform/uilib/core/ControlUI.h"

#include <algorithm>

#include "platform/uilib/core/AttributeValues.h"
#include "platform/uilib/core/PaintManagerUI.h"
#include "platform/uilib/render/RenderEngine.h"

CControlUI::CControlUI() = default;

CControlUI::~CControlUI() {
    if (manager_) {
        manager_->ForgetControl(this);
    }
}

std::wstring CControlUI::GetClass() const { return L"Control"; }

void CControlUI::SetName(LPCTSTR name) {
    if (manager_) {
        manager_->ForgetControl(this);
    }
    name_ = name ? name : L"";
    if (manager_) {
        manager_->InitControl(this);
    }
}

void CControlUI::SetText(LPCTSTR text) {
    std::wstring value = text ? text : L"";
    if (value == text_) {
        return;
    }
    text_ = std::move(value);
    Invalidate();
}

void CControlUI::SetToolTip(LPCTSTR toolTip) { toolTip_ = toolTip ? toolTip : L""; }

void CControlUI::SetUserData(LPCTSTR data) { userData_ = data ? data : L""; }

void CControlUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    if (manager_ && manager_ != manager) {
        manager_->ForgetControl(this);
    }
    manager_ = manager;
    parent_ = parent;
    if (manager_ && init) {
        manager_->InitControl(this);
        DoInit();
    }
}

CControlUI* CControlUI::FindFirst(const std::function<bool(CControlUI*)>& match) {
    return match(this) ? this : nullptr;
}

CControlUI* CControlUI::FindControlAt(POINT point) {
    if (!IsVisible() || !mouseEnabled_ || !PtInRect(&pos_, point)) {
        return nullptr;
    }
    return this;
}

void CControlUI::SetPos(RECT rect, bool needInvalidate) {
    if (rect.right < rect.left) {
        rect.right = rect.left;
    }
    if (rect.bottom < rect.top) {
        rect.bottom = rect.top;
    }
    if (EqualRect(&rect, &pos_)) {
        return;
    }
    if (needInvalidate) {
        Invalidate();
    }
    pos_ = rect;
    if (needInvalidate) {
        Invalidate();
    }
}

SIZE CControlUI::EstimateSize(SIZE) { return SIZE{GetFixedWidth(), GetFixedHeight()}; }

void CControlUI::SetFloat(bool isFloat) {
    float_ = isFloat;
    NeedParentUpdate();
}

void CControlUI::SetFloatPos(RECT pos) {
    floatPos_ = pos;
    fixed_.cx = pos.right - pos.left;
    fixed_.cy = pos.bottom - pos.top;
    NeedParentUpdate();
}

int CControlUI::GetFixedWidth() const { return Scaled(fixed_.cx); }
int CControlUI::GetFixedHeight() const { return Scaled(fixed_.cy); }

void CControlUI::SetFixedWidth(int width) {
    fixed_.cx = std::max(width, 0);
    NeedParentUpdate();
}

void CControlUI::SetFixedHeight(int height) {
    fixed_.cy = std::max(height, 0);
    NeedParentUpdate();
}

int CControlUI::GetMinWidth() const { return Scaled(min_.cx); }
int CControlUI::GetMaxWidth() const { return Scaled(max_.cx); }
int CControlUI::GetMinHeight() const { return Scaled(min_.cy); }
int CControlUI::GetMaxHeight() const { return Scaled(max_.cy); }

void CControlUI::SetMinWidth(int width) {
    min_.cx = std::max(width, 0);
    NeedParentUpdate();
}

void CControlUI::SetMaxWidth(int width) {
    max_.cx = std::max(width, 0);
    NeedParentUpdate();
}

void CControlUI::SetMinHeight(int height) {
    min_.cy = std::max(height, 0);
    NeedParentUpdate();
}

void CControlUI::SetMaxHeight(int height) {
    max_.cy = std::max(height, 0);
    NeedParentUpdate();
}

RECT CControlUI::GetPadding() const { return Dpi().Scale(padding_); }

void CControlUI::SetPadding(RECT padding) {
    padding_ = padding;
    NeedParentUpdate();
}

void CControlUI::SetVisible(bool visible) {
    if (visible_ == visible) {
        return;
    }
    bool wasVisible = IsVisible();
    visible_ = visible;
    if (!IsVisible() && manager_ && wasVisible) {
        if (manager_->GetFocus() == this) {
            manager_->SetFocus(nullptr);
        }
    }
    NeedParentUpdate();
}

void CControlUI::SetInternVisible(bool visible) {
    internVisible_ = visible;
    if (!visible && manager_ && manager_->GetFocus() == this) {
        manager_->SetFocus(nullptr);
    }
}

void CControlUI::SetEnabled(bool enabled) {
    if (enabled_ == enabled) {
        return;
    }
    enabled_ = enabled;
    Invalidate();
}

void CControlUI::SetFocus() {
    if (manager_) {
        manager_->SetFocus(this);
    }
}

void CControlUI::OnFocusChanged(bool focused) {
    focused_ = focused;
    Invalidate();
}

bool CControlUI::Activate() { return IsVisible() && IsEnabled(); }

void CControlUI::SetBkColor(DWORD color) {
    bkColor_ = color;
    Invalidate();
}

void CControlUI::SetBorderColor(DWORD color) {
    borderColor_ = color;
    Invalidate();
}

void CControlUI::SetBorderSize(int size) {
    borderSize_ = std::max(size, 0);
    Invalidate();
}

void CControlUI::SetBorderRound(SIZE round) {
    borderRound_ = round;
    Invalidate();
}

void CControlUI::SetBkImage(LPCTSTR image) {
    std::wstring value = image ? image : L"";
    if (value == bkImage_) {
        return;
    }
    bkImage_ = std::move(value);
    Invalidate();
}

void CControlUI::Invalidate() {
    if (manager_ && IsVisible()) {
        manager_->Invalidate(pos_);
    }
}

void CControlUI::NeedUpdate() {
    if (manager_) {
        manager_->NeedUpdate();
    }
}

void CControlUI::NeedParentUpdate() { NeedUpdate(); }

void CControlUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
        case UIEVENT_SETFOCUS:
            OnFocusChanged(true);
            break;
        case UIEVENT_KILLFOCUS:
            OnFocusChanged(false);
            break;
        case UIEVENT_SCROLLWHEEL:
            // Unused wheel turns scroll the nearest scrolling ancestor.
            if (parent_) {
                parent_->DoEvent(event);
            }
            break;
        default:
            break;
    }
}

void CControlUI::DoPaint(HDC hDC, const RECT& paint) {
    RECT overlap;
    if (!IntersectRect(&overlap, &paint, &pos_)) {
        return;
    }
    PaintBkColor(hDC);
    PaintBkImage(hDC);
    PaintStatusImage(hDC);
    PaintText(hDC);
    PaintBorder(hDC);
}

void CControlUI::PaintBkColor(HDC hDC) {
    if (bkColor_ == 0) {
        return;
    }
    if (borderRound_.cx > 0 || borderRound_.cy > 0) {
        CRenderEngine::FillRoundRect(hDC, pos_, Scaled(borderRound_.cx), Scaled(borderRound_.cy),
                                     bkColor_);
    } else {
        CRenderEngine::DrawColor(hDC, pos_, bkColor_);
    }
}

void CControlUI::PaintBkImage(HDC hDC) {
    if (!bkImage_.empty()) {
        DrawImage(hDC, bkImage_);
    }
}

void CControlUI::PaintBorder(HDC hDC) {
    if (borderSize_ <= 0 || borderColor_ == 0) {
        return;
    }
    int size = std::max(1, Scaled(borderSize_));
    if (borderRound_.cx > 0 || borderRound_.cy > 0) {
        CRenderEngine::DrawRoundRect(hDC, pos_, size, Scaled(borderRound_.cx),
                                     Scaled(borderRound_.cy), borderColor_);
    } else {
        CRenderEngine::DrawRect(hDC, pos_, size, borderColor_);
    }
}

bool CControlUI::DrawImage(HDC hDC, const std::wstring& image) {
    return manager_ && CRenderEngine::DrawImageString(hDC, manager_, pos_, image);
}

void CControlUI::SetAttribute(LPCTSTR name, LPCTSTR value) {
    std::wstring_view key = name;
    if (key == L"name") {
        SetName(value);
    } else if (key == L"text") {
        SetText(value);
    } else if (key == L"tooltip") {
        SetToolTip(value);
    } else if (key == L"userdata") {
        SetUserData(value);
    } else if (key == L"pos") {
        SetFloatPos(ParseRect(value));
    } else if (key == L"float") {
        SetFloat(ParseBool(value));
    } else if (key == L"width") {
        SetFixedWidth(ParseInt(value));
    } else if (key == L"height") {
        SetFixedHeight(ParseInt(value));
    } else if (key == L"minwidth") {
        SetMinWidth(ParseInt(value));
    } else if (key == L"maxwidth") {
        SetMaxWidth(ParseInt(value));
    } else if (key == L"minheight") {
        SetMinHeight(ParseInt(value));
    } else if (key == L"maxheight") {
        SetMaxHeight(ParseInt(value));
    } else if (key == L"padding") {
        SetPadding(ParseRect(value));
    } else if (key == L"visible") {
        SetVisible(ParseBool(value));
    } else if (key == L"enabled") {
        SetEnabled(ParseBool(value));
    } else if (key == L"mouse") {
        SetMouseEnabled(ParseBool(value));
    } else if (key == L"keyboard") {
        SetKeyboardEnabled(ParseBool(value));
    } else if (key == L"bkcolor") {
        SetBkColor(ParseColor(value));
    } else if (key == L"bordercolor") {
        SetBorderColor(ParseColor(value));
    } else if (key == L"bordersize") {
        SetBorderSize(ParseInt(value));
    } else if (key == L"borderround") {
        SetBorderRound(ParseSize(value));
    } else if (key == L"bkimage") {
        SetBkImage(value);
    }
}

void CControlUI::ApplyAttributeList(LPCTSTR list) {
    if (!list) {
        return;
    }
    for (const auto& [name, value] : ParseAttributeList(list)) {
        SetAttribute(name.c_str(), value.c_str());
    }
}

const CDPI& CControlUI::Dpi() const {
    static const CDPI processScale;
    return manager_ ? manager_->GetDPI() : processScale;
}

int CControlUI::Scaled(int value) const { return Dpi().Scale(value); }
