#include "platform/uilib/core/ToolTipWindow.h"

#include <commctrl.h>

#include "platform/uilib/core/PaintManagerUI.h"

namespace {

// The window's one tool; the text and place change with the control.
constexpr UINT_PTR kToolId = 1;

TOOLINFOW ToolOf(HWND owner) {
    TOOLINFOW tool = {};
    // The size every version of the common controls accepts.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = owner;
    tool.uId = kToolId;
    return tool;
}

}  // namespace

ToolTipWindow::~ToolTipWindow() {
    if (hwnd_ && IsWindow(hwnd_)) {
        DestroyWindow(hwnd_);
    }
}

void ToolTipWindow::Forget() {
    hwnd_ = nullptr;
    owner_ = nullptr;
    shown_ = false;
}

bool ToolTipWindow::Create(HWND owner) {
    INITCOMMONCONTROLSEX classes = {sizeof(classes), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&classes);
    hwnd_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                            WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                            CPaintManagerUI::GetInstance(), nullptr);
    if (!hwnd_) {
        return false;
    }
    owner_ = owner;
    TOOLINFOW tool = ToolOf(owner_);
    // Transparent: the tip never takes the mouse from the window below.
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_TRANSPARENT;
    tool.lpszText = const_cast<LPWSTR>(L"");
    SendMessageW(hwnd_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return true;
}

void ToolTipWindow::Show(HWND owner, const std::wstring& text, POINT screenPoint) {
    if (!hwnd_ && !Create(owner)) {
        return;
    }
    TOOLINFOW tool = ToolOf(owner_);
    tool.lpszText = const_cast<LPWSTR>(text.c_str());
    SendMessageW(hwnd_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    // Below the arrow, as the system places the tips of its own controls.
    int below = GetSystemMetrics(SM_CYCURSOR) * 2 / 3;
    SendMessageW(hwnd_, TTM_TRACKPOSITION, 0, MAKELPARAM(screenPoint.x, screenPoint.y + below));
    SendMessageW(hwnd_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    shown_ = true;
}

void ToolTipWindow::Hide() {
    if (!hwnd_ || !shown_) {
        return;
    }
    TOOLINFOW tool = ToolOf(owner_);
    SendMessageW(hwnd_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    shown_ = false;
}
