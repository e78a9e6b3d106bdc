#include "platform/uilib/controls/NativeChild.h"

#include "platform/uilib/core/ControlUI.h"
#include "platform/uilib/core/PaintManagerUI.h"

namespace {
constexpr wchar_t kChildProperty[] = L"PimloUI.NativeChild";
}

NativeChild::~NativeChild() { Destroy(); }

bool NativeChild::Create(CControlUI* control, HWND parent, LPCWSTR className, DWORD style,
                         DWORD exStyle, Hook hook) {
    Destroy();
    hwnd_ = CreateWindowExW(exStyle, className, L"", WS_CHILD | WS_CLIPSIBLINGS | style, 0, 0, 0, 0,
                            parent, nullptr, CPaintManagerUI::GetInstance(), nullptr);
    if (!hwnd_) {
        return false;
    }
    control_ = control;
    hook_ = hook;
    SetPropW(hwnd_, kChildProperty, this);
    CPaintManagerUI::BindNativeWindow(hwnd_, control);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Procedure)));
    return true;
}

void NativeChild::Place(const RECT& rect, bool visible) {
    if (!hwnd_) {
        return;
    }
    SetWindowPos(hwnd_, nullptr, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, SWP_NOZORDER | SWP_NOACTIVATE);
    SetVisible(visible);
}

void NativeChild::SetVisible(bool visible) {
    if (hwnd_ && (IsWindowVisible(hwnd_) != FALSE) != visible) {
        ShowWindow(hwnd_, visible ? SW_SHOWNOACTIVATE : SW_HIDE);
    }
}

void NativeChild::Destroy() {
    if (!hwnd_) {
        return;
    }
    HWND hwnd = hwnd_;
    hwnd_ = nullptr;
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    RemovePropW(hwnd, kChildProperty);
    CPaintManagerUI::BindNativeWindow(hwnd, nullptr);
    DestroyWindow(hwnd);
}

LRESULT NativeChild::CallOriginal(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcW(original_, hwnd_, uMsg, wParam, lParam);
}

LRESULT CALLBACK NativeChild::Procedure(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    auto* self = static_cast<NativeChild*>(GetPropW(hwnd, kChildProperty));
    if (!self) {
        return DefWindowProcW(hwnd, uMsg, wParam, lParam);
    }
    if (uMsg == WM_SETFOCUS && self->control_->GetManager()) {
        self->control_->GetManager()->SetFocus(self->control_);
    }
    LRESULT result = 0;
    if (self->hook_ && self->hook_(self->control_, uMsg, wParam, lParam, result)) {
        return result;
    }
    return self->CallOriginal(uMsg, wParam, lParam);
}
