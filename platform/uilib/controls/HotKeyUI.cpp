#include "platform/uilib/controls/HotKeyUI.h"

#include <commctrl.h>

#include "platform/uilib/controls/NativeChild.h"
#include "platform/uilib/core/PaintManagerUI.h"

namespace {

// The hot-key control's HOTKEYF_ bits put Shift and Alt the other way round
// from RegisterHotKey's MOD_ bits.
WORD ToControlFlags(WORD modifiers) {
    return static_cast<WORD>(((modifiers & MOD_ALT) ? HOTKEYF_ALT : 0) |
                             ((modifiers & MOD_CONTROL) ? HOTKEYF_CONTROL : 0) |
                             ((modifiers & MOD_SHIFT) ? HOTKEYF_SHIFT : 0));
}

WORD ToRegisterFlags(WORD flags) {
    return static_cast<WORD>(((flags & HOTKEYF_ALT) ? MOD_ALT : 0) |
                             ((flags & HOTKEYF_CONTROL) ? MOD_CONTROL : 0) |
                             ((flags & HOTKEYF_SHIFT) ? MOD_SHIFT : 0));
}

}  // namespace

CHotKeyUI::CHotKeyUI() {
    keyboardEnabled_ = true;
    bkColor_ = 0xFFFFFFFF;
}

std::wstring CHotKeyUI::GetClass() const { return L"HotKey"; }

void CHotKeyUI::SetHotKey(WORD virtualKey, WORD modifiers) {
    virtualKey_ = virtualKey;
    modifiers_ = modifiers;
    if (native_->Handle()) {
        SendMessageW(native_->Handle(), HKM_SETHOTKEY,
                     MAKEWORD(virtualKey, ToControlFlags(modifiers)), 0);
    }
}

void CHotKeyUI::GetHotKey(WORD& virtualKey, WORD& modifiers) const {
    if (!native_->Handle()) {
        virtualKey = virtualKey_;
        modifiers = modifiers_;
        return;
    }
    WORD value = LOWORD(SendMessageW(native_->Handle(), HKM_GETHOTKEY, 0, 0));
    virtualKey = LOBYTE(value);
    modifiers = ToRegisterFlags(HIBYTE(value));
}

bool CHotKeyUI::CreateNative(HWND parent) {
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_HOTKEY_CLASS};
    InitCommonControlsEx(&classes);
    if (!native_->Create(this, parent, HOTKEY_CLASSW, 0, 0, nullptr)) {
        return false;
    }
    // The system control gives itself a sunken 3-D edge; the field's border
    // is the control's own, drawn flat like an Edit's.
    HWND hwnd = native_->Handle();
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE, GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & ~WS_EX_CLIENTEDGE);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(native_->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(manager_->GetFont(font_)),
                 TRUE);
    SetHotKey(virtualKey_, modifiers_);
    return true;
}

RECT CHotKeyUI::NativeRect() const { return OneLineCentred(CNativeControlUI::NativeRect()); }

bool CHotKeyUI::HandleNativeMessage(UINT uMsg, WPARAM wParam, LPARAM, LRESULT& result) {
    if (uMsg != WM_CTLCOLOREDIT && uMsg != WM_CTLCOLORSTATIC) {
        return false;
    }
    result = ColourChild(reinterpret_cast<HDC>(wParam));
    return true;
}
