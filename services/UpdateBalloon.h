#pragma once

#include <windows.h>

#include <string>

// The notification-area balloon shown while a new installer downloads: icon
// id 1 of the owner window, callback message WM_USER + 5, one second.
class UpdateBalloon {
public:
    static constexpr UINT kIconId = 1;
    static constexpr UINT kCallbackMessage = WM_USER + 5;

    // Shows the balloon when owner is still a window; tip and title are cut
    // to 127 and 63 characters, text to 255.
    void Show(HWND owner, HICON icon, const std::wstring& title, const std::wstring& text);
    // Removes the icon once; a second call does nothing.
    void Remove();

private:
    HWND owner_ = nullptr;
    HICON icon_ = nullptr;
};
