#include "services/UpdateBalloon.h"

#include <shellapi.h>

void UpdateBalloon::Show(HWND owner, HICON icon, const std::wstring& title,
                         const std::wstring& text) {
    if (!owner || !IsWindow(owner)) return;
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof(data);
    data.hWnd = owner;
    data.uID = kIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_INFO | NIF_TIP;
    data.uCallbackMessage = kCallbackMessage;
    data.hIcon = icon;
    lstrcpynW(data.szTip, title.c_str(), ARRAYSIZE(data.szTip));
    lstrcpynW(data.szInfo, text.c_str(), ARRAYSIZE(data.szInfo));
    lstrcpynW(data.szInfoTitle, title.c_str(), ARRAYSIZE(data.szInfoTitle));
    data.uTimeout = 1000;
    data.dwInfoFlags = NIIF_INFO;
    if (Shell_NotifyIconW(NIM_ADD, &data)) {
        owner_ = owner;
        icon_ = icon;
    }
}

void UpdateBalloon::Remove() {
    if (!icon_) return;
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof(data);
    data.hWnd = owner_;
    data.uID = kIconId;
    Shell_NotifyIconW(NIM_DELETE, &data);
    icon_ = nullptr;
    owner_ = nullptr;
}
