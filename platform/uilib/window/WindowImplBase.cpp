#include "platform/uilib/window/WindowImplBase.h"

#include <algorithm>

#include <windowsx.h>

#include "common/Win32Handles.h"
#include "platform/uilib/core/ControlUI.h"
#include "platform/uilib/core/DialogBuilder.h"
#include "platform/uilib/window/ShadowWnd.h"
#include "platform/uilib/window/TrayIcon.h"

namespace {

// The timer that adds the layout's tray icon once the window has painted;
// far above the ids windows give their own timers.
constexpr UINT_PTR kTrayIconTimer = 0x7A11;

// Controls in the caption area that act on clicks; anything else there
// drags the window.
bool TakesClicks(CControlUI* control) {
    if (!control) {
        return false;
    }
    if (control->IsKeyboardEnabled()) {
        return true;
    }
    std::wstring name = control->GetClass();
    return name == L"ScrollBar" || name == L"ListContainerElement" || name == L"Text" ||
           name == L"WkeWebkit" || name == L"MenuElement";
}

}  // namespace

WindowImplBase::WindowImplBase()
    : shadow_(std::make_unique<ShadowWnd>()), trayIcon_(std::make_unique<TrayIcon>()) {}

WindowImplBase::~WindowImplBase() = default;

void WindowImplBase::OnFinalMessage(HWND) {
    paintManager_.RemoveNotifier(this);
    paintManager_.RemoveMessageFilter(this);
}

LRESULT WindowImplBase::OnClose(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    bHandled = FALSE;
    return 0;
}

LRESULT WindowImplBase::OnDestroy(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    bHandled = FALSE;
    return 0;
}

LRESULT WindowImplBase::OnSysCommand(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    bHandled = FALSE;
    return 0;
}

LRESULT WindowImplBase::OnKeyDown(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    bHandled = FALSE;
    return 0;
}

LRESULT WindowImplBase::OnTimer(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    bHandled = FALSE;
    return 0;
}

LRESULT WindowImplBase::OnSize(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    ApplyRoundCorner();
    shadow_->Update();
    bHandled = FALSE;
    return 0;
}

LRESULT WindowImplBase::HandleCustomMessage(UINT, WPARAM, LPARAM, BOOL& bHandled) {
    bHandled = FALSE;
    return 0;
}

void WindowImplBase::Notify(TNotifyUI&) {}

LRESULT WindowImplBase::ResponseDefaultKeyEvent(WPARAM wParam) {
    if (wParam == VK_ESCAPE) {
        Close(IDCANCEL);
        return TRUE;
    }
    return FALSE;
}

CControlUI* WindowImplBase::CreateControl(LPCTSTR) { return nullptr; }

LRESULT WindowImplBase::MessageHandler(UINT uMsg, WPARAM wParam, LPARAM, bool& bHandled) {
    if (uMsg == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
        bHandled = ResponseDefaultKeyEvent(wParam) != 0;
    }
    return 0;
}

LRESULT WindowImplBase::OnCreate(UINT, WPARAM, LPARAM, BOOL&) {
    // The layout draws the caption: the window has no frame of its own.
    LONG style = GetWindowLongW(hwnd_, GWL_STYLE);
    SetWindowLongW(hwnd_, GWL_STYLE, (style & ~WS_CAPTION) | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);

    paintManager_.Init(hwnd_, GetWindowClassName());
    paintManager_.SetLayoutFolder(GetSkinFolder());
    CDialogBuilder builder;
    CControlUI* root = builder.Create(GetSkinFile().c_str(), nullptr, this, &paintManager_);
    if (!root) {
        // No layout, no window: CreateWindowEx then fails and Create returns null.
        return -1;
    }
    paintManager_.AttachDialog(root);
    paintManager_.AddNotifier(this);
    paintManager_.AddMessageFilter(this);

    SIZE size = paintManager_.GetInitSize();
    if (size.cx > 0 && size.cy > 0) {
        SetWindowPos(hwnd_, nullptr, 0, 0, size.cx, size.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ApplyRoundCorner();
    if (paintManager_.IsShowShadow()) {
        shadow_->Create(hwnd_, paintManager_.GetDPI().Scale(paintManager_.GetShadowSize()));
    }
    if (paintManager_.GetTrayIconId() != 0) {
        // Adding the icon waits on the shell's tray; a timer's message comes
        // after the window's first paint, so the window shows first.
        ::SetTimer(hwnd_, kTrayIconTimer, 0, nullptr);
    }
    Init();
    return 0;
}

void WindowImplBase::ApplyRoundCorner() {
    SIZE corner = paintManager_.GetRoundCorner();
    if ((corner.cx <= 0 && corner.cy <= 0) || IsZoomed(hwnd_)) {
        return;
    }
    RECT window;
    GetWindowRect(hwnd_, &window);
    GdiObject<HRGN> region(CreateRoundRectRgn(0, 0, window.right - window.left + 1,
                                              window.bottom - window.top + 1, corner.cx,
                                              corner.cy));
    // The window owns the region once it took it; a refused one is still ours to delete.
    if (region && SetWindowRgn(hwnd_, region.get(), TRUE)) {
        region.release();
    }
}

void WindowImplBase::FadeIn(DWORD milliseconds) {
    if (!AnimateWindow(hwnd_, milliseconds, AW_BLEND | AW_ACTIVATE)) {
        ::ShowWindow(hwnd_, SW_SHOW);
    }
    shadow_->Update();
}

void WindowImplBase::FadeOut(DWORD milliseconds) {
    if (!AnimateWindow(hwnd_, milliseconds, AW_BLEND | AW_HIDE)) {
        ::ShowWindow(hwnd_, SW_HIDE);
    }
    shadow_->Update();
}

void WindowImplBase::ShowTrayIcon(bool visible) {
    if (!trayIcon_->IsAdded() && visible && paintManager_.GetTrayIconId() != 0) {
        trayIcon_->Add(hwnd_, paintManager_.GetTrayIconId(), paintManager_.GetTrayTipText());
        return;
    }
    trayIcon_->SetVisible(visible);
}

void WindowImplBase::RemoveTrayIcon() { trayIcon_->Remove(); }

LRESULT WindowImplBase::OnNcHitTest(LPARAM lParam) {
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(hwnd_, &point);
    RECT client;
    GetClientRect(hwnd_, &client);
    if (!IsZoomed(hwnd_)) {
        RECT box = paintManager_.GetSizeBox();
        bool top = point.y < client.top + box.top;
        bool bottom = point.y >= client.bottom - box.bottom;
        bool left = point.x < client.left + box.left;
        bool right = point.x >= client.right - box.right;
        if (top && left) return HTTOPLEFT;
        if (top && right) return HTTOPRIGHT;
        if (bottom && left) return HTBOTTOMLEFT;
        if (bottom && right) return HTBOTTOMRIGHT;
        if (top) return HTTOP;
        if (bottom) return HTBOTTOM;
        if (left) return HTLEFT;
        if (right) return HTRIGHT;
    }
    RECT caption = paintManager_.GetCaptionRect();
    if (point.x >= client.left + caption.left && point.x < client.right - caption.right &&
        point.y >= caption.top && point.y < caption.bottom) {
        paintManager_.EnsureLayout();
        if (!TakesClicks(paintManager_.FindControl(point))) {
            return HTCAPTION;
        }
    }
    return HTCLIENT;
}

void WindowImplBase::OnGetMinMaxInfo(LPARAM lParam) {
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &monitor);
    // Maximised, a borderless window covers the work area, not the taskbar.
    info->ptMaxPosition = {monitor.rcWork.left - monitor.rcMonitor.left,
                           monitor.rcWork.top - monitor.rcMonitor.top};
    info->ptMaxSize = {monitor.rcWork.right - monitor.rcWork.left,
                       monitor.rcWork.bottom - monitor.rcWork.top};
    // The layout's minimum, but never more than the work area: at 200 % on
    // a small screen it would hold a maximised window beyond the screen.
    SIZE minimum = paintManager_.GetMinInfo();
    if (minimum.cx > 0) info->ptMinTrackSize.x = std::min(minimum.cx, info->ptMaxSize.x);
    if (minimum.cy > 0) info->ptMinTrackSize.y = std::min(minimum.cy, info->ptMaxSize.y);
    SIZE maximum = paintManager_.GetMaxInfo();
    if (maximum.cx > 0) info->ptMaxTrackSize.x = maximum.cx;
    if (maximum.cy > 0) info->ptMaxTrackSize.y = maximum.cy;
}

LRESULT WindowImplBase::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    BOOL handled = TRUE;
    switch (uMsg) {
        case WM_CREATE:
            result = OnCreate(uMsg, wParam, lParam, handled);
            break;
        case WM_CLOSE:
            result = OnClose(uMsg, wParam, lParam, handled);
            break;
        case WM_DESTROY:
            shadow_->Destroy();
            trayIcon_->Remove();
            result = OnDestroy(uMsg, wParam, lParam, handled);
            break;
        case WM_SYSCOMMAND:
            result = OnSysCommand(uMsg, wParam, lParam, handled);
            break;
        case WM_KEYDOWN:
            result = OnKeyDown(uMsg, wParam, lParam, handled);
            break;
        case WM_TIMER:
            if (wParam == kTrayIconTimer) {
                KillTimer(hwnd_, kTrayIconTimer);
                ShowTrayIcon(true);
                break;
            }
            // Control timers (animations) are the paint manager's own.
            if (paintManager_.OwnsTimer(wParam)) {
                handled = FALSE;
            } else {
                result = OnTimer(uMsg, wParam, lParam, handled);
            }
            break;
        case WM_SIZE:
            result = OnSize(uMsg, wParam, lParam, handled);
            break;
        case WM_MOVE:
        case WM_SHOWWINDOW:
        case WM_WINDOWPOSCHANGED:
            shadow_->Update();
            handled = FALSE;
            break;
        case WM_NCACTIVATE:
            if (IsIconic(hwnd_)) {
                handled = FALSE;
            } else {
                result = wParam == 0 ? TRUE : FALSE;
            }
            break;
        case WM_NCCALCSIZE:
            result = 0;
            break;
        case WM_NCPAINT:
            result = 0;
            break;
        case WM_NCHITTEST:
            result = OnNcHitTest(lParam);
            break;
        case WM_GETMINMAXINFO:
            OnGetMinMaxInfo(lParam);
            handled = FALSE;
            break;
        default:
            handled = FALSE;
            break;
    }
    if (handled) {
        return result;
    }
    handled = TRUE;
    result = HandleCustomMessage(uMsg, wParam, lParam, handled);
    if (handled) {
        return result;
    }
    if (paintManager_.MessageHandler(uMsg, wParam, lParam, result)) {
        return result;
    }
    return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}
