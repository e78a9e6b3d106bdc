#include "platform/uilib/window/MenuWnd.h"

#include <algorithm>

#include "platform/uilib/controls/MenuUI.h"
#include "platform/uilib/core/DialogBuilder.h"

namespace {
// Posted to the menu itself once it is hidden, to deliver the command.
constexpr UINT kDeliverCommand = WM_APP + 0x2A95;
constexpr int kDefaultWidth = 140;
}  // namespace

CMenuWnd::CMenuWnd(HWND owner, std::wstring layoutFile)
    : owner_(owner), layoutFile_(std::move(layoutFile)) {}

LPCTSTR CMenuWnd::GetWindowClassName() const { return L"PimloUIMenu"; }

CMenuWnd* CMenuWnd::CreateMenu(HWND owner, LPCTSTR layoutFile, POINT point) {
    if (!layoutFile) {
        return nullptr;
    }
    auto* menu = new CMenuWnd(owner, layoutFile);
    if (!menu->Create(owner, L"", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, point.x, point.y, 0,
                      0)) {
        delete menu;
        return nullptr;
    }
    if (!menu->Build(point)) {
        DestroyWindow(menu->GetHWND());
        return nullptr;
    }
    ::ShowWindow(menu->GetHWND(), SW_SHOW);
    SetForegroundWindow(menu->GetHWND());
    return menu;
}

bool CMenuWnd::Build(POINT point) {
    paintManager_.Init(hwnd_, GetWindowClassName());
    CPaintManagerUI* ownerManager = CPaintManagerUI::FromWindow(owner_);
    if (ownerManager) {
        paintManager_.SetLayoutFolder(ownerManager->GetDiskFolder());
        paintManager_.SetDPI(ownerManager->GetDPI().GetDPI());
    }
    CDialogBuilder builder;
    CControlUI* root = builder.Create(layoutFile_.c_str(), nullptr, nullptr, &paintManager_);
    if (!root) {
        return false;
    }
    paintManager_.AttachDialog(root);
    paintManager_.AddNotifier(this);

    SIZE size = paintManager_.GetInitSize();
    if (size.cx <= 0) {
        size.cx = root->GetFixedWidth() > 0 ? root->GetFixedWidth()
                                            : paintManager_.GetDPI().Scale(kDefaultWidth);
    }
    if (size.cy <= 0) {
        auto* menu = dynamic_cast<CMenuUI*>(root);
        size.cy = menu ? menu->ContentHeight() : root->GetFixedHeight();
    }
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    int x = std::max<int>(work.left, std::min<int>(point.x, work.right - size.cx));
    int y = point.y + size.cy > work.bottom ? point.y - size.cy : point.y;
    SetWindowPos(hwnd_, HWND_TOPMOST, x, std::max<int>(work.top, y), size.cx, size.cy,
                 SWP_NOACTIVATE);
    return true;
}

void CMenuWnd::Notify(TNotifyUI& msg) {
    if (msg.sType != DUI_MSGTYPE_CLICK || !msg.pSender || !chosen_.empty()) {
        return;
    }
    chosen_ = msg.pSender->GetName();
    ::ShowWindow(hwnd_, SW_HIDE);
    ::PostMessageW(hwnd_, kDeliverCommand, 0, 0);
}

LRESULT CMenuWnd::HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
        case kDeliverCommand:
            // The owner may run a modal dialog here; the menu is already hidden.
            if (IsWindow(owner_)) {
                ::SendMessageW(owner_, WM_MENUCLICK, reinterpret_cast<WPARAM>(chosen_.c_str()), 0);
            }
            DestroyWindow(hwnd_);
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE && chosen_.empty()) {
                ::PostMessageW(hwnd_, WM_CLOSE, 0, 0);
            }
            break;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) {
                ::PostMessageW(hwnd_, WM_CLOSE, 0, 0);
                return 0;
            }
            break;
        default:
            break;
    }
    LRESULT result = 0;
    if (paintManager_.MessageHandler(uMsg, wParam, lParam, result)) {
        return result;
    }
    return CWindowWnd::HandleMessage(uMsg, wParam, lParam);
}

void CMenuWnd::OnFinalMessage(HWND) { delete this; }
