#include "platform/uilib/window/WindowWnd.h"

#include <algorithm>

#include "platform/uilib/core/PaintManagerUI.h"

CWindowWnd::CWindowWnd() = default;
CWindowWnd::~CWindowWnd() = default;

bool CWindowWnd::RegisterWindowClass() {
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.style = GetClassStyle();
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = CPaintManagerUI::GetInstance();
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = GetWindowClassName();
    return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CWindowWnd::Create(HWND parent, LPCTSTR name, DWORD style, DWORD exStyle, const RECT& rect,
                        HMENU menu) {
    return Create(parent, name, style, exStyle, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, menu);
}

HWND CWindowWnd::Create(HWND parent, LPCTSTR name, DWORD style, DWORD exStyle, int x, int y, int cx,
                        int cy, HMENU menu) {
    if (!RegisterWindowClass()) {
        return nullptr;
    }
    CreateWindowExW(exStyle, GetWindowClassName(), name, style, x, y, cx, cy, parent, menu,
                    CPaintManagerUI::GetInstance(), this);
    return hwnd_;
}

void CWindowWnd::ShowWindow(bool show, bool takeFocus) {
    if (IsWindow(hwnd_)) {
        ::ShowWindow(hwnd_, show ? (takeFocus ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE) : SW_HIDE);
    }
}

UINT CWindowWnd::ShowModal() {
    HWND window = hwnd_;
    if (!IsWindow(window)) {
        return IDCANCEL;
    }
    UINT result = IDCANCEL;
    HWND owner = GetWindow(window, GW_OWNER);
    ::ShowWindow(window, SW_SHOWNORMAL);
    if (owner) {
        EnableWindow(owner, FALSE);
    }
    MSG msg;
    while (IsWindow(window)) {
        BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // WM_QUIT ends the application's loop too: put it back for it.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (msg.hwnd == window && msg.message == WM_CLOSE) {
            result = static_cast<UINT>(msg.wParam);
            // The owner is enabled before the dialog goes, so Windows gives
            // it the activation instead of some other program.
            if (owner) {
                EnableWindow(owner, TRUE);
                SetFocus(owner);
            }
        }
        if (!CPaintManagerUI::TranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    if (owner) {
        EnableWindow(owner, TRUE);
        SetFocus(owner);
    }
    return result;
}

void CWindowWnd::Close(UINT result) {
    if (IsWindow(hwnd_)) {
        ::PostMessageW(hwnd_, WM_CLOSE, result, 0);
    }
}

void CWindowWnd::CenterWindow() {
    if (!IsWindow(hwnd_)) {
        return;
    }
    RECT window;
    GetWindowRect(hwnd_, &window);
    HWND owner = GetWindow(hwnd_, GW_OWNER);
    RECT area;
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(owner ? owner : hwnd_, MONITOR_DEFAULTTONEAREST), &monitor);
    if (owner && IsWindowVisible(owner) && !IsIconic(owner)) {
        GetWindowRect(owner, &area);
    } else {
        area = monitor.rcWork;
    }
    int width = window.right - window.left;
    int height = window.bottom - window.top;
    int x = (area.left + area.right - width) / 2;
    int y = (area.top + area.bottom - height) / 2;
    // Keep the whole window on the monitor's work area.
    const RECT& work = monitor.rcWork;
    x = std::max<int>(work.left, std::min<int>(x, work.right - width));
    y = std::max<int>(work.top, std::min<int>(y, work.bottom - height));
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CWindowWnd::SetIcon(UINT resourceId) {
    HINSTANCE instance = CPaintManagerUI::GetInstance();
    auto load = [&](int metricX, int metricY) {
        return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_ICON,
                                             GetSystemMetrics(metricX), GetSystemMetrics(metricY),
                                             LR_DEFAULTCOLOR | LR_SHARED));
    };
    if (HICON big = load(SM_CXICON, SM_CYICON)) {
        ::SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    }
    if (HICON small = load(SM_CXSMICON, SM_CYSMICON)) {
        ::SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    }
}

LRESULT CWindowWnd::SendMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return ::SendMessageW(hwnd_, uMsg, wParam, lParam);
}

LRESULT CWindowWnd::PostMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return ::PostMessageW(hwnd_, uMsg, wParam, lParam);
}

void CWindowWnd::ResizeClient(int cx, int cy) {
    RECT client;
    if (!GetClientRect(hwnd_, &client)) {
        return;
    }
    RECT window = {0, 0, cx < 0 ? client.right : cx, cy < 0 ? client.bottom : cy};
    AdjustWindowRectEx(&window, GetWindowLongW(hwnd_, GWL_STYLE), GetMenu(hwnd_) != nullptr,
                       GetWindowLongW(hwnd_, GWL_EXSTYLE));
    SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left, window.bottom - window.top,
                 SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

LRESULT CWindowWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, uMsg, wParam, lParam);
}

void CWindowWnd::OnFinalMessage(HWND) {}

LRESULT CALLBACK CWindowWnd::WindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    CWindowWnd* self = nullptr;
    if (uMsg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        self = static_cast<CWindowWnd*>(create->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<CWindowWnd*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) {
        return DefWindowProcW(hwnd, uMsg, wParam, lParam);
    }
    if (uMsg == WM_NCDESTROY) {
        LRESULT result = DefWindowProcW(hwnd, uMsg, wParam, lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        self->OnFinalMessage(hwnd);
        return result;
    }
    return self->HandleMessage(uMsg, wParam, lParam);
}
