#pragma once

#include <windows.h>

#include "platform/uilib/UIExport.h"

// A Win32 window bound to a C++ object: the object receives the window's
// messages through HandleMessage and OnFinalMessage after the window is gone
// (where self-owning windows delete themselves).
class UILIB_API CWindowWnd {
public:
    CWindowWnd();
    virtual ~CWindowWnd();
    CWindowWnd(const CWindowWnd&) = delete;
    CWindowWnd& operator=(const CWindowWnd&) = delete;

    HWND GetHWND() const { return hwnd_; }
    operator HWND() const { return hwnd_; }

    virtual LPCTSTR GetWindowClassName() const = 0;
    virtual UINT GetClassStyle() const { return CS_DBLCLKS; }

    HWND Create(HWND parent, LPCTSTR name, DWORD style, DWORD exStyle, const RECT& rect,
                HMENU menu = nullptr);
    HWND Create(HWND parent, LPCTSTR name, DWORD style, DWORD exStyle, int x = CW_USEDEFAULT,
                int y = CW_USEDEFAULT, int cx = CW_USEDEFAULT, int cy = CW_USEDEFAULT,
                HMENU menu = nullptr);
    void ShowWindow(bool show = true, bool takeFocus = true);
    // Runs the window modally: its owner is disabled until it is destroyed.
    // Returns the value given to Close (IDCANCEL when closed otherwise).
    UINT ShowModal();
    // Asks the window to close: posts WM_CLOSE with the modal result.
    void Close(UINT result = IDOK);
    // Centres on the owner, or on the work area when there is none (or the
    // owner is hidden or minimised).
    void CenterWindow();
    // The program's icon resource, large and small.
    void SetIcon(UINT resourceId);
    LRESULT SendMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0);
    LRESULT PostMessage(UINT uMsg, WPARAM wParam = 0, LPARAM lParam = 0);
    void ResizeClient(int cx = -1, int cy = -1);

protected:
    virtual LRESULT HandleMessage(UINT uMsg, WPARAM wParam, LPARAM lParam);
    virtual void OnFinalMessage(HWND hWnd);

    HWND hwnd_ = nullptr;

private:
    bool RegisterWindowClass();
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT uMsg, WPARAM wParam, LPARAM lParam);
};
