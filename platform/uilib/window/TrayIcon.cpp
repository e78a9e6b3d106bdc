#include "platform/uilib/window/TrayIcon.h"

#include <shellapi.h>

#include "platform/uilib/core/PaintManagerUI.h"
#include "platform/uilib/core/UIEvents.h"

TrayIcon::~TrayIcon() { Remove(); }

NOTIFYICONDATAW TrayIcon::Data() const {
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof(data);
    data.hWnd = window_;
    data.uID = id_;
    data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    data.uCallbackMessage = UIMSG_TRAYICON;
    data.hIcon = icon_;
    lstrcpynW(data.szTip, tip_.c_str(), ARRAYSIZE(data.szTip));
    return data;
}

bool TrayIcon::Add(HWND window, UINT iconId, const std::wstring& tip) {
    Remove();
    icon_ = static_cast<HICON>(LoadImageW(CPaintManagerUI::GetInstance(), MAKEINTRESOURCEW(iconId),
                                          IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                          GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    if (!icon_) {
        icon_ = LoadIconW(nullptr, IDI_APPLICATION);
    }
    window_ = window;
    id_ = iconId;
    tip_ = tip;
    NOTIFYICONDATAW data = Data();
    if (!Shell_NotifyIconW(NIM_ADD, &data)) {
        // Without a notification area (no shell yet) the window works all the
        // same; the icon is simply not there.
        window_ = nullptr;
        return false;
    }
    return true;
}

void TrayIcon::SetVisible(bool visible) {
    if (!window_) {
        return;
    }
    NOTIFYICONDATAW data = Data();
    data.uFlags |= NIF_STATE;
    data.dwStateMask = NIS_HIDDEN;
    data.dwState = visible ? 0 : NIS_HIDDEN;
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

void TrayIcon::Remove() {
    if (!window_) {
        return;
    }
    NOTIFYICONDATAW data = Data();
    Shell_NotifyIconW(NIM_DELETE, &data);
    window_ = nullptr;
}
