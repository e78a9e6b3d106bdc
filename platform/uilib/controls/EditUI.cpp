#include "platform/uilib/controls/EditUI.h"

#include "platform/uilib/controls/NativeChild.h"
#include "platform/uilib/core/AttributeValues.h"
#include "platform/uilib/core/PaintManagerUI.h"

CEditUI::CEditUI() {
    keyboardEnabled_ = true;
    bkColor_ = 0xFFFFFFFF;
}

CEditUI::~CEditUI() { native_->Destroy(); }

std::wstring CEditUI::GetClass() const { return L"Edit"; }

std::wstring CEditUI::GetText() const {
    HWND hwnd = native_->Handle();
    if (!hwnd) {
        return text_;
    }
    int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), length + 1)));
    return text;
}

void CEditUI::SetText(LPCTSTR text) {
    text_ = text ? text : L"";
    if (native_->Handle()) {
        SetWindowTextW(native_->Handle(), text_.c_str());
    }
    Invalidate();
}

void CEditUI::SetMaxChar(UINT maxChar) {
    maxChar_ = maxChar;
    ApplyNativeOptions();
}

void CEditUI::SetNumberOnly(bool numberOnly) {
    numberOnly_ = numberOnly;
    ApplyNativeOptions();
}

void CEditUI::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    ApplyNativeOptions();
}

void CEditUI::SetPasswordMode(bool password) {
    password_ = password;
    ApplyNativeOptions();
}

void CEditUI::ApplyNativeOptions() {
    HWND hwnd = native_->Handle();
    if (!hwnd) {
        return;
    }
    LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    style = numberOnly_ ? (style | ES_NUMBER) : (style & ~ES_NUMBER);
    SetWindowLongW(hwnd, GWL_STYLE, style);
    SendMessageW(hwnd, EM_SETREADONLY, readOnly_, 0);
    SendMessageW(hwnd, EM_SETPASSWORDCHAR, password_ ? L'*' : 0, 0);
    // 0 lifts the limit to the control's maximum.
    SendMessageW(hwnd, EM_LIMITTEXT, maxChar_, 0);
}

LPCWSTR CEditUI::NativeClass() const { return L"EDIT"; }

DWORD CEditUI::NativeStyle() const { return ES_AUTOHSCROLL | ES_LEFT; }

bool CEditUI::CreateNative(HWND parent) {
    auto hook = [](CControlUI* control, UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return static_cast<CEditUI*>(control)->OnNativeMessage(uMsg, wParam, lParam, result);
    };
    if (!native_->Create(this, parent, NativeClass(), NativeStyle(), 0, hook)) {
        return false;
    }
    HWND hwnd = native_->Handle();
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(manager_->GetFont(font_)), TRUE);
    SetWindowTextW(hwnd, text_.c_str());
    ApplyNativeOptions();
    OnNativeCreated();
    return true;
}

RECT CEditUI::NativeRect() const {
    RECT rect = CNativeControlUI::NativeRect();
    return (textStyle_ & DT_SINGLELINE) ? OneLineCentred(rect) : rect;
}

bool CEditUI::OnNativeMessage(UINT uMsg, WPARAM wParam, LPARAM, LRESULT& result) {
    bool singleLine = (GetWindowLongW(native_->Handle(), GWL_STYLE) & ES_MULTILINE) == 0;
    if (singleLine && uMsg == WM_KEYDOWN && wParam == VK_RETURN && manager_) {
        manager_->SendNotify(this, DUI_MSGTYPE_RETURN);
        result = 0;
        return true;
    }
    // The matching WM_CHAR would only beep.
    if (singleLine && uMsg == WM_CHAR && (wParam == L'\r' || wParam == L'\n')) {
        result = 0;
        return true;
    }
    return false;
}

bool CEditUI::HandleNativeMessage(UINT uMsg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (uMsg == WM_CTLCOLOREDIT || uMsg == WM_CTLCOLORSTATIC) {
        result = ColourChild(reinterpret_cast<HDC>(wParam));
        return true;
    }
    if (uMsg == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
        text_ = GetText();
        if (manager_) {
            manager_->SendNotify(this, DUI_MSGTYPE_TEXTCHANGED);
        }
        result = 0;
        return true;
    }
    return false;
}

void CEditUI::SetAttribute(LPCTSTR name, LPCTSTR value) {
    std::wstring_view key = name;
    if (key == L"maxchar") {
        SetMaxChar(static_cast<UINT>(ParseInt(value)));
    } else if (key == L"numberonly") {
        SetNumberOnly(ParseBool(value));
    } else if (key == L"readonly") {
        SetReadOnly(ParseBool(value));
    } else if (key == L"password") {
        SetPasswordMode(ParseBool(value));
    } else {
        CNativeControlUI::SetAttribute(name, value);
    }
}
