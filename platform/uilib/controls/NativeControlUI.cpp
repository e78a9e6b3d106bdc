#include "platform/uilib/controls/NativeControlUI.h"

#include <algorithm>

#include "platform/uilib/controls/NativeChild.h"
#include "platform/uilib/core/PaintManagerUI.h"
#include "platform/uilib/render/RenderEngine.h"

CNativeControlUI::CNativeControlUI() : native_(std::make_unique<NativeChild>()) {}

CNativeControlUI::~CNativeControlUI() = default;

HWND CNativeControlUI::GetNativeWindow() const { return native_->Handle(); }

bool CNativeControlUI::EnsureNative() {
    if (native_->Handle()) {
        return true;
    }
    if (!manager_ || !manager_->GetPaintWindow() || !CreateNative(manager_->GetPaintWindow())) {
        return false;
    }
    EnableWindow(native_->Handle(), IsEnabled());
    return true;
}

RECT CNativeControlUI::NativeRect() const {
    RECT padding = GetTextPadding();
    int border = borderSize_ > 0 ? std::max(1, Scaled(borderSize_)) : 0;
    return RECT{pos_.left + padding.left + border, pos_.top + padding.top + border,
                pos_.right - padding.right - border, pos_.bottom - padding.bottom - border};
}

RECT CNativeControlUI::OneLineCentred(RECT rect) const {
    TEXTMETRIC metrics = manager_->GetFontMetrics(manager_->GetFont(font_));
    int height = metrics.tmHeight + 2;
    int top = (rect.top + rect.bottom - height) / 2;
    if (height < rect.bottom - rect.top) {
        rect.top = top;
        rect.bottom = top + height;
    }
    return rect;
}

LRESULT CNativeControlUI::ColourChild(HDC dc) {
    ::SetTextColor(dc, ToColorRef(CurrentTextColor()));
    ::SetBkColor(dc, ToColorRef(bkColor_));
    if (!background_) {
        background_.reset(CreateSolidBrush(ToColorRef(bkColor_)));
    }
    return reinterpret_cast<LRESULT>(background_.get());
}

void CNativeControlUI::SetAttribute(LPCTSTR name, LPCTSTR value) {
    CLabelUI::SetAttribute(name, value);
    if (std::wstring_view(name) == L"bkcolor") {
        background_.reset();
    }
}

void CNativeControlUI::SetPos(RECT rect, bool needInvalidate) {
    CLabelUI::SetPos(rect, needInvalidate);
    if (EnsureNative()) {
        native_->Place(NativeRect(), IsVisible());
    }
}

void CNativeControlUI::SetVisible(bool visible) {
    CLabelUI::SetVisible(visible);
    native_->SetVisible(IsVisible());
}

void CNativeControlUI::SetInternVisible(bool visible) {
    CLabelUI::SetInternVisible(visible);
    native_->SetVisible(IsVisible());
}

void CNativeControlUI::SetEnabled(bool enabled) {
    CLabelUI::SetEnabled(enabled);
    if (native_->Handle()) {
        EnableWindow(native_->Handle(), enabled);
    }
}

void CNativeControlUI::OnFocusChanged(bool focused) {
    CLabelUI::OnFocusChanged(focused);
    if (focused && native_->Handle() && GetFocus() != native_->Handle()) {
        ::SetFocus(native_->Handle());
    }
}
