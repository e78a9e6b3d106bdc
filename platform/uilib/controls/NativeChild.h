#pragma once

#include <windows.h>

class CControlUI;

// The native child window of a control that edits through one. It is made
// on the control's first layout (when its window exists), follows the
// control's rectangle and visibility, and is destroyed with the control.
// Its window procedure is wrapped so the control sees focus and keys first.
class NativeChild {
public:
    using Hook = bool (*)(CControlUI* control, UINT uMsg, WPARAM wParam, LPARAM lParam,
                          LRESULT& result);

    NativeChild() = default;
    ~NativeChild();
    NativeChild(const NativeChild&) = delete;
    NativeChild& operator=(const NativeChild&) = delete;

    // Creates the window as a child of parent; hook (optional) sees its
    // messages before the original procedure.
    bool Create(CControlUI* control, HWND parent, LPCWSTR className, DWORD style, DWORD exStyle,
                Hook hook);
    HWND Handle() const { return hwnd_; }
    // Follows the control: rectangle in the parent's client pixels, shown
    // only while the control is visible.
    void Place(const RECT& rect, bool visible);
    void SetVisible(bool visible);
    void Destroy();
    // The window procedure the hook falls back to.
    LRESULT CallOriginal(UINT uMsg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    WNDPROC original_ = nullptr;
    CControlUI* control_ = nullptr;
    Hook hook_ = nullptr;
};
