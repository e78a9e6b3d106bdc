#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>

// The notification-area icon a window's layout declares (trayiconid,
// traytiptext). Mouse events arrive at the window as UIMSG_TRAYICON with the
// mouse message in lParam.
class TrayIcon {
public:
    TrayIcon() = default;
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    // Adds the icon (the program's icon resource id, else the default icon).
    bool Add(HWND window, UINT iconId, const std::wstring& tip);
    void SetVisible(bool visible);
    void Remove();
    bool IsAdded() const { return window_ != nullptr; }

private:
    NOTIFYICONDATAW Data() const;

    HWND window_ = nullptr;
    UINT id_ = 0;
    HICON icon_ = nullptr;
    std::wstring tip_;
};
