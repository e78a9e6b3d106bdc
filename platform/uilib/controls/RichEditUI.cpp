#include "platform/uilib/controls/RichEditUI.h"

#include <richedit.h>

#include "platform/uilib/controls/NativeChild.h"
#include "platform/uilib/controls/ScrollBarUI.h"
#include "platform/uilib/core/AttributeValues.h"
#include "platform/uilib/core/ClipboardText.h"
#include "platform/uilib/core/PaintManagerUI.h"
#include "platform/uilib/render/RenderEngine.h"

namespace {

bool KeyHeld(int virtualKey) { return GetKeyState(virtualKey) < 0; }

// Ctrl+V and Shift+Insert, the keys of a paste (Ctrl+Alt is AltGr, which types).
bool IsPasteKey(WPARAM virtualKey) {
    if (KeyHeld(VK_MENU)) {
        return false;
    }
    return (virtualKey == 'V' && KeyHeld(VK_CONTROL) && !KeyHeld(VK_SHIFT)) ||
           (virtualKey == VK_INSERT && KeyHeld(VK_SHIFT) && !KeyHeld(VK_CONTROL));
}

}  // namespace

CRichEditUI::CRichEditUI() : scrollBar_(new CScrollBarUI) {
    textStyle_ = DT_WORDBREAK;
    // Shown once the text is taller than the box.
    scrollBar_->SetVisible(false);
    scrollBar_->SetScrollHandler([this](int line) { ScrollTo(line); });
}

CRichEditUI::~CRichEditUI() { delete scrollBar_; }

std::wstring CRichEditUI::GetClass() const { return L"RichEdit"; }

void CRichEditUI::SetWantReturn(bool want) { wantReturn_ = want; }

LPCWSTR CRichEditUI::NativeClass() const {
    // The newest rich edit the system has; a plain multi-line edit otherwise.
    if (LoadLibraryW(L"Msftedit.dll")) {
        return L"RICHEDIT50W";
    }
    if (LoadLibraryW(L"Riched20.dll")) {
        return RICHEDIT_CLASSW;
    }
    return L"EDIT";
}

DWORD CRichEditUI::NativeStyle() const {
    return ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL | (wantReturn_ ? ES_WANTRETURN : 0);
}

void CRichEditUI::OnNativeCreated() {
    HWND hwnd = native_->Handle();
    // Plain-text mode can only be chosen while the control is empty.
    SetWindowTextW(hwnd, L"");
    SendMessageW(hwnd, EM_SETTEXTMODE, TM_PLAINTEXT, 0);
    SendMessageW(hwnd, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SCROLL | ENM_UPDATE);
    SendMessageW(hwnd, EM_SETBKGNDCOLOR, 0, ToColorRef(bkColor_));
    SetWindowTextW(hwnd, text_.c_str());
}

void CRichEditUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    scrollBar_->SetManager(manager, this, init);
    CEditUI::SetManager(manager, parent, init);
}

CControlUI* CRichEditUI::FindControlAt(POINT point) {
    if (IsVisible() && scrollBar_->IsVisible()) {
        if (CControlUI* found = scrollBar_->FindControlAt(point)) {
            return found;
        }
    }
    return CEditUI::FindControlAt(point);
}

RECT CRichEditUI::NativeRect() const {
    RECT rect = CEditUI::NativeRect();
    if (scrollBar_->IsVisible()) {
        rect.right -= scrollBar_->GetFixedWidth();
    }
    return rect;
}

void CRichEditUI::SetPos(RECT rect, bool needInvalidate) {
    CEditUI::SetPos(rect, needInvalidate);
    int border = borderSize_ > 0 ? std::max(1, Scaled(borderSize_)) : 0;
    scrollBar_->SetPos(RECT{pos_.right - border - scrollBar_->GetFixedWidth(), pos_.top + border,
                            pos_.right - border, pos_.bottom - border},
                       false);
    SyncScrollBar();
}

void CRichEditUI::DoPaint(HDC hDC, const RECT& paint) {
    CEditUI::DoPaint(hDC, paint);
    if (scrollBar_->IsVisible()) {
        scrollBar_->DoPaint(hDC, paint);
    }
}

CRichEditUI::ScrollMetrics CRichEditUI::MeasureScroll() const {
    HWND hwnd = native_->Handle();
    ScrollMetrics metrics;
    metrics.lineHeight =
        std::max(1, static_cast<int>(manager_->GetFontMetrics(manager_->GetFont(font_)).tmHeight));
    RECT client;
    GetClientRect(hwnd, &client);
    metrics.page = std::max(1, static_cast<int>(client.bottom));
    POINT scrolled = {};
    SendMessageW(hwnd, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scrolled));
    metrics.position = scrolled.y;
    // The text's height: down to the top of its last line, plus that line.
    int lines = static_cast<int>(SendMessageW(hwnd, EM_GETLINECOUNT, 0, 0));
    LRESULT lastLineStart = SendMessageW(hwnd, EM_LINEINDEX, std::max(0, lines - 1), 0);
    POINTL lastLine = {};
    SendMessageW(hwnd, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&lastLine), lastLineStart);
    int textHeight = static_cast<int>(lastLine.y) + scrolled.y + metrics.lineHeight;
    metrics.range = std::max(0, textHeight - metrics.page);
    return metrics;
}

void CRichEditUI::SyncScrollBar() {
    if (syncing_ || !native_->Handle() || !manager_) {
        return;
    }
    syncing_ = true;
    ScrollMetrics metrics = MeasureScroll();
    bool needed = metrics.range > 0;
    if (needed != scrollBar_->IsVisible()) {
        // The bar takes its width from the text, which then wraps anew.
        scrollBar_->SetVisible(needed);
        native_->Place(NativeRect(), IsVisible());
        metrics = MeasureScroll();
    }
    scrollBar_->SetLineSize(metrics.lineHeight);
    scrollBar_->SetScrollRange(metrics.range, metrics.page);
    scrollBar_->SetScrollPos(metrics.position);
    scrollBar_->Invalidate();
    syncing_ = false;
}

void CRichEditUI::ScrollTo(int position) {
    HWND hwnd = native_->Handle();
    if (!hwnd) {
        return;
    }
    POINT scrolled = {0, position};
    SendMessageW(hwnd, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scrolled));
}

void CRichEditUI::PastePlainText() {
    HWND hwnd = native_->Handle();
    if (readOnly_ || !hwnd) {
        return;
    }
    if (std::optional<std::wstring> text = ReadClipboardText(hwnd)) {
        // Replaces only the selection (an empty one is the caret), as one step of undo.
        SendMessageW(hwnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text->c_str()));
    }
}

bool CRichEditUI::OnNativeMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // Some rich edits in plain-text mode paste over the whole text, beyond
    // undo; the paste is made here instead, the same on every system.
    if (uMsg == WM_PASTE || (uMsg == WM_KEYDOWN && IsPasteKey(wParam))) {
        PastePlainText();
        result = 0;
        return true;
    }
    switch (uMsg) {
        case WM_KEYDOWN:
        case WM_CHAR:
        case WM_MOUSEWHEEL:
        case WM_VSCROLL:
        case WM_LBUTTONUP:
        case WM_MOUSEMOVE:
            result = native_->CallOriginal(uMsg, wParam, lParam);
            SyncScrollBar();
            return true;
        default:
            return false;
    }
}

bool CRichEditUI::HandleNativeMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (uMsg == WM_COMMAND && (HIWORD(wParam) == EN_VSCROLL || HIWORD(wParam) == EN_UPDATE ||
                               HIWORD(wParam) == EN_CHANGE)) {
        SyncScrollBar();
    }
    return CEditUI::HandleNativeMessage(uMsg, wParam, lParam, result);
}

void CRichEditUI::SetAttribute(LPCTSTR name, LPCTSTR value) {
    std::wstring_view key = name;
    if (key == L"wanttab") {
        SetWantTab(ParseBool(value));
    } else if (key == L"wantreturn") {
        SetWantReturn(ParseBool(value));
    } else if (key == L"vscrollbarstyle") {
        scrollBar_->ApplyAttributeList(value);
    } else if (key == L"vscrollbar" || key == L"hscrollbar" || key == L"multiline") {
        // Always multi-line with the library's vertical bar.
    } else {
        CEditUI::SetAttribute(name, value);
    }
}
