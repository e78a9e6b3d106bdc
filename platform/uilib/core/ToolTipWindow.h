#pragma once

#include <windows.h>

#include <string>

// The tooltip of one window's controls: a system tooltip window owned by
// that window, made when a tip is first shown and placed by the library
// (tracking), since the controls have no windows of their own for the
// tooltip to watch.
class ToolTipWindow {
public:
    ToolTipWindow() = default;
    ~ToolTipWindow();
    ToolTipWindow(const ToolTipWindow&) = delete;
    ToolTipWindow& operator=(const ToolTipWindow&) = delete;

    // Shows text just below the cursor at screenPoint.
    void Show(HWND owner, const std::wstring& text, POINT screenPoint);
    void Hide();
    // Called as the owner is destroyed, which takes the tooltip with it.
    void Forget();

private:
    bool Create(HWND owner);

    HWND hwnd_ = nullptr;
    HWND owner_ = nullptr;
    bool shown_ = false;
};
